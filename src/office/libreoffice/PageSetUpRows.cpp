#include "PageSetUpRows.h"

#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <optional>
#include <string>

#include "OfficeStepNames.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Sequence;

const ::rtl::OUString kDefaultPageStyle = "Standard";

// Rows: a value that is not a sequence is a fault of the other side.
Sequence<Any> RowsOf(const Any& value, const char* what) {
  Sequence<Any> rows;
  if (!(value >>= rows)) throw css::uno::RuntimeException(::rtl::OUString::createFromAscii(what));
  return rows;
}

template <typename... Values>
Any Row(const Values&... values) {
  const Any row[] = {Any(values)...};
  return Any(Sequence<Any>(row, static_cast<sal_Int32>(sizeof...(Values))));
}

template <typename T, typename Encode>
Any AsRows(const std::vector<T>& items, Encode encode) {
  Sequence<Any> rows(static_cast<sal_Int32>(items.size()));
  for (std::size_t i = 0; i < items.size(); ++i) rows.getArray()[i] = encode(items[i]);
  return Any(rows);
}

std::int32_t Length(const Any& value) {
  sal_Int32 length = 0;
  value >>= length;
  return length;
}

struct TableRow {
  sal_Int16 orient = 0;
  bool relative = false;
  sal_Int32 width = 0;
  sal_Int32 left = 0;
  sal_Int32 right = 0;
  bool inTextArea = true;
};

TableRow TableRowFrom(const Sequence<Any>& values) {
  if (values.getLength() != 6) throw css::uno::RuntimeException("A table row is short.");
  TableRow row;
  values[0] >>= row.orient;
  values[1] >>= row.relative;
  values[2] >>= row.width;
  values[3] >>= row.left;
  values[4] >>= row.right;
  values[5] >>= row.inTextArea;
  return row;
}

// Where the office puts the table across the text area, unless its width
// follows the text area's.
std::optional<BodyTable> PlacedTable(const TableRow& table) {
  namespace HoriOrientation = css::text::HoriOrientation;
  if (table.orient == HoriOrientation::FULL || table.relative) return std::nullopt;
  BodyTable placed{.width = table.width};
  switch (table.orient) {
    case HoriOrientation::CENTER:
      placed.align = TableAlign::Centre;
      break;
    case HoriOrientation::RIGHT:
      placed.align = TableAlign::Right;
      break;
    case HoriOrientation::NONE:
      placed.align = TableAlign::Indents;
      placed.left = table.left;
      placed.right = table.right;
      break;
    case HoriOrientation::LEFT_AND_WIDTH:
      placed.left = table.left;
      break;
    default:  // the office puts a table aligned left at the edge, whatever its indent
      break;
  }
  return placed;
}

}  // namespace

PageFrame FrameFrom(const ::rtl::OUString& name, const Sequence<Any>& values) {
  if (values.getLength() != steps::kFramePropertyCount) {
    throw css::uno::RuntimeException("A page style gave no frame.");
  }
  PageFrame frame;
  frame.style = ::rtl::OUStringToOString(name, RTL_TEXTENCODING_UTF8).getStr();
  frame.bottom = Length(values[0]);
  frame.height = Length(values[1]);
  values[2] >>= frame.landscape;
  frame.left = Length(values[3]);
  frame.right = Length(values[4]);
  frame.top = Length(values[5]);
  frame.width = Length(values[6]);
  return frame;
}

Sequence<Any> FrameValues(const PageFrame& frame) {
  const Any values[] = {Any(sal_Int32(frame.bottom)), Any(sal_Int32(frame.height)), Any(frame.landscape),
                        Any(sal_Int32(frame.left)),   Any(sal_Int32(frame.right)),  Any(sal_Int32(frame.top)),
                        Any(sal_Int32(frame.width))};
  return Sequence<Any>(values, steps::kFramePropertyCount);
}

