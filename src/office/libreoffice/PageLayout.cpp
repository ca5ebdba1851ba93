#include "PageLayout.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <optional>

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

// Every page style and table asked in one call instead of three round
// trips per style. The frame's properties in the order
// setPropertyValues and getPropertyValues want: sorted.
const BasicModule kPageLayoutBasic{"PageLayout", R"basic(Option Explicit

Function FrameNames() As Variant
  FrameNames = Array("BottomMargin", "Height", "IsLandscape", "LeftMargin", "RightMargin", "TopMargin", "Width")
End Function

Function Absent(vValue As Variant) As Boolean
  Absent = IsEmpty(vValue) Or IsNull(vValue)
End Function

' A row per page style: name, whether the document holds it, whether a
' laid-out page shows it, and for one it holds its frame.
Function PageStyles(oDoc As Object) As Variant
  On Error GoTo Failed
  Dim oStyles As Object, oStyle As Object, aNames As Variant, aRows() As Variant
  Dim bLaidOut As Boolean, bHeld As Boolean, bInUse As Boolean, i As Long
  oStyles = oDoc.getStyleFamilies().getByName("PageStyles")
  aNames = oStyles.getElementNames()
  bLaidOut = Not IsNull(oDoc.getCurrentController())
  ReDim aRows(UBound(aNames))
  For i = 0 To UBound(aNames)
    oStyle = oStyles.getByName(aNames(i))
    bHeld = oStyle.getPropertyValue("IsPhysical")
    bInUse = False
    If bLaidOut Then bInUse = oStyle.isInUse()
    If bHeld Or bInUse Then
      aRows(i) = Array(aNames(i), bHeld, bInUse, oStyle.getPropertyValues(FrameNames()))
    Else
      aRows(i) = Array(aNames(i), bHeld, bInUse)
    End If
  Next
  PageStyles = aRows
  Exit Function
Failed:
  PageStyles = "PageStyles: " & Error$ & " (" & Err & ")"
End Function

' Writes the frames (none: the page set-up stays), lets the office lay the
' document out when bRelease, gives it the hidden view the PDF export needs,
' and returns its PDF export filter.
Function SetUpForPrint(oDoc As Object, aNames As Variant, aFrames As Variant, bRelease As Boolean) As Variant
  On Error GoTo Failed
  Dim oStyles As Object, i As Long
  Dim aView(1) As New com.sun.star.beans.PropertyValue
  If UBound(aNames) >= 0 Then
    oStyles = oDoc.getStyleFamilies().getByName("PageStyles")
    For i = 0 To UBound(aNames)
      oStyles.getByName(aNames(i)).setPropertyValues(FrameNames(), aFrames(i))
    Next
  End If
  If bRelease Then oDoc.unlockControllers()
  If IsNull(oDoc.getCurrentController()) Then
    aView(0).Name = "Hidden"
    aView(0).Value = True
    aView(1).Name = "Model"
    aView(1).Value = oDoc
    StarDesktop.loadComponentFromURL("private:object", "_blank", 0, aView())
  End If
  If oDoc.supportsService("com.sun.star.text.WebDocument") Then
    SetUpForPrint = Array("writer_web_pdf_Export")
  Else
    SetUpForPrint = Array("writer_pdf_Export")
  End If
  Exit Function
Failed:
  SetUpForPrint = "SetUpForPrint: " & Error$ & " (" & Err & ")"
End Function

' A row per table: HoriOrient, IsWidthRelative, Width, LeftMargin,
' RightMargin, and whether it lies in the text area rather than in a cell or
' a frame (asked only of a table of a width of its own).
Function BodyTables(oDoc As Object) As Variant
  On Error GoTo Failed
  Dim oTables As Object, oTable As Object, oAnchor As Object, aRows() As Variant
  Dim nCount As Long, i As Long, nOrient As Integer, bRelative As Boolean, bInText As Boolean
  oTables = oDoc.getTextTables()
  nCount = oTables.getCount()
  If nCount = 0 Then
    BodyTables = Array()
    Exit Function
  End If
  ReDim aRows(nCount - 1)
  For i = 0 To nCount - 1
    oTable = oTables.getByIndex(i)
    nOrient = oTable.getPropertyValue("HoriOrient")
    bRelative = oTable.getPropertyValue("IsWidthRelative")
    bInText = True
    If nOrient <> com.sun.star.text.HoriOrientation.FULL And Not bRelative Then
      oAnchor = oTable.getAnchor()
      bInText = Absent(oAnchor.getPropertyValue("TextTable")) And Absent(oAnchor.getPropertyValue("TextFrame"))
    End If
    aRows(i) = Array(nOrient, bRelative, oTable.getPropertyValue("Width"), _
                     oTable.getPropertyValue("LeftMargin"), oTable.getPropertyValue("RightMargin"), bInText)
  Next
  BodyTables = aRows
  Exit Function
Failed:
  BodyTables = "BodyTables: " & Error$ & " (" & Err & ")"
End Function
)basic"};

