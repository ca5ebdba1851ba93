// The driver's about information, as its helper program shows it.
#pragma once

#include <ostream>
#include <string>

#include "platform/Registry.h"

namespace pressmoor::quillset {

struct AboutInfo {
  std::string driverName;
  std::string version;         // as recorded, or "not installed"
  std::string printerName;
  std::string outputFileName;  // the current "PDFFileName" setting, or ""
};

// Reads the version and the output file name setting (machine-wide first,
// then per-user), as the driver does when a job reaches it.
AboutInfo ReadAboutInfo(platform::Registry& registry);

// Several "Label: value" lines.
void PrintAbout(const AboutInfo& info, std::ostream& out);

}  // namespace pressmoor::quillset
