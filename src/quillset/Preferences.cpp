#include "quillset/Preferences.h"

#include <strings.h>

#include <algorithm>
#include <optional>
#include <variant>

#include "driver/Quillset.h"
#include "settings/RegistryAPI.h"

namespace pressmoor::quillset {
namespace {

using settings::RegistryAPI::ValueHolder;

bool SameText(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// 0 for empty (plain PDF), the PDF/A part for a known format, -1 otherwise.
int PdfaPart(const std::string& text) {
  if (text.empty()) return 0;
  int part = 1;
  for (const char* format : driver::kPdfFormats) {
    if (SameText(text, format)) return part;
    ++part;
  }
  return -1;
}

std::string Unknown(const char* name, const std::string& value, const std::string& accepted) {
  return std::string("Quillset preference ") + name + ": unknown value \"" + value +
         "\"; accepted are " + accepted + ".";
}

std::string PdfFormatProblem(const std::string& value) {
  if (PdfaPart(value) >= 0) return {};
  std::string accepted = "\"\" (plain PDF)";
  for (const char* format : driver::kPdfFormats) accepted += std::string(", \"") + format + "\"";
  return Unknown(driver::kPdfFormatValue, value, accepted);
}

std::string PaperSizeProblem(const std::string& value) {
  if (value.empty() || platform::KnownPaper(value)) return {};
  return Unknown(driver::kPaperSizeValue, value,
                 "\"\" (the machine's paper) and the paper names of paperconf -a, such as A4, "
                 "Letter, Legal, A3, A5");
}

std::string TaggedPdfProblem(const std::string& value) {
  if (value.empty() || value == "0" || value == "1") return {};
  return Unknown(driver::kTaggedPdfValue, value, "\"1\" (tagged), \"0\" and \"\" (not tagged)");
}

// In a run, the message also says what is printed instead.
void Note(std::vector<std::string>* problems, const std::string& problem, const std::string& used) {
  if (problems && !problem.empty()) problems->push_back(problem + " " + used + " is used.");
}

}  // namespace

PrintPreferences Interpret(const PreferenceTexts& texts, std::vector<std::string>* problems) {
  PrintPreferences preferences;
  preferences.pdfaPart = std::max(PdfaPart(texts.pdfFormat), 0);
  Note(problems, PdfFormatProblem(texts.pdfFormat), "Plain PDF");
  std::optional<platform::Paper> paper = platform::KnownPaper(texts.paperSize);
  preferences.paper = paper ? *paper : platform::MachinePaper();
  Note(problems, PaperSizeProblem(texts.paperSize),
       "The machine's paper (" + preferences.paper.name + ")");
  preferences.tagged = texts.taggedPdf == "1";
  Note(problems, TaggedPdfProblem(texts.taggedPdf), "Untagged PDF");
  return preferences;
}

std::string DriverSetting(platform::Registry& registry, const std::string& name) {
  ValueHolder holder{std::string()};
  settings::RegistryAPI::ReadMachineValue(registry, driver::kVersionKey, name, holder);
  if (const auto* number = std::get_if<std::int32_t>(&holder)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&holder); text && !text->empty()) return *text;
  return registry.GetSetting(driver::kSettingsApplication, driver::kSettingsSection, name, "");
}

PreferenceTexts ReadPreferenceTexts(platform::Registry& registry) {
  return {DriverSetting(registry, driver::kPdfFormatValue),
          DriverSetting(registry, driver::kPaperSizeValue),
          DriverSetting(registry, driver::kTaggedPdfValue)};
}

PrintPreferences ReadPrintPreferences(platform::Registry& registry) {
  return Interpret(ReadPreferenceTexts(registry));
}

std::string PreferenceName(const std::string& name) {
  for (const char* known :
       {driver::kPdfFormatValue, driver::kPaperSizeValue, driver::kTaggedPdfValue}) {
    if (SameText(name, known)) return known;
  }
  return {};
}

std::string PreferenceProblem(const std::string& name, const std::string& value) {
  const std::string known = PreferenceName(name);
  if (known == driver::kPdfFormatValue) return PdfFormatProblem(value);
  if (known == driver::kPaperSizeValue) return PaperSizeProblem(value);
  if (known == driver::kTaggedPdfValue) return TaggedPdfProblem(value);
  return "Quillset has no preference " + name + "; its preferences are " + driver::kPdfFormatValue +
         ", " + driver::kPaperSizeValue + " and " + driver::kTaggedPdfValue + ".";
}

}  // namespace pressmoor::quillset
