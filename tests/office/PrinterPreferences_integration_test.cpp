// The Quillset preferences through the real office: PDF/A, the paper of
// documents that carry none, tagged PDF, each in force from the next file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

constexpr PageSize kLetter{612, 792};
constexpr PageSize kA4{595, 842};

bool SameSize(PageSize size, PageSize expected) {
  return std::abs(size.width - expected.width) < 1 && std::abs(size.height - expected.height) < 1;
}

// What a PDF says of itself: PDF/A identification, embedded fonts, encryption, tags.
struct PdfFacts {
  std::string pdfaPart, conformance;
  bool allFontsEmbedded = false;
  bool encrypted = true;
  bool tagged = false;
};

std::string XmpField(const std::string& xmp, const std::string& name) {
  std::smatch match;
  // Written as an attribute or as an element, by the XMP writer's taste.
  if (std::regex_search(xmp, match, std::regex(name + R"((?:="|>)([^"<]*))"))) return match[1];
  return {};
}

PdfFacts FactsOf(const std::string& pdf) {
  PdfFacts facts;
  const std::string xmp = CommandOutput("pdfinfo -meta " + Quoted(pdf) + " 2>/dev/null");
  facts.pdfaPart = XmpField(xmp, "pdfaid:part");
  facts.conformance = XmpField(xmp, "pdfaid:conformance");
  const std::string info = CommandOutput("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
  facts.encrypted = !std::regex_search(info, std::regex(R"(\nEncrypted:\s+no)"));
  facts.tagged = std::regex_search(info, std::regex(R"(\nTagged:\s+yes)"));
  // After the two heading lines, one line per font: ... emb sub uni object-id.
  std::istringstream fonts(CommandOutput("pdffonts " + Quoted(pdf) + " 2>/dev/null"));
  std::string line;
  int lines = 0;
  facts.allFontsEmbedded = true;
  while (std::getline(fonts, line)) {
    if (++lines <= 2) continue;
    facts.allFontsEmbedded =
        facts.allFontsEmbedded &&
        std::regex_search(line, std::regex(R"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"));
  }
  facts.allFontsEmbedded = facts.allFontsEmbedded && lines > 2;
  return facts;
}

class PrinterPreferences : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name :
         {driver::kPdfFormatValue, driver::kPaperSizeValue, driver::kTaggedPdfValue}) {
      Prefer(name, "");
    }
  }
  void TearDown() override {
    unsetenv("PAPERSIZE");
    unsetenv("PAPERCONF");
  }

  void Prefer(const char* name, const std::string& value) {
    bed_.SetValue(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, name, value);
  }

  // The converter's sequence, with the default margins for files other than .doc.
  std::string PrintWord(office::WordApplication& word, const std::string& source) {
    const std::string pdf = output_.Sub(std::filesystem::path(source).filename().string() + ".pdf");
    word.ActivePrinter(driver::kPrinterName);
    word.Documents()->Open({source});
    if (!source.ends_with(".doc")) {
      auto setup = word.ActiveDocument()->PageSetup();
      setup->LeftMargin(72);
      setup->RightMargin(72);
      setup->TopMargin(72);
      setup->BottomMargin(72);
      setup->Orientation(0);
    }
    word.ActiveDocument()->PrintOut({pdf, true});
    word.Documents()->Close({false});
    return pdf;
  }

  std::string PrintWorkbook(office::ExcelApplication& excel, const std::string& source) {
    const std::string pdf = output_.Sub(std::filesystem::path(source).filename().string() + ".pdf");
    bed_.SetMachineOutputName(pdf);
    auto workbook = excel.Workbooks()->Open({source, std::nullopt, true});
    workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                        std::string(driver::kPrinterName)});
    workbook->Close({false, std::nullopt, false});
    return pdf;
  }

  std::string Text(const std::string& name) {
    return input_.WriteFile(name, "Minutes " + kSampleWords + "\n");
  }
  std::string Page(const std::string& name) {
    return input_.WriteFile(name, "<html><head><meta charset=\"utf-8\"></head><body><p>Schedule " +
                                      kSampleWords + "</p></body></html>");
  }

  OfficeTestbed bed_;
  TempDir input_;
  TempDir output_;
};

