// Splitting one batch among runs that never talk to each other: the rule,
// reading "K/N", and both converters keeping to their part.
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "convert/BatchPart.h"

namespace pressmoor::testing {
namespace {

using convert::BatchPart;
using convert::InPart;
using ::testing::Each;

TEST(BatchPartRule, IsSixtyFourBitFnv1aOverTheNameBytes) {
  EXPECT_EQ(convert::Fnv1a64(""), 0xcbf29ce484222325ULL);
  EXPECT_EQ(convert::Fnv1a64("a"), 0xaf63dc4c8601ec8cULL);
  EXPECT_EQ(convert::Fnv1a64("foobar"), 0x85944171f73967e8ULL);
  EXPECT_EQ(convert::Fnv1a64("\xff"), 0xaf64724c8602eb6eULL);  // bytes count unsigned
}

TEST(BatchPartRule, ReadingTable) {
  struct Row { std::string text, problem; BatchPart part = {}; };
  const Row rows[] = {
      {"0/1", "", {0, 1}},
      {"3/4", "", {3, 4}},
      {"007/0010", "", {7, 10}},
      {"18446744073709551614/18446744073709551615", "", {18446744073709551614ULL, 18446744073709551615ULL}},
      {"4/4", "K must be below N"},
      {"5/4", "K must be below N"},
      {"1/0", "N must be at least 1"},
      {"0/0", "N must be at least 1"},
      {"", "no part follows it"},
      {"x/2", "K and N must be whole numbers"},
      {"1/x", "K and N must be whole numbers"},
      {"-1/3", "K and N must be whole numbers"},
      {"+1/3", "K and N must be whole numbers"},
      {" 1/3", "K and N must be whole numbers"},
      {"1 /3", "K and N must be whole numbers"},
      {"1/3/5", "K and N must be whole numbers"},
      {"1.0/3", "K and N must be whole numbers"},
      {"1", "K and N must be whole numbers"},
      {"/3", "K and N must be whole numbers"},
      {"1/", "K and N must be whole numbers"},
      {"0/18446744073709551616", "K and N must be below 2^64"},
  };
  for (const Row& row : rows) {
    BatchPart part{99, 100};
    EXPECT_EQ(convert::ReadBatchPart(row.text, part), row.problem) << row.text;
    const BatchPart expected = row.problem.empty() ? row.part : BatchPart{99, 100};
    EXPECT_EQ(part.index, expected.index) << row.text;
    EXPECT_EQ(part.count, expected.count) << row.text;
  }
}

TEST(BatchPartRule, PartsAreDisjointAndCoverEveryName) {
  std::vector<std::string> names{"", ".doc", "a", "A", "\xff\xfe.txt", "my letter - final.doc"};
  for (int i = 0; i < 200; ++i) names.push_back("doc " + std::to_string(i) + ".txt");
  for (std::uint64_t count : {1, 2, 3, 4, 7, 16}) {
    std::vector<int> perPart(count, 0);
    for (const std::string& name : names) {
      int holders = 0;
      for (std::uint64_t index = 0; index < count; ++index) {
        if (InPart({index, count}, name)) {
          ++holders;
          ++perPart[index];
        }
      }
      EXPECT_EQ(holders, 1) << name << " in " << count;
    }
    // Two hundred names leave no part of a few empty.
    EXPECT_THAT(perPart, Each(::testing::Gt(0))) << count;
  }
}

TEST(BatchPartRule, NamesDifferingInOneLetterSplitEvenUnderPowersOfTwo) {
  for (std::uint64_t count : {2, 4}) {
    std::vector<int> perPart(count, 0);
    for (char letter = 'a'; letter <= 'z'; letter += 2) {
      const std::string name = std::string("report-") + letter + ".doc";
      for (std::uint64_t index = 0; index < count; ++index) perPart[index] += InPart({index, count}, name);
    }
    EXPECT_THAT(perPart, Each(::testing::Gt(0))) << count;
  }
}

class PartOfBatch : public ConversionTest {
 protected:
  std::set<std::string> Pdfs() const {
    std::set<std::string> pdfs;
    for (const auto& entry : std::filesystem::directory_iterator(destination)) {
      pdfs.insert(entry.path().filename().string());
    }
    return pdfs;
  }
};

// Workbooks only outside part 2, so that part must not start a spreadsheet.
TEST_F(PartOfBatch, EachPartConvertsAndReadsAheadOnlyItsOwnFiles) {
  std::vector<std::string> names;
  for (int i = 0; i < 8; ++i) {
    const std::string workbook = "sheet " + std::to_string(i) + ".xls";
    if (!InPart({2, 3}, workbook)) names.push_back(workbook);
    names.push_back("doc " + std::to_string(i) + ".txt");
  }
  ASSERT_GT(names.size(), 8u);
  for (const std::string& name : names) Source(name);
  form.FilePattern = "*.*";
  std::int64_t total = 0;

  for (std::uint64_t index = 0; index < 3; ++index) {
    const BatchPart part{index, 3};
    form.Part = part;
    const std::size_t hintsBefore = office.Hints().size();
    const std::set<std::string> pdfsBefore = Pdfs();
    const std::size_t createdBefore = office.CallsTo("CreateObject").size();

    form.cmdConvert_Click();

    std::set<std::string> expected, expectedSources;
    bool anyWorkbook = false;
    for (const std::string& name : names) {
      if (!InPart(part, name)) continue;
      expected.insert(name.substr(0, name.rfind('.')) + ".pdf");
      expectedSources.insert(source + "/" + name);
      anyWorkbook = anyWorkbook || name.ends_with(".xls");
    }
    std::set<std::string> made;
    for (const std::string& pdf : Pdfs()) {
      if (!pdfsBefore.count(pdf)) made.insert(pdf);
    }
    EXPECT_EQ(made, expected) << index;
    EXPECT_EQ(form.ConvertedCount, static_cast<int>(expected.size())) << index;
    std::set<std::string> hinted;
    for (std::size_t hint = hintsBefore; hint < office.Hints().size(); ++hint) {
      hinted.insert(office.Hints()[hint].begin(), office.Hints()[hint].end());
    }
    EXPECT_EQ(hinted, expectedSources) << index;
    const std::vector<std::string> created = office.CallsTo("CreateObject");
    EXPECT_EQ(std::count(created.begin() + static_cast<std::ptrdiff_t>(createdBefore), created.end(),
                         "CreateObject(Excel.Application)"),
              anyWorkbook ? 1 : 0)
        << index;
    EXPECT_EQ(form.srcFileList.ListCount(), static_cast<int>(names.size()));
    total += form.ConvertedCount;
  }

  EXPECT_EQ(total, static_cast<int>(names.size()));
  EXPECT_EQ(Pdfs().size(), names.size());
  EXPECT_THAT(env.eventLog, Each(::testing::StartsWith("Successfully converted ")));
}

}  // namespace
}  // namespace pressmoor::testing
