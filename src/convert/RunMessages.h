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
std::string SummaryMessage(std::int64_t convertedCount, double elapsedSeconds);

// "Conversion stopped by SIGTERM, N files converted", for a run a signal
// stopped; "Conversion stopped, N files converted" for `signal` 0, a run the
// user stopped.
std::string StoppedMessage(int signal, std::int64_t convertedCount);

// "N files were already up to date", for the files -u left alone.
std::string UpToDateMessage(int filesUpToDate);

// Adds one converted file; the count holds any batch.
void CountOneMore(std::int64_t& convertedCount);

}  // namespace pressmoor::convert
