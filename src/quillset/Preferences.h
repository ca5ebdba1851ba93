// The Quillset driver's print preferences, beside its "PDFFileName" setting:
// what each stored text means, what is said of one the driver does not
// accept, and reading them the way the driver does when a job reaches it
// (machine-wide first, then per-user, then the default).
#pragma once

#include <string>
#include <vector>

#include "platform/Paper.h"
#include "platform/Registry.h"

namespace pressmoor::quillset {

struct PrintPreferences {
  int pdfaPart = 0;       // 0: plain PDF; 1 to 3: PDF/A-1b to PDF/A-3b
  platform::Paper paper;  // for documents that carry no paper of their own
  bool tagged = false;    // structure for screen readers and reflow
  bool operator==(const PrintPreferences&) const = default;
};

// The stored texts, empty where nothing is set.
struct PreferenceTexts {
  std::string pdfFormat;
  std::string paperSize;
  std::string taggedPdf;
};

// What the texts ask for. A text the driver does not accept gives the
// default, and its message is added to `problems` when that is given.
PrintPreferences Interpret(const PreferenceTexts& texts,
                           std::vector<std::string>* problems = nullptr);

// The driver's setting `name`: machine-wide first, then per-user; a number
// as its decimal digits; empty when neither level holds it.
std::string DriverSetting(platform::Registry& registry, const std::string& name);

PreferenceTexts ReadPreferenceTexts(platform::Registry& registry);

// The preferences in force now; unknown values give the defaults silently.
PrintPreferences ReadPrintPreferences(platform::Registry& registry);

// `name` spelled as the driver spells it, whatever its case; empty when no
// preference has that name.
std::string PreferenceName(const std::string& name);

// What is wrong with `value` for the preference `name`; empty when the
// driver accepts it. Empty values are always accepted: they ask for the
// default.
std::string PreferenceProblem(const std::string& name, const std::string& value);

}  // namespace pressmoor::quillset
