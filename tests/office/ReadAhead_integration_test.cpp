// Documents read ahead in a second office: each PDF still holds its own
// file's text as it was when opened, a file skipped or changed is handled,
// a read-ahead failure belongs to the Open that asks for the file, and no
// office outlives Quit.
#include <chrono>
#include <filesystem>
#include <iterator>
#include <optional>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ReadAheadTest : public ::testing::Test {
 protected:
  std::string Text(const std::string& name, const std::string& words) {
    return input_.WriteFile(name, words + "\n");
  }

  std::shared_ptr<office::WordApplication> WordExpecting(std::vector<std::string> paths) {
    bed_.factory.ExpectDocuments(std::move(paths));
    auto word = bed_.Word();
    word->ActivePrinter(driver::kPrinterName);
    return word;
  }

  // The Word converter's calls for one file; returns the PDF's text.
  std::string Convert(office::WordApplication& word, const std::string& source) {
    const std::string pdf =
        output_.Sub(std::filesystem::path(source).stem().string() + ".pdf");
    word.Documents()->Open({source});
    word.ActiveDocument()->PrintOut({pdf, true});
    word.Documents()->Close({false});
    return PdfText(pdf);
  }

  OfficeTestbed bed_;
  TempDir input_;
  TempDir output_;
};

TEST_F(ReadAheadTest, EveryPdfHoldsItsOwnFileAndQuitEndsBothOffices) {
  std::vector<std::string> files;
  for (const char* word : {"alpha", "bravo", "charlie", "delta"}) {
    files.push_back(Text(std::string(word) + ".txt", std::string("Word ") + word));
  }
  auto word = WordExpecting(files);
  for (const std::string& file : files) {
    const std::string name = std::filesystem::path(file).stem().string();
    EXPECT_THAT(Convert(*word, file), HasSubstr("Word " + name)) << name;
  }
  EXPECT_EQ(OfficeChildren().size(), 2u);
  word->Quit();
  EXPECT_TRUE(OfficeChildren().empty());
}

// Later documents are printed ahead the way the first was; each PDF must
// still come out as its own page set-up and output name ask.
TEST_F(ReadAheadTest, EveryPdfHasTheMarginsAndPlaceAskedForItself) {
  struct Print {
    std::optional<double> leftMargin;  // no page set-up when empty
    bool elsewhere = false;            // a PDF directory not used before
  };
  const std::vector<Print> prints = {{144}, {144}, {144}, {}, {144}, {36}, {144, true}, {144}};
  std::vector<std::string> files;
  for (std::size_t i = 0; i < prints.size(); ++i) {
    files.push_back(Text("doc" + std::to_string(i) + ".txt", "Document " + std::to_string(i)));
  }
  auto word = WordExpecting(files);
  TempDir elsewhere;
  for (std::size_t i = 0; i < prints.size(); ++i) {
    const std::string pdf =
        (prints[i].elsewhere ? elsewhere : output_).Sub("doc" + std::to_string(i) + ".pdf");
    word->Documents()->Open({files[i]});
    if (prints[i].leftMargin) word->ActiveDocument()->PageSetup()->LeftMargin(*prints[i].leftMargin);
    word->ActiveDocument()->PrintOut({pdf, true});
    word->Documents()->Close({false});

    EXPECT_THAT(PdfText(pdf), HasSubstr("Document " + std::to_string(i))) << i;
    const double left = FirstWordPosition(pdf).first;
    if (prints[i].leftMargin) {
      EXPECT_NEAR(left, *prints[i].leftMargin, 2) << i;
    } else {
      EXPECT_NEAR(left, 56.7, 2) << i << ": the document's own 2 cm margin";
    }
  }
  word->Quit();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output_.Path()), {}), 7)
      << "a PDF printed ahead was left behind";
}

TEST_F(ReadAheadTest, AFileRewrittenAfterItWasReadAheadPrintsWhatItHoldsWhenOpened) {
  const std::string first = Text("first.txt", "First file");
  const std::string second = Text("second.txt", "Old words");
  auto word = WordExpecting({first, second});
  word->Documents()->Open({first});
  // Let the read of the second file finish before it changes.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  Text("second.txt", "New words that are longer");
  word->Documents()->Close({false});

  const std::string text = Convert(*word, second);
  EXPECT_THAT(text, HasSubstr("New words"));
  EXPECT_THAT(text, Not(HasSubstr("Old words")));
  word->Quit();
}

TEST_F(ReadAheadTest, AFileSkippedOrOpenedThatWasNeverExpectedStillConverts) {
  const std::string a = Text("a.txt", "File a");
  const std::string b = Text("b.txt", "File b");
  const std::string c = Text("c.txt", "File c");
  const std::string stranger = Text("stranger.txt", "Unexpected file");
  auto word = WordExpecting({a, b, c});
  EXPECT_THAT(Convert(*word, a), HasSubstr("File a"));
  EXPECT_THAT(Convert(*word, c), HasSubstr("File c"));
  EXPECT_THAT(Convert(*word, stranger), HasSubstr("Unexpected file"));
  EXPECT_THAT(Convert(*word, b), HasSubstr("File b"));
  word->Quit();
  EXPECT_TRUE(OfficeChildren().empty());
}

TEST_F(ReadAheadTest, AFailureToReadAheadIsThrownByTheOpenOfThatFile) {
  const std::string good = Text("good.txt", "Good file");
  const std::string broken = Fixtures::Get().Path("truncated.doc");
  auto word = WordExpecting({good, broken});
  EXPECT_THAT(Convert(*word, good), HasSubstr("Good file"));
  EXPECT_EQ(CaughtError([&] { word->Documents()->Open({broken}); }).Number(),
            office::errors::kCannotOpenFile);
  word->Quit();
}

TEST_F(ReadAheadTest, QuitDuringAReadAheadLeavesNoOffice) {
  std::string large;
  for (int line = 0; line < 20000; ++line) large += "Line " + std::to_string(line) + "\n";
  const std::string first = Text("first.txt", "First file");
  const std::string second = input_.WriteFile("large.txt", large);
  auto word = WordExpecting({first, second});
  word->Documents()->Open({first});
  word->Quit();
  EXPECT_TRUE(OfficeChildren().empty());
}

// A workbook asked for one page may have been printed whole ahead and
// closed: then it is opened again for that print.
TEST_F(ReadAheadTest, WorkbooksAreReadAheadToo) {
  const std::string first = input_.Sub("one.xls");
  const std::string second = input_.Sub("two.xls");
  std::filesystem::copy_file(Fixtures::Get().Path("sheet.xls"), first);
  std::filesystem::copy_file(Fixtures::Get().Path("sheet.xls"), second);
  bed_.factory.ExpectDocuments({first, second});
  auto excel = bed_.Excel();
  for (const auto& [name, page] : {std::pair<std::string, std::optional<std::int32_t>>{"one", std::nullopt},
                                   {"two", 1}}) {
    bed_.SetMachineOutputName(output_.Sub(name + ".pdf"));
    auto workbook = excel->Workbooks()->Open({input_.Sub(name + ".xls"), std::nullopt, true});
    workbook->PrintOut({page, page, std::nullopt, std::nullopt, std::string(driver::kPrinterName)});
    workbook->Close({false, std::nullopt, false});
    EXPECT_THAT(PdfText(output_.Sub(name + ".pdf")), HasSubstr("Amount")) << name;
  }
  excel->Quit();
}

}  // namespace
}  // namespace pressmoor::testing
