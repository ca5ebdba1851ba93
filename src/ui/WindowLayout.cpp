#include "ui/WindowLayout.h"

namespace pressmoor::ui::layout {

namespace {
constexpr FontDesign kDefaultFont{};
constexpr FontDesign kProductFont{"MS Sans Serif", 9.6, 700, false, false, false, 0};
using K = ControlKind;
}  // namespace

// clang-format off
const ControlDesign frameFileType {"frameFileType", K::Frame, "STEP 1: Select File Type to Convert", 480, 240, 3135, 975, 12, "", kDefaultFont};
const ControlDesign cmbFileType   {"cmbFileType", K::ComboBox, "", 600, 600, 2895, 315, 2, "", kDefaultFont};
const ControlDesign frameSrcDir   {"frameSrcDir", K::Frame, "STEP 2: Select Source Directory", 480, 1440, 3135, 5100, 13, "Directory containing files to be converted", kDefaultFont};
const ControlDesign srcdrive      {"srcdrive", K::DriveList, "", 720, 1680, 2415, 315, 3, "", kDefaultFont};
const ControlDesign SrcFolder     {"SrcFolder", K::DirectoryList, "", 720, 2160, 2415, 1890, 4, "", kDefaultFont};
const ControlDesign srcFileList   {"srcFileList", K::FileList, "", 720, 4200, 2415, 1800, 1, "", kDefaultFont};
const ControlDesign frameDstDir   {"frameDstDir", K::Frame, "STEP 3: Select Destination Directory", 3960, 1440, 2895, 5100, 14, "", kDefaultFont};
const ControlDesign DstDrive      {"DstDrive", K::DriveList, "", 4200, 1680, 2295, 315, 5, "", kDefaultFont};
const ControlDesign DstFolder     {"DstFolder", K::DirectoryList, "", 4200, 2160, 2295, 1890, 6, "Directory for converted PDF files ", kDefaultFont};
const ControlDesign dstFileList   {"dstFileList", K::FileList, "", 4200, 4200, 2295, 1800, 0, "", kDefaultFont};
const ControlDesign lblSetMargins {"lblSetMargins", K::Label, "Default Margins (in inches) :", 4320, 240, 2295, 255, 21, "", kDefaultFont};
const ControlDesign lblLMargin    {"lblLMargin", K::Label, "Left :", 4440, 600, 495, 375, 17, "", kDefaultFont};
const ControlDesign txtLMargin    {"txtLMargin", K::TextBox, "0.0", 4920, 600, 495, 285, 8, "", kDefaultFont};
const ControlDesign lblTMargin    {"lblTMargin", K::Label, "Top :", 5760, 600, 495, 375, 19, "", kDefaultFont};
const ControlDesign txtTMargin    {"txtTMargin", K::TextBox, "0.0", 6240, 600, 495, 285, 10, "", kDefaultFont};
const ControlDesign lblRMargin    {"lblRMargin", K::Label, "Right :", 4320, 960, 495, 375, 18, "", kDefaultFont};
const ControlDesign txtRmargin    {"txtRmargin", K::TextBox, "0.0", 4920, 960, 495, 285, 9, "", kDefaultFont};
const ControlDesign lblBMargin    {"lblBMargin", K::Label, "Bottom :", 5520, 960, 615, 375, 20, "", kDefaultFont};
const ControlDesign txtBMargin    {"txtBMargin", K::TextBox, "0.0", 6240, 960, 495, 285, 11, "", kDefaultFont};
const ControlDesign frameConvert  {"frameConvert", K::Frame, "STEP 4:", 480, 6720, 2535, 1095, 15, "", kDefaultFont};
const ControlDesign cmdConvert    {"cmdConvert", K::CommandButton, "Convert to PDF", 840, 7080, 1815, 495, 7, "", kDefaultFont};
const ControlDesign lblGeneralInfo{"lblGeneralInfo", K::Label, "Pressmoor", 3360, 6840, 3855, 375, 16, "", kProductFont, true};
const ControlDesign cmdAbout      {"cmdAbout", K::CommandButton, "About Pressmoor", 4440, 7320, 1815, 375, 22, "", kDefaultFont};
const ControlDesign cmdStop       {"cmdStop", K::CommandButton, "Stop", 3195, 7320, 1110, 375, 23, "Stop the conversion (Esc)", kDefaultFont};
const ControlDesign lblProgress   {"lblProgress", K::Label, "", 720, 6030, 2415, 225, 24, "", kDefaultFont};
const ControlDesign barProgress   {"barProgress", K::ProgressBar, "", 720, 6270, 2415, 165, 25, "", kDefaultFont};
// clang-format on

const std::array<const ControlDesign*, 23>& AllControls() {
  static const std::array<const ControlDesign*, 23> all{
      &frameFileType, &cmbFileType, &frameSrcDir, &srcdrive,     &SrcFolder,     &srcFileList,
      &frameDstDir,   &DstDrive,    &DstFolder,   &dstFileList,  &lblSetMargins, &lblLMargin,
      &txtLMargin,    &lblTMargin,  &txtTMargin,  &lblRMargin,   &txtRmargin,    &lblBMargin,
      &txtBMargin,    &frameConvert, &cmdConvert, &lblGeneralInfo, &cmdAbout};
  return all;
}

const std::array<const ControlDesign*, 3>& RunControls() {
  static const std::array<const ControlDesign*, 3> run{&cmdStop, &lblProgress, &barProgress};
  return run;
}

}  // namespace pressmoor::ui::layout
