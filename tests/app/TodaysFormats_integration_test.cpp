// Today's formats through the real program: with -x one `*.*` run converts
// documents, workbooks and presentations of every kind; without it the same
// folder converts only the old kinds, as it always did.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../office/OfficeTestbed.h"
#include "FlatOdf.h"
#include "ProgramRun.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

struct Made {
  std::string name;
  std::string filter;
  std::string words;
  int pages;
};

TEST(TodaysFormats, OneRunConvertsEveryKindWithXAndOnlyTheOldKindsWithout) {
  if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
  TempDir dir;
  const std::string text = dir.WriteFile(
      "made/text.fodt", FlatOdf("text", "<office:text><text:p>Report words</text:p></office:text>"));
  const std::string sheet = dir.WriteFile(
      "made/sheet.fods", FlatOdf("spreadsheet", "<office:spreadsheet><table:table table:name=\"S\"><table:table-row>"
                                             "<table:table-cell><text:p>Sheet words</text:p></table:table-cell>"
                                             "</table:table-row></table:table></office:spreadsheet>"));
  const std::string slides = dir.WriteFile(
      "made/slides.fodp", FlatOdf("presentation", "<office:presentation>" + FlatSlide("First slide") +
                                                   FlatSlide("Second slide") + "</office:presentation>"));
  const std::vector<Made> made{{"report.docx", "MS Word 2007 XML", "Report words", 1},
                               {"report-odt.odt", "writer8", "Report words", 1},
                               {"sheet.xlsx", "Calc MS Excel 2007 XML", "Sheet words", 1},
                               {"deck.pptx", "Impress MS PowerPoint 2007 XML", "Second slide", 2},
                               {"deck-odp.odp", "impress8", "Second slide", 2}};
  {
    office::libreoffice::DocumentWriter writer;
    for (const Made& document : made) {
      const std::string& source = document.name.find("sheet") == 0 ? sheet
                                  : document.name.find("deck") == 0 ? slides
                                                                    : text;
      writer.Convert(source, dir.Sub("in/" + document.name), document.filter);
    }
  }
  dir.WriteFile("in/notes.txt", "Old words\n");
  ProgramRun old(dir.Sub("state"), dir.Sub("old.log"));
  ASSERT_TRUE(old.InstallDriver());
  old.Start({"-f", "*.*", "-s", dir.Sub("in"), "-d", dir.MakeDirectory("old")});
  EXPECT_EQ(old.Finish(), 0);
  EXPECT_EQ(SummaryCount(old.Messages()), 1);
  EXPECT_EQ(PdfCount(dir.Sub("old")), 1);

  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  run.Start({"-x", "-f", "*.*", "-s", dir.Sub("in"), "-d", dir.MakeDirectory("all")});
  EXPECT_EQ(run.Finish(), 0);
  EXPECT_EQ(SummaryCount(run.Messages()), 6);
  for (const Made& document : made) {
    const std::string pdf = dir.Sub("all/" + document.name.substr(0, document.name.rfind('.')) + ".pdf");
    EXPECT_NE(PdfText(pdf).find(document.words), std::string::npos) << document.name;
    EXPECT_EQ(PdfPageCount(pdf), document.pages) << document.name;
  }
  EXPECT_EQ(PdfCount(dir.Sub("all")), 6);
  EXPECT_TRUE(run.Leftovers().empty());
}

}  // namespace
}  // namespace pressmoor::testing
