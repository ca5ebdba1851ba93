// The one window object. It holds the state of a run in both modes and every
// operation of the program as a member; the members are defined in the folder
// of the subsystem that owns them. Everything outside the process is reached
// through the injected Environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/BatchPart.h"
#include "platform/Environment.h"
#include "ui/Controls.h"

namespace pressmoor::ui {

class frmPressmoorMain {
 public:
  explicit frmPressmoorMain(platform::Environment& environment);
  frmPressmoorMain(const frmPressmoorMain&) = delete;
  frmPressmoorMain& operator=(const frmPressmoorMain&) = delete;

  platform::Environment& Env() { return env_; }

  // ---- Controls, in the window's design order -----------------------------
  Frame frameFileType;
  ComboBox cmbFileType;
  Frame frameSrcDir;
  DriveListBox srcdrive;
  DirListBox SrcFolder;
  FileListBox srcFileList;
  Frame frameDstDir;
  DriveListBox DstDrive;
  DirListBox DstFolder;
  FileListBox dstFileList;
  Label lblSetMargins;
  Label lblLMargin;
  TextBox txtLMargin;
  Label lblTMargin;
  TextBox txtTMargin;
  Label lblRMargin;
  TextBox txtRmargin;
  Label lblBMargin;
  TextBox txtBMargin;
  Frame frameConvert;
  CommandButton cmdConvert;
  Label lblGeneralInfo;
  CommandButton cmdAbout;
  // Only while a run is under way (ui/WindowLayout.h).
  CommandButton cmdStop;
  Label lblProgress;
  ProgressBar barProgress;

  // ---- Window variables shared by the subsystems --------------------------
  std::string FilePattern;
  std::int16_t FileTypeIndex = 0;
  std::string Orientation;
  std::int64_t ConvertedCount = 0;
  std::string ParamFileType;
  std::string ParamSourceDir;
  std::string ParamDestinationDir;
  bool KeepGoing = false;  // -k: a failing file is reported and the run goes on
  // -x, or a file type entry of today's documents: the converters also take
  // today's formats, and the files listed choose the converters.
  bool TodaysFormats = false;
  bool WholeTree = false;  // -r: the files of every subfolder too, PDFs into the same subfolders
  bool OnlyChanged = false;  // -u: a file whose PDF is not older than it is left alone
  int FilesUpToDate = 0;   // left alone by -u in the current run
  std::optional<std::string> ParamPart;  // -n K/N as given
  convert::BatchPart Part;  // of the batch this run converts: all of it unless -n says otherwise

  // ---- Outcome of the run, for the unattended exit status -----------------
  bool DriverCheckFailed = false;
  bool CommandLineFailed = false;   // ApplyCommandLine could not apply the directories or the part
  int MessagesReported = 0;         // every SendMessage
  int SummariesReported = 0;        // of which batch summaries
  bool RunInProgress = false;       // a conversion run is under way
  bool StopRequested = false;       // the user asked the run under way to stop
  bool ClosedDuringRun = false;     // the window was closed mid-run: no more boxes, the program ends
  bool Unloaded = false;            // the window was closed from code
  int ExitStatus() const;           // 0, 1, 2 or 3 as documented in the README
  int StoppedBy = 0;                // the signal that stopped the run, 0 when none did

  bool IsUnattended();  // asks the command line afresh

  // ---- Application control (app/) -----------------------------------------
  void Form_Load();
  void Unload();
  void cmdAbout_Click();
  void LaunchDriverHelper();
  bool FileExists(const std::string& path);
  void ParseCommandLine();
  std::string getparameter(std::int16_t start, const std::string& text);
  void ApplyCommandLine();
  void SendMessage(const std::string& message);
  // One-line progress on a terminal during an unattended run; in the window,
  // file n of N, its name and the bar.
  void ShowProgress(int done, int total, const std::string& currentFile);
  // The window's Stop button, for the run about to start.
  void BeginProgress();
  // Clears the terminal line, hides the window's progress and Stop button.
  void EndProgress();
  double ProgressStartedAt = -1;  // Clock() at the first progress line; -1 while none shows

