#include "ui/WindowLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace pressmoor::ui {
namespace {

TEST(WindowLayout, TabIndexesRunFromZeroTo22EachOnce) {
  std::set<int> seen;
  for (const ControlDesign* design : layout::AllControls()) seen.insert(design->tabIndex);
  EXPECT_EQ(seen.size(), 23u);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 22);
}

}  // namespace
}  // namespace pressmoor::ui
