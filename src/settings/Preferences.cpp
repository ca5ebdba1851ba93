// The preferences that outlive a run: drives, directories, file type, margins.
#include <cctype>
#include <cstdint>
#include <limits>
#include <string>

#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

constexpr const char* kApplication = "Tarnwick\\Pressmoor";
// The root of the system drive stands where the design says "C:\".
constexpr const char* kSystemDrive = "/";

// The program only ever stores "-1" to "5". Anything else loads as its
// leading whole number (blanks and a sign allowed) clamped to 16 bits, or 0
// when it has none; an unknown index later selects no entry.
std::int16_t ToFileTypeIndex(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long value = 0;
  constexpr long kLimit = std::numeric_limits<std::int16_t>::max() + 1L;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value < kLimit) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int16_t>::min()) value = std::numeric_limits<std::int16_t>::min();
  if (value > std::numeric_limits<std::int16_t>::max()) value = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(value);
}

}  // namespace

void frmPressmoorMain::LoadSettings() {
  if (!IsUnattended()) {
    // A stored drive no longer mounted leaves the drive list where it is;
    // nothing is raised, so this cannot nest again.
    srcdrive.Drive(MyGetSetting(kApplication, "DriveInfo", "SourceDrive", kSystemDrive));
    DstDrive.Drive(MyGetSetting(kApplication, "DriveInfo", "DestinationDrive", kSystemDrive));

    std::string sourceDir = MyGetSetting(kApplication, "Pathinfo", "SourceDir", kSystemDrive);
    if (!SrcFolder.Path(sourceDir)) {
      SendMessage("Source directory " + sourceDir + " does not exist");
      return;
    }
    std::string destinationDir = MyGetSetting(kApplication, "Pathinfo", "DestinationDir", kSystemDrive);
    if (!DstFolder.Path(destinationDir)) {
      SendMessage("Destination directory " + destinationDir + " does not exist");
      return;
    }
    FileTypeIndex = ToFileTypeIndex(MyGetSetting(kApplication, "FileInfo", "DefaultFileType", "0"));
  } else {
    ParseCommandLine();
    ApplyCommandLine();
  }
  txtLMargin.Text(MyGetSetting(kApplication, "FileInfo", "LeftMargin", "0"));
  txtRmargin.Text(MyGetSetting(kApplication, "FileInfo", "RightMargin", "0"));
  txtTMargin.Text(MyGetSetting(kApplication, "FileInfo", "TopMargin", "0"));
  txtBMargin.Text(MyGetSetting(kApplication, "FileInfo", "BottomMargin", "0"));
}

void frmPressmoorMain::SaveSettings() {
  if (IsUnattended()) return;
  MySaveSetting(kApplication, "DriveInfo", "SourceDrive", srcdrive.Drive());
  MySaveSetting(kApplication, "DriveInfo", "DestinationDrive", DstDrive.Drive());
  MySaveSetting(kApplication, "Pathinfo", "SourceDir", srcFileList.Path());
  MySaveSetting(kApplication, "Pathinfo", "DestinationDir", dstFileList.Path());
  MySaveSetting(kApplication, "FileInfo", "DefaultFileType", std::to_string(cmbFileType.ListIndex()));
  SaveMargins();
}

void frmPressmoorMain::SaveMargins() {
  MySaveSetting(kApplication, "FileInfo", "LeftMargin", txtLMargin.Text());
  MySaveSetting(kApplication, "FileInfo", "RightMargin", txtRmargin.Text());
  MySaveSetting(kApplication, "FileInfo", "TopMargin", txtTMargin.Text());
  MySaveSetting(kApplication, "FileInfo", "BottomMargin", txtBMargin.Text());
}

}  // namespace pressmoor::ui
