// The file type list of STEP 1: what each entry says and which files it means.
#pragma once

#include <array>

namespace pressmoor::ui {

inline constexpr const char* kFileTypePrompt = "Select file type to convert";

// The first six entries are the formats the converters were made for; the
// entries after them convert today's formats too, as -x does.
inline constexpr std::array<const char*, 10> kFileTypeEntries{
    "Microsoft Word (*.doc)",
    "Internet Explorer (*.html, *.htm)",
    "Text Files (*.txt)",
    "Rich Text Format (*.rtf)",
    "Microsoft Excel (*.xls)",
    "All Files (*.*)",
    "Word Processor Documents of Today (*.docx, *.docm, *.dotx, *.dotm, *.dot, *.odt, *.ott, *.fodt)",
    "Spreadsheets of Today (*.xlsx, *.xlsm, *.xltx, *.xltm, *.xlsb, *.xlt, *.ods, *.ots, *.fods)",
    "Presentations (*.ppt, *.pps, *.pot, *.pptx, *.pptm, *.ppsx, *.potx, *.odp, *.otp, *.fodp)",
    "All Office Documents (every type above)"};

inline constexpr int kFirstTodaysEntry = 6;

#define PRESSMOOR_TODAYS_WORD "*.docx;*.docm;*.dotx;*.dotm;*.dot;*.odt;*.ott;*.fodt"
#define PRESSMOOR_TODAYS_SHEETS "*.xlsx;*.xlsm;*.xltx;*.xltm;*.xlsb;*.xlt;*.ods;*.ots;*.fods"
#define PRESSMOOR_PRESENTATIONS "*.ppt;*.pps;*.pot;*.pptx;*.pptm;*.ppsx;*.potx;*.odp;*.otp;*.fodp"

// FilePattern of each entry, by position.
inline constexpr std::array<const char*, 10> kFileTypePatterns{
    "*.doc", "*.htm*", "*.txt", "*.rtf", "*.xls", "*.*",
    PRESSMOOR_TODAYS_WORD, PRESSMOOR_TODAYS_SHEETS, PRESSMOOR_PRESENTATIONS,
    "*.doc;*.htm*;*.txt;*.rtf;*.xls;" PRESSMOOR_TODAYS_WORD ";" PRESSMOOR_TODAYS_SHEETS
    ";" PRESSMOOR_PRESENTATIONS};

#undef PRESSMOOR_TODAYS_WORD
#undef PRESSMOOR_TODAYS_SHEETS
#undef PRESSMOOR_PRESENTATIONS

// Whether the files of an entry's pattern may get the default margins: none
// of today's formats do, as they carry their own page set-up.
inline constexpr std::array<bool, 10> kFileTypeTakesMargins{false, true,  true,  true,  false,
                                                            true,  false, false, false, true};

}  // namespace pressmoor::ui
