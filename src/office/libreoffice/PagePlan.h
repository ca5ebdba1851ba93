// The planned page set-up of a word-processing document: margins and
// orientation for every page style in use, each change checked against the
// page it will land on before it is accepted. A change fits when it leaves
// every style room for text and pushes no table laid across the text area
// further off any style's page than it was: the office neither shrinks a
// table of fixed width nor keeps it on the page, and prints what sticks out
// nowhere. Each table is checked against every style planned, not just the
// pages it falls on, as a document rarely mixes page widths.
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

// How the office places a table across the text area.
enum class TableAlign {
  Left,     // `left` from the text area's left edge, `width` wide
  Centre,   // `width` wide, centred, however far it sticks out
  Right,    // `width` wide, against the right edge
  Indents,  // `left` and `right` in from the edges, as wide as they leave
};

// A table laid out across the text area, of a width of its own; lengths in
// 1/100 mm.
struct BodyTable {
  TableAlign align = TableAlign::Left;
  std::int32_t width = 0;
  std::int32_t left = 0;
  std::int32_t right = 0;
};

enum class MarginSide { Left, Right, Top, Bottom };

// Smallest text area, each way, a margin may leave on a page (0.5 inch).
inline constexpr std::int32_t kMinimumTextExtent = 1270;

std::int32_t PointsToHundredthsOfMillimetre(double points);

// `frames` on paper `width` by `height` points (portrait), each keeping its
// orientation and margins.
std::vector<PageFrame> OnPaper(std::vector<PageFrame> frames, double width, double height);

// The planned set-up of one document. A change that the page cannot take is
// refused (false) and leaves the plan as it was.
class PagePlan {
 public:
  explicit PagePlan(std::vector<PageFrame> frames, std::vector<BodyTable> tables = {})
      : frames_(std::move(frames)), tables_(std::move(tables)) {}

  bool SetMargin(MarginSide side, double points);
  // 0 portrait, 1 landscape; other values are refused.
  bool SetOrientation(std::int32_t orientation);

  const std::vector<PageFrame>& Frames() const { return frames_; }
  bool Changed() const { return changed_; }

 private:
  bool Fits(const PageFrame& was, const PageFrame& planned) const;
  bool Accept(std::vector<PageFrame> planned);

  std::vector<PageFrame> frames_;
  std::vector<BodyTable> tables_;
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
  bool operator==(const PageStep&) const = default;
};

}  // namespace pressmoor::office::libreoffice
