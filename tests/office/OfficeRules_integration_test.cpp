// The decisions taken before or after asking the office: how a text file is
// read, whether a loaded file is what its name says, which page set-ups fit,
// what of the office's words a user sees.
#include <limits>

#include <gtest/gtest.h>

#include "FileKinds.h"
#include "OfficeWords.h"
#include "PagePlan.h"
#include "TextEncoding.h"

namespace pressmoor::office::libreoffice {
namespace {

TEST(TextEncoding, TellsUtf8Utf16AndEightBitApart) {
  EXPECT_EQ(DetectTextEncoding(""), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("plain ascii"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBFtext"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding(std::string("\xFF\xFEG\0", 4)), TextEncoding::Utf16);
  EXPECT_EQ(DetectTextEncoding(std::string("\xFE\xFF\0G", 4)), TextEncoding::Utf16);
  EXPECT_EQ(DetectTextEncoding("Gr\xFC\xDF" "e"), TextEncoding::EightBit);
  // Overlong form, surrogate, beyond U+10FFFF, cut-off sequence.
  EXPECT_EQ(DetectTextEncoding("\xC0\xAF"), TextEncoding::EightBit);
  EXPECT_EQ(DetectTextEncoding("\xED\xA0\x80"), TextEncoding::EightBit);
  EXPECT_EQ(DetectTextEncoding("\xF4\x90\x80\x80"), TextEncoding::EightBit);
  EXPECT_EQ(DetectTextEncoding("caf\xC3"), TextEncoding::EightBit);
}

TEST(LoadFilter, ForcedOnlyForTextAndHtml) {
  EXPECT_EQ(ChooseLoadFilter("/a/notes.TXT", "Gr\xFC\xDF" "e").options, "MS_1252,LF,,,");
  EXPECT_EQ(ChooseLoadFilter("/a/notes.txt", "x").name, "Text (encoded)");
  EXPECT_EQ(ChooseLoadFilter("/a/page.htm", "").name, "HTML (StarWriter)");
  EXPECT_EQ(ChooseLoadFilter("/a/page.Html", "").name, "HTML (StarWriter)");
  EXPECT_EQ(ChooseLoadFilter("/a/letter.doc", "").name, "");
  EXPECT_EQ(ChooseLoadFilter("/a.txt/letter", "").name, "");
}

TEST(LoadFilter, PlainTextOrCsvBehindADocumentNameIsRefused) {
  EXPECT_FALSE(FilterFitsName("x.doc", "Text"));
  EXPECT_FALSE(FilterFitsName("x.DOC", "Text (encoded)"));
  EXPECT_TRUE(FilterFitsName("x.doc", "MS Word 97"));
  EXPECT_TRUE(FilterFitsName("x.doc", "Rich Text Format"));
  EXPECT_FALSE(FilterFitsName("x.xls", "Text - txt - csv (StarCalc)"));
  EXPECT_TRUE(FilterFitsName("x.xls", "MS Excel 97"));
  EXPECT_TRUE(FilterFitsName("x.txt", "Text (encoded)"));
}

PagePlan LetterPage() {
  // 8.5 x 11 inches with 1-inch margins, in 1/100 mm.
  return PagePlan({{"Default", 21590, 27940, 2540, 2540, 2540, 2540, false},
                   {"First", 21590, 27940, 2000, 2000, 2000, 2000, false}});
}

TEST(PagePlan, MarginsApplyToEveryStyleInHundredthsOfMillimetre) {
  PagePlan plan = LetterPage();
  EXPECT_FALSE(plan.Changed());
  EXPECT_TRUE(plan.SetMargin(MarginSide::Left, 36));
  EXPECT_TRUE(plan.SetMargin(MarginSide::Bottom, 0));
  for (const PageFrame& frame : plan.Frames()) {
    EXPECT_EQ(frame.left, 1270);
    EXPECT_EQ(frame.bottom, 0);
  }
  EXPECT_TRUE(plan.Changed());
}

TEST(PagePlan, MarginsThatLeaveNoRoomAreRefusedWholly) {
  PagePlan plan = LetterPage();
  EXPECT_FALSE(plan.SetMargin(MarginSide::Left, -0.5));
  EXPECT_FALSE(plan.SetMargin(MarginSide::Left, std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(plan.SetMargin(MarginSide::Left, std::numeric_limits<double>::quiet_NaN()));
  // 612 pt wide, right margin 72: a left margin of 540 leaves nothing.
  EXPECT_FALSE(plan.SetMargin(MarginSide::Left, 540));
  EXPECT_TRUE(plan.SetMargin(MarginSide::Left, 500));
  EXPECT_EQ(plan.Frames()[1].left, PointsToHundredthsOfMillimetre(500));
  EXPECT_FALSE(plan.SetMargin(MarginSide::Right, 100));
  EXPECT_EQ(plan.Frames()[0].right, 2540) << "a refused margin changes nothing";
}

TEST(PagePlan, LandscapeSwapsTheSidesOnceAndChecksTheMarginsAgain) {
  PagePlan plan = LetterPage();
  EXPECT_TRUE(plan.SetOrientation(1));
  EXPECT_TRUE(plan.SetOrientation(1));
  EXPECT_EQ(plan.Frames()[0].width, 27940);
  EXPECT_EQ(plan.Frames()[0].height, 21590);
  EXPECT_TRUE(plan.Frames()[0].landscape);
  EXPECT_TRUE(plan.SetOrientation(0));
  EXPECT_EQ(plan.Frames()[0].width, 21590);
  EXPECT_FALSE(plan.SetOrientation(2));

  // Top and bottom fit a tall page but not the same page turned.
  ASSERT_TRUE(plan.SetMargin(MarginSide::Top, 330));
  ASSERT_TRUE(plan.SetMargin(MarginSide::Bottom, 250));
  EXPECT_FALSE(plan.SetOrientation(1));
  EXPECT_FALSE(plan.Frames()[0].landscape);
}

TEST(OfficeWords, LeaveOutWhereInTheOfficeTheyCameFrom) {
  EXPECT_EQ(OfficeWords("Binary URP bridge disposed during call at ./binaryurp/source/bridge.cxx:613"),
            "Binary URP bridge disposed during call");
  EXPECT_EQ(OfficeWords("SfxBaseModel::impl_store <file:///out/a.pdf> failed: 0xc10 "
                        "at /build/sfx2/source/doc/sfxbasemodel.cxx:3212 at ./x.cxx:1"),
            "SfxBaseModel::impl_store <file:///out/a.pdf> failed: 0xc10");
  EXPECT_EQ(OfficeWords("type detection failed"), "type detection failed");
  EXPECT_EQ(OfficeWords("look at page 2: done"), "look at page 2: done");
}

}  // namespace
}  // namespace pressmoor::office::libreoffice
