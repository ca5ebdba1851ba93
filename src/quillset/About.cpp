#include "quillset/About.h"

#include <variant>

#include "driver/Quillset.h"
#include "settings/RegistryAPI.h"

namespace pressmoor::quillset {

using settings::RegistryAPI::ReadMachineValue;
using settings::RegistryAPI::ValueHolder;

namespace {

std::string AsText(const ValueHolder& holder) {
  if (const auto* number = std::get_if<std::int32_t>(&holder)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&holder)) return *text;
  return "";
}

}  // namespace

AboutInfo ReadAboutInfo(platform::Registry& registry) {
  AboutInfo info;
  info.driverName = "Quillset";
  info.printerName = driver::kPrinterName;

  ValueHolder version = std::string();
  ReadMachineValue(registry, driver::kVersionKey, driver::kVersionValue, version);
  info.version = AsText(version);
  if (info.version.empty()) info.version = "not installed";

  ValueHolder output = std::string();
  ReadMachineValue(registry, std::string("SOFTWARE\\") + driver::kSettingsApplication + "\\" +
                                 driver::kSettingsSection,
                   driver::kOutputFileNameValue, output);
  info.outputFileName = AsText(output);
  if (info.outputFileName.empty()) {
    info.outputFileName = registry.GetSetting(driver::kSettingsApplication,
                                              driver::kSettingsSection,
                                              driver::kOutputFileNameValue, "");
  }
  return info;
}

void PrintAbout(const AboutInfo& info, std::ostream& out) {
  out << "Driver: " << info.driverName << "\n"
      << "Version: " << info.version << "\n"
      << "Printer: " << info.printerName << "\n"
      << "PDF files: written to the file the print job names; for spreadsheets, to the "
      << driver::kOutputFileNameValue << " setting"
      << (info.outputFileName.empty() ? std::string(" (not set)")
                                      : " (now " + info.outputFileName + ")")
      << "\n";
}

}  // namespace pressmoor::quillset
