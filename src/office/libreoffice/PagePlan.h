// The planned page set-up of a word-processing document: margins and
// orientation for every page style in use, each change checked against the
// page it will land on before it is accepted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pressmoor::office::libreoffice {

// One page style, lengths in 1/100 mm as the office keeps them.
struct PageFrame {
  std::string style;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  bool landscape = false;
  bool operator==(const PageFrame&) const = default;
};

enum class MarginSide { Left, Right, Top, Bottom };

// Smallest text area, each way, a margin may leave on a page (0.5 inch).
inline constexpr std::int32_t kMinimumTextExtent = 1270;

std::int32_t PointsToHundredthsOfMillimetre(double points);

// The planned set-up of one document. A change that the page cannot take is
// refused (false) and leaves the plan as it was.
class PagePlan {
 public:
  explicit PagePlan(std::vector<PageFrame> frames) : frames_(std::move(frames)) {}

  bool SetMargin(MarginSide side, double points);
  // 0 portrait, 1 landscape; other values are refused.
  bool SetOrientation(std::int32_t orientation);

  const std::vector<PageFrame>& Frames() const { return frames_; }
  bool Changed() const { return changed_; }

 private:
  static bool Fits(const PageFrame& frame);

  std::vector<PageFrame> frames_;
  bool changed_ = false;
};

// One accepted change of a plan, to be made again on another document.
struct PageStep {
  bool isOrientation = false;  // else a margin
  MarginSide side = MarginSide::Left;
  double points = 0;
  std::int32_t orientation = 0;

  bool ApplyTo(PagePlan& plan) const {
    return isOrientation ? plan.SetOrientation(orientation) : plan.SetMargin(side, points);
  }
};

}  // namespace pressmoor::office::libreoffice
