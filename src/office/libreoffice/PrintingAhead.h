// Printing a document before it is asked for. A batch prints every document
// of a kind the same way, into the same directory, so the next one can be
// printed that way while the caller still works on the current one. The PDF
// waits in a temporary file and is put in place only when the caller prints
// the document the same way; otherwise it is thrown away and the print is
// made as asked. The Quillset preferences are part of the way: a PDF
// printed ahead under others is not used.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "OfficeSession.h"
#include "PagePlan.h"
#include "quillset/PdfJob.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

// How the last document of a kind was printed.
struct PrintRecipe {
  std::vector<PageStep> pageSteps;  // its page set-up as asked, refusals too, in order
  std::string directory;            // where its PDF went
  quillset::PrintPreferences preferences;  // the driver's, when it was printed
  bool operator==(const PrintRecipe&) const = default;
};

// Recipes by file extension; shared with the threads that print ahead.
class PrintRecipes {
 public:
  // Remembers for `path`'s kind a print with `pageSteps` into `target`
  // under `preferences`; true when that is new for the kind.
  bool Remember(const std::string& path, std::vector<PageStep> pageSteps,
                const std::string& target, const quillset::PrintPreferences& preferences);
  std::optional<PrintRecipe> For(const std::string& path) const;
  bool Knows(const std::string& path) const { return For(path).has_value(); }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, PrintRecipe> byExtension_;
};

// A PDF printed ahead, waiting in its temporary file.
struct AheadPrint {
  std::unique_ptr<quillset::PdfJob> job;
  // The page set-up it was printed with; none: as the file has it.
  std::optional<std::vector<PageFrame>> frames;
  quillset::PrintPreferences preferences;
  // What the office took for it, when it was printed for another
  // application than the one that takes it.
  double officeSeconds = 0;
};

// Puts `ahead` in place as `target` and returns true, when it exists, was
// printed under `preferences`, `target` lies in the directory it was
// printed in, and the rename works.
bool CommitAhead(AheadPrint* ahead, const std::string& target,
                 const quillset::PrintPreferences& preferences);

}  // namespace pressmoor::office::libreoffice
