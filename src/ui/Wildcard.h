// File name patterns as the classic file list control reads them.
#pragma once

#include <string>
#include <vector>

namespace pressmoor::ui {

// `*` any run of characters, `?` exactly one character, letters compared
// without regard to ASCII case. "*.*" matches every name, also names without
// a dot; a pattern ending in ".*" also matches the name without that
// extension, and one ending in "*." matches names without any dot. Several
// patterns may be joined by ";" and match when any one does.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// The file lists' order: names compared byte by byte with ASCII letters
// folded to lower case; names equal that way fall back to plain byte order.
bool ListsBefore(const std::string& left, const std::string& right);

// Puts names in ListsBefore order, folding each name once rather than on
// every comparison: large directories are re-read after every conversion.
void SortInListOrder(std::vector<std::string>& names);

}  // namespace pressmoor::ui
