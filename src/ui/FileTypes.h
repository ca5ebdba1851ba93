// The file type list of STEP 1: what each entry says and which files it means.
#pragma once

#include <array>

namespace pressmoor::ui {

inline constexpr const char* kFileTypePrompt = "Select file type to convert";

inline constexpr std::array<const char*, 6> kFileTypeEntries{
    "Microsoft Word (*.doc)",       "Internet Explorer (*.html, *.htm)", "Text Files (*.txt)",
    "Rich Text Format (*.rtf)",     "Microsoft Excel (*.xls)",           "All Files (*.*)"};

// FilePattern of each entry, by position.
inline constexpr std::array<const char*, 6> kFileTypePatterns{"*.doc", "*.htm*", "*.txt", "*.rtf", "*.xls", "*.*"};

}  // namespace pressmoor::ui
