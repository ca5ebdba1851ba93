// A word-processing document's page set-up as rows of UNO values: the form
// in which the office component reads it and in which it crosses the bridge.
// Compiled into both the client and the office component, so that both
// sides read a row the same way.
#pragma once

#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

#include <functional>
#include <vector>

#include "PagePlan.h"

namespace pressmoor::office::libreoffice {

namespace css = ::com::sun::star;

// Rows of the page styles as the component's PageSetUp step reads them:
// (name, held, in use[, frame values]). The styles in use; before any
// layout, every style the document holds; with neither, the default style,
// which `readDefault` reads: reading a style the document does not hold
// makes one. Throws css::uno::RuntimeException for a short row.
std::vector<PageFrame> PageFramesFrom(const css::uno::Sequence<css::uno::Any>& styleRows,
                                      const std::function<PageFrame()>& readDefault);

// Rows of the tables as the component reads them: (HoriOrient,
// IsWidthRelative, Width, LeftMargin, RightMargin, lies in the text area).
// Only tables of a width of their own that lie in the text area are kept.
std::vector<BodyTable> BodyTablesFrom(const css::uno::Sequence<css::uno::Any>& tableRows);

// One frame from the values of the frame properties (steps::kFrameProperties
// in order), and back.
PageFrame FrameFrom(const ::rtl::OUString& name, const css::uno::Sequence<css::uno::Any>& values);
css::uno::Sequence<css::uno::Any> FrameValues(const PageFrame& frame);

// Frames, tables and page steps as rows and back, for a result or an
// argument of a step.
css::uno::Any FramesAsRows(const std::vector<PageFrame>& frames);
std::vector<PageFrame> FramesFromRows(const css::uno::Any& rows);
css::uno::Any TablesAsRows(const std::vector<BodyTable>& tables);
std::vector<BodyTable> TablesFromRows(const css::uno::Any& rows);
css::uno::Any StepsAsRows(const std::vector<PageStep>& steps);
std::vector<PageStep> StepsFromRows(const css::uno::Any& rows);

}  // namespace pressmoor::office::libreoffice
