#include <cstdio>
#include <string>

#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// Back to the start of the line and erase it, so a shorter line leaves no tail.
constexpr const char* kClearLine = "\r\x1b[2K";
// A line longer than the terminal wraps and can no longer be redrawn in place.
constexpr std::size_t kLineWidth = 79;

// The pieces of the line are formatted whole and appended, never prefixed:
// GCC 12 at -O3 reports overlapping copies inside `"literal" + std::string`
// that cannot happen.

// "[3/10] "
std::string Counter(int done, int total) {
  char text[32];
  std::snprintf(text, sizeof text, "[%d/%d] ", done, total);
  return text;
}

// "  1:05"
std::string Elapsed(double seconds) {
  const long whole = seconds < 0 ? 0 : static_cast<long>(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "  %ld:%02ld", whole / 60, whole % 60);
  return text;
}

// A name may hold any byte but "/" and NUL; a newline or an escape sequence
// in it would break the line or drive the terminal.
std::string Printable(std::string name) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return name;
}

// Keeps the end of a long name: it is the part that tells files apart.
std::string Shortened(const std::string& name, std::size_t room) {
  if (name.size() <= room) return name;
  if (room <= 3) return name.substr(name.size() - room);
  std::string shortened = "...";
  shortened.append(name, name.size() - (room - 3));
  return shortened;
}

}  // namespace

void frmPressmoorMain::BeginProgress() {
  if (!IsUnattended()) cmdStop.Visible(true);
}

void frmPressmoorMain::ShowProgress(int done, int total, const std::string& currentFile) {
  if (!IsUnattended()) {
    lblProgress.Text("File " + std::to_string(done + 1) + " of " + std::to_string(total) + ": " +
                     currentFile);
    barProgress.Show(done, total);
    lblProgress.Visible(true);
    barProgress.Visible(true);
    return;
  }
  if (!Env().StandardErrorIsTerminal()) return;
  const double now = Env().Clock();
  if (ProgressStartedAt < 0) ProgressStartedAt = now;
  const std::string counter = Counter(done, total);
  const std::string elapsed = Elapsed(now - ProgressStartedAt);
  const std::size_t fixed = counter.size() + elapsed.size();
  const std::size_t room = fixed < kLineWidth ? kLineWidth - fixed : 0;
  std::string line = kClearLine;
  line += counter;
  line += Shortened(Printable(currentFile), room);
  line += elapsed;
  Env().WriteStandardError(line);
}

void frmPressmoorMain::EndProgress() {
  cmdStop.Visible(false);
  lblProgress.Visible(false);
  barProgress.Visible(false);
  lblProgress.Text("");
  barProgress.Show(0, 0);
  if (ProgressStartedAt < 0) return;
  ProgressStartedAt = -1;
  Env().WriteStandardError(kClearLine);
}

}  // namespace pressmoor::ui