TEST_F(PrinterPreferences, PdfA2bIdentifiesItselfEmbedsEveryFontAndIsNotEncrypted) {
  Prefer(driver::kPdfFormatValue, "PDF/A-2b");
  auto word = bed_.Word();
  std::vector<std::string> pdfs{PrintWord(*word, Fixtures::Get().Path("letter.doc")),
                                PrintWord(*word, Text("minutes.txt"))};
  word->Quit();
  auto excel = bed_.Excel();
  pdfs.push_back(PrintWorkbook(*excel, Fixtures::Get().Path("sheet.xls")));
  excel->Quit();
  for (const std::string& pdf : pdfs) {
    SCOPED_TRACE(pdf);
    const PdfFacts facts = FactsOf(pdf);
    EXPECT_EQ(facts.pdfaPart, "2");
    EXPECT_EQ(facts.conformance, "B");
    EXPECT_TRUE(facts.allFontsEmbedded) << CommandOutput("pdffonts " + Quoted(pdf));
    EXPECT_FALSE(facts.encrypted);
    EXPECT_NE(PdfText(pdf).find(kSampleWords), std::string::npos);
  }
}

TEST_F(PrinterPreferences, PaperSizeIsForTextAndWebPagesOnly) {
  Prefer(driver::kPaperSizeValue, "Letter");
  Prefer(driver::kTaggedPdfValue, "1");
  auto word = bed_.Word();
  for (const std::string& source : {Text("minutes.txt"), Page("schedule.html")}) {
    const std::string pdf = PrintWord(*word, source);
    EXPECT_TRUE(SameSize(PdfPageSize(pdf), kLetter)) << source << " " << PdfPageSize(pdf).width;
    EXPECT_TRUE(FactsOf(pdf).tagged) << source;
    EXPECT_EQ(FactsOf(pdf).pdfaPart, "");
  }
  EXPECT_TRUE(SameSize(PdfPageSize(PrintWord(*word, Fixtures::Get().Path("letter.doc"))), kA4));
  word->Quit();
}

TEST_F(PrinterPreferences, TheMachinesPaperIsTheDefault) {
  const std::string paperFile = input_.WriteFile("papersize", "letter\n");
  const std::string text = Text("minutes.txt");
  struct Case {
    const char* variable;
    std::string value;
  };
  for (const Case& machine : {Case{"PAPERSIZE", "letter"}, Case{"PAPERCONF", paperFile}}) {
    SCOPED_TRACE(machine.variable);
    setenv(machine.variable, machine.value.c_str(), 1);
    auto word = bed_.Word();
    EXPECT_TRUE(SameSize(PdfPageSize(PrintWord(*word, text)), kLetter));
    word->Quit();
    unsetenv(machine.variable);
  }
  // A machine set to nothing prints on A4.
  unsetenv("PAPERSIZE");
  setenv("PAPERCONF", input_.Sub("no-such-file").c_str(), 1);
  auto word = bed_.Word();
  EXPECT_TRUE(SameSize(PdfPageSize(PrintWord(*word, text)), kA4));
  word->Quit();
}

// Later files are printed ahead under the preferences of their time; a
// change must still reach the very next file.
TEST_F(PrinterPreferences, AChangeAppliesFromTheNextFileEvenWhenPrintedAhead) {
  const std::vector<std::string> texts{Text("a.txt"), Text("b.txt"), Text("c.txt")};
  std::vector<std::string> sheets;
  for (const char* name : {"a.xls", "b.xls"}) {
    sheets.push_back(input_.Sub(name));
    std::filesystem::copy_file(Fixtures::Get().Path("sheet.xls"), sheets.back());
  }
  bed_.factory.ExpectDocuments(texts);
  auto word = bed_.Word();
  EXPECT_TRUE(SameSize(PdfPageSize(PrintWord(*word, texts[0])), kA4));
  std::this_thread::sleep_for(std::chrono::seconds(3));  // time to print the next ones ahead
  Prefer(driver::kPaperSizeValue, "letter");
  Prefer(driver::kPdfFormatValue, "PDF/A-1b");
  for (std::size_t i = 1; i < texts.size(); ++i) {
    const std::string pdf = PrintWord(*word, texts[i]);
    EXPECT_TRUE(SameSize(PdfPageSize(pdf), kLetter)) << texts[i];
    EXPECT_EQ(FactsOf(pdf).pdfaPart, "1") << texts[i];
  }
  word->Quit();

  Prefer(driver::kPdfFormatValue, "");
  bed_.factory.ExpectDocuments(sheets);
  auto excel = bed_.Excel();
  EXPECT_EQ(FactsOf(PrintWorkbook(*excel, sheets[0])).pdfaPart, "");
  std::this_thread::sleep_for(std::chrono::seconds(3));
  Prefer(driver::kPdfFormatValue, "PDF/A-3b");
  EXPECT_EQ(FactsOf(PrintWorkbook(*excel, sheets[1])).pdfaPart, "3");
  excel->Quit();
}

}  // namespace
}  // namespace pressmoor::testing
