#include <string>
#include <vector>

#include "driver/Quillset.h"
#include "quillset/Preferences.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// The office reads the preferences again for every file and quietly takes
// the default for a value it does not know; the user hears of it here.
void frmPressmoorMain::ReportPrinterPreferences() {
  const auto read = [this](const char* name) {
    return MyGetSetting(driver::kSettingsApplication, driver::kSettingsSection, name, "");
  };
  std::vector<std::string> problems;
  quillset::Interpret(
      {read(driver::kPdfFormatValue), read(driver::kPaperSizeValue), read(driver::kTaggedPdfValue)},
      &problems);
  for (const std::string& problem : problems) SendMessage(problem);
}

}  // namespace pressmoor::ui
