// A zip archive of uncompressed entries, in the order given: enough for
// tests to make OpenDocument packages (the mimetype entry first) by hand.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pressmoor::testing {

// Entries are (name, content); returns the archive's bytes.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace pressmoor::testing