std::vector<PageFrame> PageFramesFrom(const Sequence<Any>& styleRows,
                                      const std::function<PageFrame()>& readDefault) {
  std::vector<PageFrame> inUse;
  std::vector<PageFrame> held;
  bool hasDefault = false;
  for (const Any& value : styleRows) {
    const Sequence<Any> row = RowsOf(value, "A page style row is no row.");
    if (row.getLength() < 3) throw css::uno::RuntimeException("A page style row is short.");
    ::rtl::OUString name;
    bool isHeld = false;
    bool isInUse = false;
    row[0] >>= name;
    row[1] >>= isHeld;
    row[2] >>= isInUse;
    hasDefault = hasDefault || name == kDefaultPageStyle;
    if (row.getLength() < 4) continue;
    const PageFrame frame = FrameFrom(name, RowsOf(row[3], "A page style gave no frame."));
    if (isInUse) inUse.push_back(frame);
    if (isHeld) held.push_back(frame);
  }
  // Before any layout no style shows in use, not even one the text names
  // (a first page of its own, a section turned sideways): then every style
  // the document holds may carry pages.
  if (!inUse.empty()) return inUse;
  if (!held.empty()) return held;
  if (hasDefault) return {readDefault()};
  return {};
}

std::vector<BodyTable> BodyTablesFrom(const Sequence<Any>& tableRows) {
  std::vector<BodyTable> found;
  for (const Any& row : tableRows) {
    const TableRow table = TableRowFrom(RowsOf(row, "A table row is no row."));
    const std::optional<BodyTable> placed = PlacedTable(table);
    if (placed && table.inTextArea) found.push_back(*placed);
  }
  return found;
}

Any FramesAsRows(const std::vector<PageFrame>& frames) {
  return AsRows(frames, [](const PageFrame& frame) {
    return Row(::rtl::OStringToOUString(frame.style.c_str(), RTL_TEXTENCODING_UTF8), FrameValues(frame));
  });
}

std::vector<PageFrame> FramesFromRows(const Any& rows) {
  std::vector<PageFrame> frames;
  for (const Any& value : RowsOf(rows, "The frames are no rows.")) {
    const Sequence<Any> row = RowsOf(value, "A frame is no row.");
    ::rtl::OUString name;
    if (row.getLength() != 2 || !(row[0] >>= name)) throw css::uno::RuntimeException("A frame row is short.");
    frames.push_back(FrameFrom(name, RowsOf(row[1], "A frame holds no values.")));
  }
  return frames;
}

Any TablesAsRows(const std::vector<BodyTable>& tables) {
  return AsRows(tables, [](const BodyTable& table) {
    return Row(sal_Int32(table.align), sal_Int32(table.width), sal_Int32(table.left), sal_Int32(table.right));
  });
}

std::vector<BodyTable> TablesFromRows(const Any& rows) {
  std::vector<BodyTable> tables;
  for (const Any& value : RowsOf(rows, "The tables are no rows.")) {
    const Sequence<Any> row = RowsOf(value, "A table is no row.");
    if (row.getLength() != 4) throw css::uno::RuntimeException("A table row is short.");
    tables.push_back(BodyTable{static_cast<TableAlign>(Length(row[0])), Length(row[1]), Length(row[2]),
                               Length(row[3])});
  }
  return tables;
}

Any StepsAsRows(const std::vector<PageStep>& steps) {
  return AsRows(steps, [](const PageStep& step) {
    return Row(step.isOrientation, sal_Int32(step.side), step.points, sal_Int32(step.orientation));
  });
}

std::vector<PageStep> StepsFromRows(const Any& rows) {
  std::vector<PageStep> steps;
  for (const Any& value : RowsOf(rows, "The page steps are no rows.")) {
    const Sequence<Any> row = RowsOf(value, "A page step is no row.");
    PageStep step;
    if (row.getLength() != 4 || !(row[0] >>= step.isOrientation) || !(row[2] >>= step.points)) {
      throw css::uno::RuntimeException("A page step row is short.");
    }
    step.side = static_cast<MarginSide>(Length(row[1]));
    step.orientation = Length(row[3]);
    steps.push_back(step);
  }
  return steps;
}

}  // namespace pressmoor::office::libreoffice
