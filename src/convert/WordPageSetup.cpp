#include "convert/WordPageSetup.h"

#include <functional>

#include "convert/MarginText.h"

namespace pressmoor::convert {

namespace {

void IgnoringFailure(const std::function<void()>& assignment) {
  try {
    assignment();
  } catch (const office::AutomationError&) {
    // A value the page cannot take leaves the page as it was.
  }
}

}  // namespace

void ApplyDefaultPage(office::WordPageSetup& pageSetup, const DefaultPage& page) {
  IgnoringFailure([&] { pageSetup.LeftMargin(MarginPoints(page.leftMargin)); });
  IgnoringFailure([&] { pageSetup.RightMargin(MarginPoints(page.rightMargin)); });
  IgnoringFailure([&] { pageSetup.TopMargin(MarginPoints(page.topMargin)); });
  IgnoringFailure([&] { pageSetup.BottomMargin(MarginPoints(page.bottomMargin)); });
  IgnoringFailure([&] { pageSetup.Orientation(page.landscape ? 1 : 0); });
}

}  // namespace pressmoor::convert
