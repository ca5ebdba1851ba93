// The questions the Word converter asks about a listed file.
#include "convert/TextCase.h"
#include "convert/TodaysFormats.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

bool frmPressmoorMain::IsWordFile(const std::string& name) {
  if (TodaysFormats && convert::TodaysKindOf(name) == convert::TodaysKind::WordProcessing) return true;
  static const std::string kWordEndings = "doc_rtf_txt_html_htm";
  return kWordEndings.find(convert::AsciiLower(convert::LastThree(name))) != std::string::npos;
}

bool frmPressmoorMain::FileLocked(const std::string& path) {
  return !Env().Files().CanOpenExclusively(path);
}

bool frmPressmoorMain::TakesDefaultPage(const std::string& path) {
  return !IsDocFile(path) && convert::TodaysKindOf(path) == convert::TodaysKind::None;
}

bool frmPressmoorMain::IsDocFile(const std::string& path) {
  return convert::AsciiUpper(path).find(".DOC") != std::string::npos;
}

}  // namespace pressmoor::ui
