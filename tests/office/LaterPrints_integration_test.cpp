// Presentations and Word documents of a run printed while a long workbook
// keeps the spreadsheet's caller waiting: in an office of their own, which
// Word then takes, each PDF still its own file's as its application opens
// it, and nothing left behind of those never asked for.
#include <cstdlib>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FlatOdf.h"
#include "OfficeTestbed.h"
#include "StoredZip.h"

namespace pressmoor::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

// A workbook of `rows` rows of numbers: a few thousand print for seconds.
std::string Ledger(int rows) {
  std::string cells;
  for (int column = 1; column <= 24; ++column) cells += "<c><v>" + std::to_string(column) + "</v></c>";
  std::string sheet =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
      "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
  for (int row = 0; row < rows; ++row) sheet += "<row>" + cells + "</row>";
  sheet += "</sheetData></worksheet>";
  const std::string relations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string package = "http://schemas.openxmlformats.org/package/2006/";
  return StoredZip({
      {"[Content_Types].xml",
       "<Types xmlns=\"" + package + "content-types\"><Default Extension=\"rels\" "
       "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default "
       "Extension=\"xml\" ContentType=\"application/xml\"/><Override PartName=\"/xl/workbook.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>"},
      {"_rels/.rels", "<Relationships xmlns=\"" + package + "relationships\"><Relationship Id=\"rId1\" "
                      "Type=\"" + relations + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml",
       "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
           relations + "\"><sheets><sheet name=\"Ledger\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships xmlns=\"" + package + "relationships\"><Relationship Id=\"rId1\" Type=\"" + relations +
           "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", sheet},
  });
}

TEST(LaterPrints, TheLaterApplicationsTakeThemAndEachPdfIsItsFileAsOpened) {
  setenv("PRESSMOOR_OFFICES", "2", 1);
  OfficeTestbed bed;
  TempDir input;
  TempDir output;
  const std::string ledger = input.Sub("ledger.xlsx");
  WriteBytes(ledger, Ledger(10000));
  const std::string quick = input.Sub("quick.xlsx");
  WriteBytes(quick, Ledger(1));
  // Linked in from elsewhere, so the presentations' offices read otherwise than Word's.
  TempDir elsewhere;
  const std::string deck = input.Sub("deck.fodp");
  std::filesystem::create_symlink(
      elsewhere.WriteFile("deck.fodp", FlatOdf("presentation", "<office:presentation>" + FlatSlide("Deck slide") +
                                                                   "</office:presentation>")),
      deck);
  std::vector<office::LaterDocument> later{{"PowerPoint.Application", deck, output.Sub("deck.pdf"), nullptr}};
  std::vector<std::string> texts;
  for (const char* name : {"alpha", "bravo", "charlie", "delta", "never"}) {
    texts.push_back(input.WriteFile(std::string(name) + ".txt", std::string("Word ") + name + "\n"));
    later.push_back({"Word.Application", texts.back(), output.Sub(std::string(name) + ".pdf"),
                     [](office::WordPageSetup& page) { page.LeftMargin(72); }});
  }
  bed.factory.ExpectLaterDocuments(later);

  bed.factory.ExpectDocuments({ledger, quick});
  auto excel = bed.Excel();
  for (const std::string& workbook : {ledger, quick}) {
    bed.SetMachineOutputName(output.Sub(std::filesystem::path(workbook).stem().string() + ".pdf"));
    auto opened = excel->Workbooks()->Open({workbook, std::nullopt, true});
    opened->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::string(driver::kPrinterName)});
    opened->Close({false, std::nullopt, false});
  }
  excel->Quit();
  excel.reset();
  // The workbooks' two offices, and the one that printed the others meanwhile.
  EXPECT_EQ(OfficeChildren().size(), 3u);

  bed.factory.ExpectDocuments({deck});
  auto powerPoint = std::dynamic_pointer_cast<office::PowerPointApplication>(
      bed.factory.CreateObject("PowerPoint.Application"));
  bed.SetMachineOutputName(output.Sub("deck.pdf"));
  auto slides = powerPoint->Presentations()->Open({deck, true, std::nullopt, false});
  slides->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::string(driver::kPrinterName)});
  slides->Close();
  slides.reset();
  powerPoint->Quit();
  powerPoint.reset();

  WriteBytes(texts[2], "Word changed\n");
  texts.pop_back();
  bed.factory.ExpectDocuments(texts);
  auto word = bed.Word();
  word->ActivePrinter(driver::kPrinterName);
  for (const std::string& text : texts) {
    const std::string pdf = output.Sub(std::filesystem::path(text).stem().string() + ".pdf");
    word->Documents()->Open({text});
    word->ActiveDocument()->PageSetup()->LeftMargin(72);
    word->ActiveDocument()->PrintOut({pdf, true});
    word->Documents()->Close({false});
  }
  word->Quit();
  word.reset();
  EXPECT_THAT(PdfText(output.Sub("deck.pdf")), HasSubstr("Deck slide"));
  EXPECT_THAT(PdfText(output.Sub("alpha.pdf")), HasSubstr("Word alpha"));
  EXPECT_THAT(PdfText(output.Sub("charlie.pdf")), HasSubstr("Word changed"));
  EXPECT_THAT(PdfText(output.Sub("delta.pdf")), HasSubstr("Word delta"));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(output.Path())) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(left, UnorderedElementsAre("ledger.pdf", "quick.pdf", "deck.pdf", "alpha.pdf", "bravo.pdf", "charlie.pdf",
                                         "delta.pdf"));
  EXPECT_TRUE(OfficeChildren().empty());
  unsetenv("PRESSMOOR_OFFICES");
}

}  // namespace
}  // namespace pressmoor::testing
