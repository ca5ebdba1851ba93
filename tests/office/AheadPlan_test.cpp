#include "AheadPlan.h"

#include <gtest/gtest.h>

#include "CostHistory.h"
#include "OfficeCount.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

using office::libreoffice::AheadPlan;

// Six documents; the fourth is by far the largest.
AheadPlan SixDocuments(std::size_t offices) {
  return AheadPlan({{"a.doc", 10}, {"b.doc", 20}, {"c.doc", 30}, {"big.doc", 900}, {"e.doc", 40},
                    {"f.doc", 50}},
                   offices);
}

// Claims until the plan says stop, each document prepared at once: as a
// PDF printed ahead, or held open.
std::vector<std::size_t> ClaimAll(AheadPlan& plan, bool printed) {
  std::vector<std::size_t> order;
  while (auto index = plan.Claim([printed](const std::string&) { return printed; })) {
    order.push_back(*index);
    plan.Prepared(*index, !printed);
  }
  return order;
}

TEST(AheadPlan, TheCallersNextComeFirstThenTheLargestPrintedAheadThenTheRestInOrder) {
  AheadPlan printing = SixDocuments(2);
  EXPECT_EQ(ClaimAll(printing, true), (std::vector<std::size_t>{0, 1, 3, 5, 4, 2}));

  // Nothing would end as a PDF: documents are held open, two per office.
  AheadPlan loading = SixDocuments(2);
  EXPECT_EQ(ClaimAll(loading, false), (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_FALSE(loading.ClaimForCaller(0));
  loading.Handed(0);
  loading.Reach(1);
  EXPECT_EQ(ClaimAll(loading, false), (std::vector<std::size_t>{4}));
}

TEST(AheadPlan, SkippedDocumentsAreThrownAwayAndOpeningAgainFallsToTheCaller) {
  AheadPlan plan = SixDocuments(1);
  EXPECT_EQ(ClaimAll(plan, true), (std::vector<std::size_t>{0, 3, 5, 4, 2, 1}));
  EXPECT_FALSE(plan.ClaimForCaller(5));
  EXPECT_EQ(plan.Reach(2), (std::vector<std::size_t>{0, 1}));
  EXPECT_TRUE(plan.ClaimForCaller(0));  // thrown away: the caller loads it
  EXPECT_TRUE(plan.ClaimForCaller(0));  // and again, when opened twice
}

// An office holding a document the caller will print there works on the
// caller's next documents only.
TEST(AheadPlan, AnOfficeHoldingADocumentOpenWorksOnlyOnTheCallersNext) {
  const auto printed = [](const std::string&) { return true; };
  AheadPlan plan({{"a.doc", 0.1}, {"b.doc", 0.1}, {"long.xls", 5}, {"d.doc", 0.3}}, 1);
  EXPECT_EQ(plan.Claim(printed, false), 0u);
  plan.Prepared(0, true);
  EXPECT_EQ(plan.Claim(printed, false), std::nullopt);
  EXPECT_FALSE(plan.PreparingALongOne());
  plan.Handed(0);
  plan.Reach(1);
  EXPECT_EQ(plan.Claim(printed, false), 1u);
  EXPECT_EQ(plan.Claim(printed, true), 2u);
  EXPECT_TRUE(plan.PreparingALongOne());
}

TEST(CostHistory, WhatARunRecordedIsKnownToTheNextAndADamagedFileOnlyCostsTheGuess) {
  using office::libreoffice::CostHistory;
  TempDir dir;
  const std::string file = dir.WriteFile("costs.tsv", "2.500\t/old.xls\nnot a line\n-1\t/negative.doc\n");
  {
    CostHistory run(file);
    EXPECT_EQ(run.SecondsFor("/old.xls"), 2.5);
    EXPECT_EQ(run.SecondsFor("/negative.doc"), std::nullopt);
    run.Record("/big.xls", 40);
    run.Record("/line\nbreak.doc", 9);  // cannot be written on one line
    run.Save();
  }
  CostHistory next(file);
  EXPECT_EQ(next.SecondsFor("/big.xls"), 40);
  EXPECT_EQ(next.SecondsFor("/old.xls"), 2.5);
  EXPECT_EQ(next.SecondsFor("/line\nbreak.doc"), std::nullopt);
  // Never seen: a guess that grows with the size.
  EXPECT_LT(next.Estimate("/new-small.doc", 1000), next.Estimate("/new-large.doc", 1000000));
  EXPECT_GT(next.Estimate("/big.xls", 1000), next.Estimate("/new-large.doc", 1000000));

  CostHistory unwritable(dir.Path() + "/costs.tsv/under-a-file.tsv");  // its folder is a file
  unwritable.Record("/a.doc", 1);
  unwritable.Save();  // nothing to show for it, and no failure
}

TEST(OfficeCount, TheSettingWinsElseOnePerCoreThatMemoryCarries) {
  using office::libreoffice::OfficesFor;
  struct Case {
    std::optional<std::string> setting;
    std::size_t cores, megabytes, offices;
  };
  for (const Case& each : std::vector<Case>{{std::nullopt, 2, 24000, 2},
                                            {std::nullopt, 8, 1000, 2},
                                            {std::nullopt, 4, 100, 1},
                                            {"3", 2, 24000, 3},
                                            {"1", 8, 24000, 1},
                                            {"0", 2, 24000, 2},
                                            {"two", 2, 24000, 2},
                                            {"-1", 2, 24000, 2}}) {
    EXPECT_EQ(OfficesFor(each.setting, each.cores, each.megabytes), each.offices)
        << each.setting.value_or("(unset)") << " " << each.cores << " cores";
  }
}

}  // namespace
}  // namespace pressmoor::testing
