#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "ui/FileTypes.h"

namespace pressmoor::testing {
namespace {

class FileTypeAndMargins : public WindowFixture {
 protected:
  ui::frmPressmoorMain& FilledWindow() {
    auto& window = Window();
    for (int i = 0; i < static_cast<int>(ui::kFileTypeEntries.size()); ++i) {
      window.cmbFileType.List(i, ui::kFileTypeEntries[static_cast<std::size_t>(i)]);
    }
    return window;
  }
  static std::vector<ui::Control*> MarginBlock(ui::frmPressmoorMain& window) {
    return {&window.lblSetMargins, &window.lblLMargin, &window.lblRMargin, &window.lblTMargin, &window.lblBMargin,
            &window.txtLMargin,    &window.txtRmargin, &window.txtTMargin, &window.txtBMargin};
  }
  static bool BlockVisible(ui::frmPressmoorMain& window, bool expected) {
    for (ui::Control* control : MarginBlock(window)) {
      if (control->Visible() != expected) return false;
    }
    return true;
  }
};

TEST_F(FileTypeAndMargins, EachEntrySetsPatternAndMarginVisibility) {
  struct Row { std::int16_t index; const char* pattern; bool margins; bool todays = false; };
  const Row rows[] = {
      {0, "*.doc", false}, {1, "*.htm*", true}, {2, "*.txt", true}, {3, "*.rtf", true}, {4, "*.xls", false},
      {5, "*.*", true},
      {6, "*.docx;*.docm;*.dotx;*.dotm;*.dot;*.odt;*.ott;*.fodt", false, true},
      {7, "*.xlsx;*.xlsm;*.xltx;*.xltm;*.xlsb;*.xlt;*.ods;*.ots;*.fods", false, true},
      {8, "*.ppt;*.pps;*.pot;*.pptx;*.pptm;*.ppsx;*.potx;*.odp;*.otp;*.fodp", false, true},
      {9, ui::kFileTypePatterns[9], true, true},
      {-1, "", true}};
  auto& window = FilledWindow();
  for (const Row& row : rows) {
    window.cmbFileType.ListIndex(row.index);
    EXPECT_EQ(window.FilePattern, row.pattern) << row.index;
    EXPECT_TRUE(BlockVisible(window, row.margins)) << row.index;
    EXPECT_EQ(window.TodaysFormats, row.todays) << row.index;
  }
}

TEST_F(FileTypeAndMargins, OnlyExactWordAndExcelPatternsHideMargins) {
  auto& window = Window();
  window.FilePattern = "*.DOC";
  window.UpdateMarginFields();
  EXPECT_TRUE(BlockVisible(window, true));
  window.FilePattern = "*.xls";
  window.UpdateMarginFields();
  EXPECT_TRUE(BlockVisible(window, false));
  EXPECT_TRUE(window.cmdConvert.Visible());
}

TEST_F(FileTypeAndMargins, HiddenFieldsKeepTheirTexts) {
  auto& window = FilledWindow();
  window.txtTMargin.Text("1.5");
  window.cmbFileType.ListIndex(0);
  window.cmbFileType.ListIndex(5);
  EXPECT_TRUE(BlockVisible(window, true));
  EXPECT_EQ(window.txtTMargin.Text(), "1.5");
}

TEST_F(FileTypeAndMargins, ChoosingTypeRelistsSourceDirectoryAtOnce) {
  std::string source = disk.MakeDirectory("source");
  for (const char* name : {"a.htm", "b.html", "c.txt", "d.HTM"}) disk.WriteFile(std::string("source/") + name, "");
  auto& window = FilledWindow();
  ASSERT_TRUE(window.SrcFolder.Path(source));
  window.cmbFileType.ListIndex(1);
  EXPECT_EQ(Names(window.srcFileList), (std::vector<std::string>{"a.htm", "b.html", "d.HTM"}));
  window.cmbFileType.ListIndex(2);
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"c.txt"});
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(FileTypeAndMargins, EnterCyclesLeftRightTopBottomAndSavesAllFour) {
  auto& window = Window();
  window.txtLMargin.Text("1");
  window.txtRmargin.Text("2");
  window.txtTMargin.Text("abc");
  window.txtBMargin.Text("");
  window.MoveFocus(window.txtLMargin);
  std::vector<std::string> visited;
  for (int i = 0; i < 4; ++i) {
    std::int16_t key = 13;
    auto* box = dynamic_cast<ui::TextBox*>(window.ActiveControl());
    ASSERT_NE(box, nullptr);
    box->KeyPress(key);
    EXPECT_EQ(key, 13);
    visited.push_back(window.ActiveControl()->Name());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"txtRmargin", "txtTMargin", "txtBMargin", "txtLMargin"}));
  EXPECT_EQ(Stored("FileInfo", "LeftMargin"), "1");
  EXPECT_EQ(Stored("FileInfo", "RightMargin"), "2");
  EXPECT_EQ(Stored("FileInfo", "TopMargin"), "abc");
  EXPECT_EQ(Stored("FileInfo", "BottomMargin"), "<none>");  // empty counts as missing
}

