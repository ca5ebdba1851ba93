#include "convert/RunMessages.h"

#include <cmath>

#include "convert/FileAttempt.h"
#include "driver/Quillset.h"
#include "platform/StopSignals.h"

namespace pressmoor::convert {

namespace {

// The texts for the three failures the converters tell apart; empty for the rest.
std::string FixedFailureText(std::int32_t number, const std::string& sourcePath) {
  switch (number) {
    case office::errors::kCannotStart:
      return " Cannot open application for conversion";
    case office::errors::kCannotOpenFile:
      return " Cannot open file " + sourcePath;
    case office::errors::kPrintFailed:
      return std::string(" Error printing to ") + driver::kPrinterName;
    default:
      return "";
  }
}

// The office's own words cannot say which file it was working on.
std::string NamingLostFile(const office::AutomationError& failure, std::string message,
                           const std::string& sourcePath) {
  if (!OfficeLost(failure) || sourcePath.empty()) return message;
  return message + " File: " + sourcePath;
}

}  // namespace

std::string WordFailureMessage(const office::AutomationError& failure,
                               const std::string& sourcePath) {
  std::string fixed = FixedFailureText(failure.Number(), sourcePath);
  if (!fixed.empty()) return fixed;
  return NamingLostFile(failure,
                        std::to_string(failure.Number()) + " " + failure.Source() + " " +
                            failure.Description(),
                        sourcePath);
}

std::string ExcelFailureMessage(const office::AutomationError& failure,
                                const std::string& sourcePath) {
  std::string fixed = FixedFailureText(failure.Number(), sourcePath);
  if (!fixed.empty()) return fixed;
  return NamingLostFile(failure, std::to_string(failure.Number()) + " " + failure.Description(),
                        sourcePath);
}

std::string SummaryMessage(std::int64_t convertedCount, double elapsedSeconds) {
  // nearbyint rounds halves to even in the default rounding mode.
  const auto seconds = static_cast<long long>(std::nearbyint(elapsedSeconds));
  return "Successfully converted " + std::to_string(convertedCount) + " files in " +
         std::to_string(seconds / 60) + " minutes and " + std::to_string(seconds % 60) +
         " seconds";
}

std::string StoppedMessage(int signal, std::int64_t convertedCount) {
  const std::string stopped =
      signal == 0 ? "Conversion stopped" : "Conversion stopped by " + platform::SignalName(signal);
  return stopped + ", " + std::to_string(convertedCount) + " files converted";
}

std::string UpToDateMessage(int filesUpToDate) {
  if (filesUpToDate == 1) return "1 file was already up to date";
  return std::to_string(filesUpToDate) + " files were already up to date";
}

void CountOneMore(std::int64_t& convertedCount) { ++convertedCount; }

}  // namespace pressmoor::convert
