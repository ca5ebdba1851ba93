#include "PagePlan.h"

#include <cmath>
#include <utility>

namespace pressmoor::office::libreoffice {
namespace {

constexpr double kLargestMarginPoints = 1e6;

std::int32_t* MarginOf(PageFrame& frame, MarginSide side) {
  switch (side) {
    case MarginSide::Left:
      return &frame.left;
    case MarginSide::Right:
      return &frame.right;
    case MarginSide::Top:
      return &frame.top;
    case MarginSide::Bottom:
      break;
  }
  return &frame.bottom;
}

}  // namespace

std::int32_t PointsToHundredthsOfMillimetre(double points) {
  return static_cast<std::int32_t>(std::lround(points * 2540.0 / 72.0));
}

bool PagePlan::Fits(const PageFrame& frame) {
  return frame.width - frame.left - frame.right >= kMinimumTextExtent &&
         frame.height - frame.top - frame.bottom >= kMinimumTextExtent;
}

bool PagePlan::SetMargin(MarginSide side, double points) {
  if (!std::isfinite(points) || points < 0 || points > kLargestMarginPoints) return false;
  std::vector<PageFrame> planned = frames_;
  for (PageFrame& frame : planned) {
    *MarginOf(frame, side) = PointsToHundredthsOfMillimetre(points);
    if (!Fits(frame)) return false;
  }
  frames_ = std::move(planned);
  changed_ = true;
  return true;
}

bool PagePlan::SetOrientation(std::int32_t orientation) {
  if (orientation != 0 && orientation != 1) return false;
  const bool landscape = orientation == 1;
  std::vector<PageFrame> planned = frames_;
  for (PageFrame& frame : planned) {
    // The office does not turn the page for the flag alone.
    const bool wide = frame.width > frame.height;
    if (wide != landscape) std::swap(frame.width, frame.height);
    frame.landscape = landscape;
    if (!Fits(frame)) return false;
  }
  frames_ = std::move(planned);
  changed_ = true;
  return true;
}

}  // namespace pressmoor::office::libreoffice