  // ---- Conversion engine (convert/) ---------------------------------------
  void cmdConvert_Click();
  // Once a signal asked to stop: ends every office and throws
  // convert::RunStopped, which cmdConvert_Click reports. Once the user
  // asked: throws it too, and the run's offices end as it unwinds.
  void StopIfAsked();
  // Where a converter goes from one file to the next: the window's pending
  // events run, then StopIfAsked.
  void BetweenFiles();
  // The Stop button and Escape: the run under way stops at its next stop
  // point, keeping the PDFs made so far. Nothing without a run.
  void cmdStop_Click();
  void ConvertFiles();
  void ConvertWithWord();
  // What ConvertWithWord will print and how, for the converters that run
  // before it to tell the office.
  std::vector<office::LaterDocument> LaterWordDocuments();
  bool IsWordFile(const std::string& name);
  bool FileLocked(const std::string& path);
  bool IsDocFile(const std::string& path);
  void ConvertWithExcel();
  bool IsExcelFile(const std::string& name);
  void ConvertWithPowerPoint();
  bool IsPowerPointFile(const std::string& name);  // never without TodaysFormats
  // What ConvertWithPowerPoint will print, as LaterWordDocuments.
  std::vector<office::LaterDocument> LaterPresentations();
  // False for a file that carries its own page set-up: no default margins, no -o.
  bool TakesDefaultPage(const std::string& path);
  // Tells of every Quillset preference the driver will not take, once per run.
  void ReportPrinterPreferences();
  // The listed files from `firstIndex` on that `converts` takes and -u does
  // not leave alone, as listed.
  std::vector<std::string> ListedNames(bool (frmPressmoorMain::*converts)(const std::string&),
                                       int firstIndex);
  // The same as paths: what the office is told the next application will open.
  std::vector<std::string> ListedFiles(bool (frmPressmoorMain::*converts)(const std::string&),
                                       int firstIndex);
  // With -u: whether the listed file `fileName` already has a PDF where this
  // run would write it, not older than the file. File status only.
  bool IsUpToDate(const std::string& fileName);
  // Makes the destination's subfolder for the listed file `fileName`.
  void MakeOutputFolder(const std::string& fileName);

  // ---- PDF printer driver (driver/) ---------------------------------------
  bool CheckDriverVersion();

  // ---- Settings (settings/) ------------------------------------------------
  void MySaveSetting(const std::string& appName, const std::string& section,
                     const std::string& key, const std::string& setting);
  std::string MyGetSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& defaultValue);
  void LoadSettings();
  void SaveSettings();
  void SaveMargins();

  // ---- Directory selection (ui/) -------------------------------------------
  void srcdrive_Change();
  void DstDrive_Change();
  void SrcFolder_Change();
  void DstFolder_Change();
  void RefreshSourceList();
  void RefreshDestinationList();
  bool CheckSourceDirectory();
  bool CheckDestinationDirectory();

  // ---- File type and margin fields (ui/) -----------------------------------
  void cmbFileType_Click();
  void SetFilePattern(std::int16_t index);
  void UpdateMarginFields();
  void txtLMargin_GotFocus();
  void txtRmargin_GotFocus();
  void txtTMargin_GotFocus();
  void txtBMargin_GotFocus();
  void txtLMargin_KeyPress(std::int16_t& keyAscii);
  void txtRmargin_KeyPress(std::int16_t& keyAscii);
  void txtTMargin_KeyPress(std::int16_t& keyAscii);
  void txtBMargin_KeyPress(std::int16_t& keyAscii);
  void txtLMargin_LostFocus();
  void txtRmargin_LostFocus();
  void txtTMargin_LostFocus();
  void txtBMargin_LostFocus();

  // ---- Focus and user actions (ui/) -----------------------------------------
  // The control holding the keyboard focus; nullptr before any has it.
  Control* ActiveControl() const { return activeControl_; }
  // Gives `control` the focus: the old text box's LostFocus, then the new one's GotFocus.
  void MoveFocus(Control& control);
  // What the views call for a person's choices; refused while a run is in
  // progress so a run's output cannot be redirected half-way.
  bool UserChoosesFileType(std::int16_t index);
  bool UserChoosesDrive(DriveListBox& list, const std::string& drive);
  bool UserOpensDirectory(DirListBox& list, const std::string& path);
  void UserClicksConvert();
  // The window closes: a run under way ends its offices at once and stops,
  // its message goes to the event log only, and the program ends after it.
  void UserClosesWindow();

 private:
  void WireEvents();
  platform::Environment& env_;
  Control* activeControl_ = nullptr;
};

}  // namespace pressmoor::ui
