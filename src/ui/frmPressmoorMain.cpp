#include "ui/frmPressmoorMain.h"

#include "ui/WindowLayout.h"

namespace pressmoor::ui {

frmPressmoorMain::frmPressmoorMain(platform::Environment& environment)
    : frameFileType(layout::frameFileType),
      cmbFileType(layout::cmbFileType),
      frameSrcDir(layout::frameSrcDir),
      srcdrive(layout::srcdrive, environment.Files()),
      SrcFolder(layout::SrcFolder, environment.Files()),
      srcFileList(layout::srcFileList, environment.Files()),
      frameDstDir(layout::frameDstDir),
      DstDrive(layout::DstDrive, environment.Files()),
      DstFolder(layout::DstFolder, environment.Files()),
      dstFileList(layout::dstFileList, environment.Files()),
      lblSetMargins(layout::lblSetMargins),
      lblLMargin(layout::lblLMargin),
      txtLMargin(layout::txtLMargin),
      lblTMargin(layout::lblTMargin),
      txtTMargin(layout::txtTMargin),
      lblRMargin(layout::lblRMargin),
      txtRmargin(layout::txtRmargin),
      lblBMargin(layout::lblBMargin),
      txtBMargin(layout::txtBMargin),
      frameConvert(layout::frameConvert),
      cmdConvert(layout::cmdConvert),
      lblGeneralInfo(layout::lblGeneralInfo),
      cmdAbout(layout::cmdAbout),
      cmdStop(layout::cmdStop),
      lblProgress(layout::lblProgress),
      barProgress(layout::barProgress),
      env_(environment) {
  WireEvents();
  cmdStop.Visible(false);
  lblProgress.Visible(false);
  barProgress.Visible(false);
}

void frmPressmoorMain::WireEvents() {
  srcdrive.Change = [this] { srcdrive_Change(); };
  DstDrive.Change = [this] { DstDrive_Change(); };
  SrcFolder.Change = [this] { SrcFolder_Change(); };
  DstFolder.Change = [this] { DstFolder_Change(); };
  cmbFileType.Click = [this] { cmbFileType_Click(); };
  cmdConvert.Click = [this] { UserClicksConvert(); };
  cmdAbout.Click = [this] { cmdAbout_Click(); };
  cmdStop.Click = [this] { cmdStop_Click(); };

  txtLMargin.GotFocus = [this] { txtLMargin_GotFocus(); };
  txtRmargin.GotFocus = [this] { txtRmargin_GotFocus(); };
  txtTMargin.GotFocus = [this] { txtTMargin_GotFocus(); };
  txtBMargin.GotFocus = [this] { txtBMargin_GotFocus(); };
  txtLMargin.KeyPress = [this](std::int16_t& key) { txtLMargin_KeyPress(key); };
  txtRmargin.KeyPress = [this](std::int16_t& key) { txtRmargin_KeyPress(key); };
  txtTMargin.KeyPress = [this](std::int16_t& key) { txtTMargin_KeyPress(key); };
  txtBMargin.KeyPress = [this](std::int16_t& key) { txtBMargin_KeyPress(key); };
  txtLMargin.LostFocus = [this] { txtLMargin_LostFocus(); };
  txtRmargin.LostFocus = [this] { txtRmargin_LostFocus(); };
  txtTMargin.LostFocus = [this] { txtTMargin_LostFocus(); };
  txtBMargin.LostFocus = [this] { txtBMargin_LostFocus(); };
  for (TextBox* box : {&txtLMargin, &txtRmargin, &txtTMargin, &txtBMargin}) {
    box->FocusRequested = [this](TextBox& target) { MoveFocus(target); };
  }
}

bool frmPressmoorMain::IsUnattended() { return !env_.CommandLine().empty(); }

void frmPressmoorMain::Unload() { Unloaded = true; }

}  // namespace pressmoor::ui