TEST_F(FileTypeAndMargins, OtherKeysPassUnchangedAndSaveNothing) {
  auto& window = Window();
  window.MoveFocus(window.txtLMargin);
  std::int16_t key = 'x';
  window.txtLMargin.KeyPress(key);
  EXPECT_EQ(key, 'x');
  EXPECT_EQ(window.ActiveControl(), &window.txtLMargin);
  EXPECT_EQ(Stored("FileInfo", "LeftMargin"), "<none>");
}

TEST_F(FileTypeAndMargins, LeavingAFieldSavesEvenUnchanged) {
  auto& window = Window();
  window.MoveFocus(window.txtBMargin);
  window.MoveFocus(window.cmdConvert);
  EXPECT_EQ(Stored("FileInfo", "LeftMargin"), "0.0");
  EXPECT_EQ(Stored("FileInfo", "BottomMargin"), "0.0");
}

TEST_F(FileTypeAndMargins, FocusPutsCaretAtStartWithNothingSelected) {
  auto& window = Window();
  window.txtRmargin.Text("12.5");
  window.txtRmargin.SelectAll();
  window.txtRmargin.SetFocus();
  EXPECT_EQ(window.ActiveControl(), &window.txtRmargin);
  EXPECT_EQ(window.txtRmargin.SelStart(), 0);
  EXPECT_EQ(window.txtRmargin.SelLength(), 0);
}

TEST_F(FileTypeAndMargins, FocusOnTheFocusedControlRunsNothing) {
  auto& window = Window();
  window.MoveFocus(window.txtLMargin);
  window.txtLMargin.SelectAll();
  window.MoveFocus(window.txtLMargin);
  EXPECT_EQ(window.txtLMargin.SelLength(), 3);
  EXPECT_EQ(Stored("FileInfo", "LeftMargin"), "<none>");
}

TEST_F(FileTypeAndMargins, UserChoicesAreRefusedDuringARun) {
  std::string source = disk.MakeDirectory("source");
  auto& window = FilledWindow();
  window.RunInProgress = true;
  EXPECT_FALSE(window.UserChoosesFileType(2));
  EXPECT_FALSE(window.UserOpensDirectory(window.SrcFolder, source));
  EXPECT_FALSE(window.UserChoosesDrive(window.DstDrive, "/"));
  window.UserClicksConvert();
  EXPECT_EQ(window.cmbFileType.ListIndex(), -1);
  EXPECT_EQ(window.SrcFolder.Path(), disk.Path());
  EXPECT_TRUE(env.messageBoxes.empty());

  window.RunInProgress = false;
  EXPECT_TRUE(window.UserChoosesFileType(2));
  EXPECT_EQ(window.FilePattern, "*.txt");
  EXPECT_TRUE(window.UserOpensDirectory(window.SrcFolder, source));
  EXPECT_EQ(window.srcFileList.Path(), source);
}

}  // namespace
}  // namespace pressmoor::testing