const ::rtl::OUString kFrameProperties[] = {"BottomMargin", "Height",    "IsLandscape", "LeftMargin",
                                            "RightMargin",  "TopMargin", "Width"};
constexpr sal_Int32 kFramePropertyCount = 7;
const ::rtl::OUString kDefaultPageStyle = "Standard";

std::int32_t Length(const Any& value) {
  sal_Int32 length = 0;
  value >>= length;
  return length;
}

PageFrame FrameFrom(const ::rtl::OUString& name, const Sequence<Any>& values) {
  if (values.getLength() != kFramePropertyCount) {
    throw css::uno::RuntimeException("A page style gave no frame.");
  }
  PageFrame frame;
  frame.style = FromUno(name);
  frame.bottom = Length(values[0]);
  frame.height = Length(values[1]);
  values[2] >>= frame.landscape;
  frame.left = Length(values[3]);
  frame.right = Length(values[4]);
  frame.top = Length(values[5]);
  frame.width = Length(values[6]);
  return frame;
}

// Reading a built-in style the document does not hold makes one, so this is
// kept for the default when the document holds no style at all.
PageFrame ReadDefaultFrame(const Reference<css::lang::XComponent>& document) {
  Reference<css::style::XStyleFamiliesSupplier> supplier(document, UNO_QUERY_THROW);
  const Reference<css::container::XNameAccess> styles(
      supplier->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
  Reference<css::beans::XMultiPropertySet> properties(styles->getByName(kDefaultPageStyle), UNO_QUERY_THROW);
  return FrameFrom(kDefaultPageStyle, properties->getPropertyValues(
                                          Sequence<::rtl::OUString>(kFrameProperties, kFramePropertyCount)));
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

std::vector<BodyTable> ReadBodyTables(OfficeSession& session, const Reference<css::lang::XComponent>& document) {
  const Sequence<Any> rows = BasicRows(session.CallBasic(kPageLayoutBasic, "BodyTables", {Any(document)}));
  std::vector<BodyTable> found;
  for (const Any& row : rows) {
    const TableRow table = TableRowFrom(BasicRows(row));
    const std::optional<BodyTable> placed = PlacedTable(table);
    if (placed && table.inTextArea) found.push_back(*placed);
  }
  return found;
}

std::vector<PageFrame> ReadPageFrames(OfficeSession& session, const Reference<css::lang::XComponent>& document) {
  const Sequence<Any> rows = BasicRows(session.CallBasic(kPageLayoutBasic, "PageStyles", {Any(document)}));
  std::vector<PageFrame> inUse;
  std::vector<PageFrame> held;
  bool hasDefault = false;
  for (const Any& value : rows) {
    const Sequence<Any> row = BasicRows(value);
    if (row.getLength() < 3) throw css::uno::RuntimeException("A page style row is short.");
    ::rtl::OUString name;
    bool isHeld = false;
    bool isInUse = false;
    row[0] >>= name;
    row[1] >>= isHeld;
    row[2] >>= isInUse;
    hasDefault = hasDefault || name == kDefaultPageStyle;
    if (row.getLength() < 4) continue;
    const PageFrame frame = FrameFrom(name, BasicRows(row[3]));
    if (isInUse) inUse.push_back(frame);
    if (isHeld) held.push_back(frame);
  }
  // Before any layout no style shows in use, not even one the text names
  // (a first page of its own, a section turned sideways): then every style
  // the document holds may carry pages.
  if (!inUse.empty()) return inUse;
  if (!held.empty()) return held;
  if (hasDefault) return {ReadDefaultFrame(document)};
  return {};
}

std::string SetUpPagesForPrint(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                               const std::vector<PageFrame>& frames, bool releaseLayout) {
  std::vector<Any> names;
  std::vector<Any> values;
  for (const PageFrame& frame : frames) {
    names.emplace_back(ToUno(frame.style));
    const Any frameValues[] = {Any(sal_Int32(frame.bottom)), Any(sal_Int32(frame.height)),
                               Any(frame.landscape),         Any(sal_Int32(frame.left)),
                               Any(sal_Int32(frame.right)),  Any(sal_Int32(frame.top)),
                               Any(sal_Int32(frame.width))};
    values.emplace_back(Sequence<Any>(frameValues, kFramePropertyCount));
  }
  const Sequence<Any> filter = BasicRows(session.CallBasic(
      kPageLayoutBasic, "SetUpForPrint",
      {Any(document), Any(Sequence<Any>(names.data(), static_cast<sal_Int32>(names.size()))),
       Any(Sequence<Any>(values.data(), static_cast<sal_Int32>(values.size()))), Any(releaseLayout)}));
  ::rtl::OUString name;
  if (filter.getLength() != 1 || !(filter[0] >>= name)) {
    throw css::uno::RuntimeException("The office named no PDF export filter.");
  }
  return FromUno(name);
}

}  // namespace pressmoor::office::libreoffice
