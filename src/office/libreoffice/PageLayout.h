// Reading and writing the page styles in use of a word-processing document,
// and reading what of its text the pages must hold: each in one call to
// the office component, valid inside OfficeSession::Run.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <string>
#include <vector>

#include "OfficeSession.h"
#include "PagePlan.h"

namespace pressmoor::office::libreoffice {

namespace css = ::com::sun::star;

struct PageSetUpAsRead {
  // The page styles in use in `document`, as they are now; before it is laid
  // out, every page style it holds, as any of them may carry pages.
  std::vector<PageFrame> frames;
  // The tables laid out across the text area whose width does not follow
  // the text area's: the body's, and those of headers and footers, which are
  // as wide; not those in a cell of another table or in a frame.
  std::vector<BodyTable> tables;
};
// Both read in one call.
PageSetUpAsRead ReadPageSetUpOf(OfficeSession& session, const css::uno::Reference<css::lang::XComponent>& document);
// Writes `frames` back (none: the page set-up stays), lets the office lay
// the document out once when `releaseLayout`, and gives the document the
// hidden view the PDF export needs: one call. Returns its PDF export filter.
std::string SetUpPagesForPrint(OfficeSession& session, const css::uno::Reference<css::lang::XComponent>& document,
                               const std::vector<PageFrame>& frames, bool releaseLayout);

}  // namespace pressmoor::office::libreoffice
