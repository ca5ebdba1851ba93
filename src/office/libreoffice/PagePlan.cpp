#include "PagePlan.h"

#include <algorithm>
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

bool LeavesRoomForText(const PageFrame& frame) {
  return frame.width - frame.left - frame.right >= kMinimumTextExtent &&
         frame.height - frame.top - frame.bottom >= kMinimumTextExtent;
}

// How far `table` sticks out past the page's edges, both added up, where
// the office lays it out on a page of `frame`.
std::int64_t Overhang(const PageFrame& frame, const BodyTable& table) {
  const std::int64_t text = std::int64_t{frame.width} - frame.left - frame.right;
  std::int64_t from = table.left;
  std::int64_t to = from + table.width;
  switch (table.align) {
    case TableAlign::Left:
      break;
    case TableAlign::Centre:
      from = (text - table.width) / 2;
      to = from + table.width;
      break;
    case TableAlign::Right:
      from = text - table.width;
      to = text;
      break;
    case TableAlign::Indents:
      to = text - table.right;
      break;
  }
  return std::max<std::int64_t>(0, -(frame.left + from)) +
         std::max<std::int64_t>(0, frame.left + to - frame.width);
}

}  // namespace

std::int32_t PointsToHundredthsOfMillimetre(double points) {
  return static_cast<std::int32_t>(std::lround(points * 2540.0 / 72.0));
}

std::vector<PageFrame> OnPaper(std::vector<PageFrame> frames, double width, double height) {
  const std::int32_t shorter = PointsToHundredthsOfMillimetre(std::min(width, height));
  const std::int32_t longer = PointsToHundredthsOfMillimetre(std::max(width, height));
  for (PageFrame& frame : frames) {
    const bool wide = frame.width > frame.height;
    frame.width = wide ? longer : shorter;
    frame.height = wide ? shorter : longer;
  }
  return frames;
}

bool PagePlan::Fits(const PageFrame& was, const PageFrame& planned) const {
  return LeavesRoomForText(planned) && std::ranges::all_of(tables_, [&](const BodyTable& table) {
           return Overhang(planned, table) <= Overhang(was, table);
         });
}

bool PagePlan::Accept(std::vector<PageFrame> planned) {
  for (std::size_t index = 0; index < planned.size(); ++index) {
    if (!Fits(frames_[index], planned[index])) return false;
  }
  frames_ = std::move(planned);
  changed_ = true;
  return true;
}

bool PagePlan::SetMargin(MarginSide side, double points) {
  if (!std::isfinite(points) || points < 0 || points > kLargestMarginPoints) return false;
  std::vector<PageFrame> planned = frames_;
  for (PageFrame& frame : planned) *MarginOf(frame, side) = PointsToHundredthsOfMillimetre(points);
  return Accept(std::move(planned));
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
  }
  return Accept(std::move(planned));
}

}  // namespace pressmoor::office::libreoffice
