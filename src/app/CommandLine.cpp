// The options of an unattended run: -f pattern, -s source, -d destination,
// -o orientation, -k keep going past a failing file, -n part of the batch,
// -x today's formats too,
// -r the whole tree, -u only what changed.
#include <cctype>
#include <cstddef>
#include <string>

#include "convert/BatchPart.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// Dashes are everyday characters in Linux paths: only a dash at the very
// start or right after a blank begins an option. `position` is 0-based.
bool StartsOption(const std::string& text, std::size_t position) {
  return text[position] == '-' && (position == 0 || text[position - 1] == ' ');
}

// From the 0-based `start` up to the next option, trailing blanks removed.
std::string ValueFrom(std::size_t start, const std::string& text) {
  std::size_t end = start;
  while (end < text.size() && !StartsOption(text, end)) ++end;
  std::string value = start < text.size() ? text.substr(start, end - start) : std::string();
  while (!value.empty() && value.back() == ' ') value.pop_back();
  return value;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A part that cannot be read must not quietly become the whole batch: with
// N runs sharing one batch, that would convert every file N times.
void ApplyPart(frmPressmoorMain& window) {
  if (!window.ParamPart) return;
  const std::string problem = convert::ReadBatchPart(*window.ParamPart, window.Part);
  if (problem.empty()) return;
  window.CommandLineFailed = true;
  const std::string given = window.ParamPart->empty() ? "" : " " + *window.ParamPart;
  window.SendMessage("Invalid option -n" + given + ": " + problem +
                     "; -n K/N converts part K of N parts, counted from 0");
}

}  // namespace

void frmPressmoorMain::ParseCommandLine() {
  const std::string commandLine = Env().CommandLine();
  for (std::size_t i = 0; i < commandLine.size(); ++i) {
    if (!StartsOption(commandLine, i) || i + 1 >= commandLine.size()) continue;
    // The character after the letter is skipped whatever it is.
    std::size_t valueStart = i + 3;
    switch (commandLine[i + 1]) {
      case 'f': ParamFileType = ValueFrom(valueStart, commandLine); break;
      case 's': ParamSourceDir = ValueFrom(valueStart, commandLine); break;
      case 'd': ParamDestinationDir = ValueFrom(valueStart, commandLine); break;
      case 'o': Orientation = UpperCase(ValueFrom(valueStart, commandLine)); break;
      case 'k': KeepGoing = true; break;
      case 'x': TodaysFormats = true; break;
      case 'r': WholeTree = true; break;
      case 'u': OnlyChanged = true; break;
      case 'n': ParamPart = ValueFrom(valueStart, commandLine); break;
      default: break;
    }
  }
}

std::string frmPressmoorMain::getparameter(std::int16_t start, const std::string& text) {
  return ValueFrom(start < 1 ? 0 : static_cast<std::size_t>(start - 1), text);
}

void frmPressmoorMain::ApplyCommandLine() {
  FilePattern = ParamFileType;
  ApplyPart(*this);
  // The destination falls back to the source so the PDFs land beside their documents.
  const std::string& destination = ParamDestinationDir.empty() ? ParamSourceDir : ParamDestinationDir;
  bool applied = !ParamSourceDir.empty() && SrcFolder.Path(ParamSourceDir) && DstFolder.Path(destination);
  if (applied) {
    // Only now, so that no tree is read wherever the list pointed before.
    srcFileList.Subfolders(WholeTree, DstFolder.Path());
    return;
  }
  // Converting whatever the lists happen to show would put PDFs where nobody asked.
  CommandLineFailed = true;
  SendMessage("Invalid parameters, syntax is -f *.type -s source dir -d destination dir");
}

}  // namespace pressmoor::ui
