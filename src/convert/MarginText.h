// Margin fields are free text in inches; the page set-up wants points.
#pragma once

#include <string>

namespace pressmoor::convert {

// The number the text begins with, blanks, tabs and line feeds ignored
// anywhere: an optional sign, digits and at most one "." as decimal point
// whatever the locale. 0 when the text does not begin with a number.
double LeadingNumber(const std::string& text);

// LeadingNumber(text) inches in points.
double MarginPoints(const std::string& text);

}  // namespace pressmoor::convert
