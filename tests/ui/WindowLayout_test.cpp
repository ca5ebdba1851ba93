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

// The run's controls take room no control but a frame uses, inside the window.
TEST(WindowLayout, RunControlsOverlapNothingButFrames) {
  const auto overlap = [](const ControlDesign& a, const ControlDesign& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  for (const ControlDesign* run : layout::RunControls()) {
    EXPECT_LE(run->left + run->width, layout::kClientWidth) << run->name;
    EXPECT_LE(run->top + run->height, layout::kClientHeight) << run->name;
    for (const ControlDesign* other : layout::AllControls()) {
      if (other->kind == ControlKind::Frame) continue;
      EXPECT_FALSE(overlap(*run, *other)) << run->name << " covers " << other->name;
    }
  }
}

}  // namespace
}  // namespace pressmoor::ui
