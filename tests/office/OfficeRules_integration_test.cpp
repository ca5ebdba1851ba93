// The decisions taken before or after asking the office: how a text file or
// a web page is read, whether a loaded file is what its name says, which
// page set-ups fit, what of the office's words a user sees.
#include <limits>

#include <gtest/gtest.h>

#include "FileKinds.h"
#include "OfficeTestbed.h"
#include "OfficeWords.h"
#include "PagePlan.h"
#include "TextEncoding.h"

namespace pressmoor::office::libreoffice {
namespace {

using pressmoor::testing::Encoded;
using pressmoor::testing::kLegacySamples;
using pressmoor::testing::LegacySample;

TEST(TextEncoding, ByteOrderMarkThenUtf8ThenTheDetectorThenTheEightBitDefault) {
  struct Case {
    std::string bytes;
    const char* office;
  };
  std::vector<Case> cases{
      {"", "UTF8"},
      {"plain ascii", "UTF8"},
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80", "UTF8"},
      {"\xEF\xBB\xBFtext", "UTF8"},
      {std::string("\xFF\xFEG\0", 4), "UNICODE"},
      {std::string("\xFE\xFF\0G", 4), "UNICODE"},
      // Too few letters outside ASCII for the detector to be sure: it would
      // say Latin-2 for the second.
      {"Gr\xFC\xDF" "e", "MS_1252"},
      {"na\xEFve caf\xE9", "MS_1252"},
      // Overlong form, surrogate, beyond U+10FFFF, cut-off sequence.
      {"\xC0\xAF", "MS_1252"},
      {"\xED\xA0\x80", "MS_1252"},
      {"\xF4\x90\x80\x80", "MS_1252"},
      {"caf\xC3", "MS_1252"}};
  for (const LegacySample& sample : kLegacySamples) {
    cases.push_back({Encoded(sample.text, sample.encoding), sample.office});
  }
  for (const Case& c : cases) {
    EXPECT_EQ(DetectTextEncoding(c.bytes).office, c.office) << c.bytes;
  }
  EXPECT_EQ(TextFilterOptions(DetectTextEncoding(cases.back().bytes)), "MS_1256,LF,,,");
}

TEST(LoadFilter, ForcedOnlyForTextAndHtml) {
  EXPECT_EQ(ChooseLoadFilter("/a/notes.TXT", "Gr\xFC\xDF" "e").options, "MS_1252,LF,,,");
  EXPECT_EQ(ChooseLoadFilter("/a/notes.txt", "x").name, "Text (encoded)");
  EXPECT_EQ(ChooseLoadFilter("/a/page.htm", "").name, "HTML (StarWriter)");
  EXPECT_EQ(ChooseLoadFilter("/a/page.Html", "").name, "HTML (StarWriter)");
  EXPECT_EQ(ChooseLoadFilter("/a/letter.doc", "").name, "");
  EXPECT_EQ(ChooseLoadFilter("/a.txt/letter", "").name, "");
}

TEST(LoadFilter, AWebPageThatNamesNoCharsetIsReadInTheOneDetected) {
  const std::string russian = Encoded("Москва является столицей России", "KOI8-R");
  struct Case {
    const char* what;
    std::string page;
    const char* charset;
  };
  const std::vector<Case> cases{
      {"no declaration", "<html><body><p>" + russian + "</p></body></html>", "koi8-r"},
      {"Shift_JIS", "<p>" + Encoded(kLegacySamples[0].text, "SHIFT_JIS") + "</p>", "ms_kanji"},
      {"meta charset", "<meta charset=\"windows-1251\"><p>" + russian, ""},
      {"content type",
       "<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset = koi8-r'>" + russian, ""},
      {"a meta that only mentions charset", "<meta name=\"charset\" content=\"utf-8\">" + russian,
       "koi8-r"},
      {"UTF-8", "<p>Gr\xC3\xBC\xC3\x9F" "e</p>", ""},
      {"byte order mark", std::string("\xFF\xFE<\0p\0>\0\xFC\0", 10), ""},
      {"too little to tell", "<p>Gr\xFC\xDF" "e</p>", "windows-1252"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLoadFilter("/a/page.html", c.page).pageCharset, c.charset) << c.what;
  }
  EXPECT_EQ(ChooseLoadFilter("/a/notes.txt", russian).pageCharset, "");
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

TEST(PagePlan, NoChangePushesATableOfTheBodyFurtherOffThePage) {
  // A4 turned sideways with 1 cm margins: 297 mm wide, 277 mm of text.
  const PageFrame wide{"Default", 29700, 21000, 1000, 1000, 1000, 1000, true};
  const PageStep upright{.isOrientation = true, .orientation = 0};
  const auto margin = [](MarginSide side, double points) {
    return PageStep{.side = side, .points = points};
  };
  const double threeCentimetres = 85.04;
  struct Case {
    const char* what;
    BodyTable table;
    PageStep step;
    bool fits;
  };
  const Case cases[] = {
      {"centred, turned upright", {TableAlign::Centre, 28000}, upright, false},
      {"centred, no left margin", {TableAlign::Centre, 28000}, margin(MarginSide::Left, 0), true},
      {"centred, pushed left", {TableAlign::Centre, 28000},
       margin(MarginSide::Right, threeCentimetres), false},
      {"into the left margin, none left", {TableAlign::Left, 20000, -200},
       margin(MarginSide::Left, 0), false},
      {"into the left margin, none right", {TableAlign::Left, 20000, -200},
       margin(MarginSide::Right, 0), true},
      {"against the right edge, pushed left", {TableAlign::Right, 28000},
       margin(MarginSide::Right, threeCentimetres), false},
      {"as wide as its indents allow, none left", {TableAlign::Indents, 0, -500},
       margin(MarginSide::Left, 0), false},
      {"as wide as its indents allow, turned upright", {TableAlign::Indents, 0, -500}, upright, true},
      // Already off the page: what does not push it further fits.
      {"too wide already, top margin", {TableAlign::Left, 30000}, margin(MarginSide::Top, 0), true},
      {"too wide already, less off", {TableAlign::Left, 30000}, margin(MarginSide::Left, 0), true},
      {"too wide already, turned upright", {TableAlign::Left, 30000}, upright, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PagePlan plan({wide}, {c.table});
    EXPECT_EQ(c.step.ApplyTo(plan), c.fits);
    if (!c.fits) {
      EXPECT_EQ(plan.Frames()[0], wide) << "a refused change changes nothing";
    }
  }
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
