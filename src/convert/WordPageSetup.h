// The page set-up a Word-type file gets unless it is a ".DOC" file.
#pragma once

#include <string>

#include "office/Automation.h"

namespace pressmoor::convert {

struct DefaultPage {
  std::string leftMargin, rightMargin, topMargin, bottomMargin;  // inches, as typed
  bool landscape = false;
};

// The four margins, then the orientation. Each assignment ignores its own
// failure: the page keeps whatever the office accepted.
void ApplyDefaultPage(office::WordPageSetup& pageSetup, const DefaultPage& page);

}  // namespace pressmoor::convert
