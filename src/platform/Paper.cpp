#include "platform/Paper.h"

#include <paper.h>

#include <cstdlib>
#include <mutex>

namespace pressmoor::platform {
namespace {

// libpaper keeps its state in globals: one caller at a time.
std::mutex& PaperLock() {
  static std::mutex lock;
  return lock;
}

class PaperSession {
 public:
  PaperSession() : lock_(PaperLock()) { paperinit(); }
  ~PaperSession() { paperdone(); }
  PaperSession(const PaperSession&) = delete;
  PaperSession& operator=(const PaperSession&) = delete;

 private:
  std::lock_guard<std::mutex> lock_;
};

std::optional<Paper> Lookup(const std::string& name) {
  const struct paper* found = paperinfo(name.c_str());
  if (!found) return std::nullopt;
  return Paper{papername(found), paperpswidth(found), paperpsheight(found)};
}

}  // namespace

std::optional<Paper> KnownPaper(const std::string& name) {
  if (name.empty()) return std::nullopt;
  PaperSession session;
  return Lookup(name);
}

std::vector<std::string> KnownPaperNames() {
  PaperSession session;
  std::vector<std::string> names;
  for (const struct paper* entry = paperfirst(); entry; entry = papernext(entry)) {
    names.emplace_back(papername(entry));
  }
  return names;
}

Paper MachinePaper() {
  PaperSession session;
  // libpaper's own fallback is Letter; a machine that names nothing gets A4.
  std::optional<Paper> paper;
  if (char* name = systempapername()) {
    if (*name) paper = Lookup(name);
    std::free(name);
  }
  if (!paper) paper = Lookup("a4");
  return paper.value_or(Paper{"a4", 595.276, 841.89});
}

}  // namespace pressmoor::platform
