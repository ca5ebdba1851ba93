// The texts a run reports: a converter's first failure and the summary.
#pragma once

#include <cstdint>
#include <string>

#include "office/Automation.h"

namespace pressmoor::convert {

// The fixed text for 439, 5174 (naming `sourcePath`) and 5216, otherwise
// number + " " + source + " " + description, followed by " File: " and
// `sourcePath` when the office was lost.
std::string WordFailureMessage(const office::AutomationError& failure,
                               const std::string& sourcePath);

// As WordFailureMessage, but the generic form leaves out the source text.
std::string ExcelFailureMessage(const office::AutomationError& failure,
                                const std::string& sourcePath);

// "Successfully converted N files in M minutes and R seconds", the elapsed
// seconds rounded to the nearest whole second, a half to the even neighbour.
std::string SummaryMessage(std::int16_t convertedCount, double elapsedSeconds);

// "N files were already up to date", for the files -u left alone.
std::string UpToDateMessage(int filesUpToDate);

// Adds one converted file; the count is 16-bit and going beyond 32767 is a
// failure of the run, carried like an office failure so the converters
// report it in the same way.
void CountOneMore(std::int16_t& convertedCount);

inline constexpr std::int32_t kOverflow = 6;

}  // namespace pressmoor::convert
