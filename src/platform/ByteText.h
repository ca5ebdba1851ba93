// File names are bytes, not text: a name need not be UTF-8. These keep such
// bytes intact where a name meets something that wants text.
#pragma once

#include <string>
#include <string_view>

namespace pressmoor::platform {

// Whether `text` is valid UTF-8 throughout (shortest forms, no surrogates).
bool IsUtf8(std::string_view text);

// The length of the valid UTF-8 sequence at `at`, 0 when none starts there.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

// `text` with every byte that is not part of valid UTF-8 written as \xFF
// (two upper-case hex digits); valid text comes back as it was.
std::string WithBytesEscaped(const std::string& text);

}  // namespace pressmoor::platform
