// Design-time data of the main window: one place for the drawn window and
// the tests to read positions, texts, tab order and fonts from.
#pragma once

#include <array>

#include "ui/Controls.h"

namespace pressmoor::ui::layout {

inline constexpr const char* kCaption = "Pressmoor from Tarnwick, LLC.  ";
inline constexpr int kClientWidth = 7212;   // twips
inline constexpr int kClientHeight = 8016;  // twips
inline constexpr int kTwipsPerPixel = 15;

extern const ControlDesign frameFileType;
extern const ControlDesign cmbFileType;
extern const ControlDesign frameSrcDir;
extern const ControlDesign srcdrive;
extern const ControlDesign SrcFolder;
extern const ControlDesign srcFileList;
extern const ControlDesign frameDstDir;
extern const ControlDesign DstDrive;
extern const ControlDesign DstFolder;
extern const ControlDesign dstFileList;
extern const ControlDesign lblSetMargins;
extern const ControlDesign lblLMargin;
extern const ControlDesign txtLMargin;
extern const ControlDesign lblTMargin;
extern const ControlDesign txtTMargin;
extern const ControlDesign lblRMargin;
extern const ControlDesign txtRmargin;
extern const ControlDesign lblBMargin;
extern const ControlDesign txtBMargin;
extern const ControlDesign frameConvert;
extern const ControlDesign cmdConvert;
extern const ControlDesign lblGeneralInfo;
extern const ControlDesign cmdAbout;

// All 23, in design order.
const std::array<const ControlDesign*, 23>& AllControls();

// Shown only while a run is under way, in the room the 23 leave free: the
// Stop button beside STEP 4, the progress below the source file list.
extern const ControlDesign cmdStop;
extern const ControlDesign lblProgress;
extern const ControlDesign barProgress;
const std::array<const ControlDesign*, 3>& RunControls();

}  // namespace pressmoor::ui::layout
