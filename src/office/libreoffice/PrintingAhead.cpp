#include "PrintingAhead.h"

#include <filesystem>
#include <utility>

#include "FileKinds.h"

namespace pressmoor::office::libreoffice {

bool PrintRecipes::Remember(const std::string& path, std::vector<PageStep> pageSteps,
                            const std::string& target,
                            const quillset::PrintPreferences& preferences) {
  PrintRecipe recipe{std::move(pageSteps), std::filesystem::path(target).parent_path().string(),
                     preferences};
  std::lock_guard lock(mutex_);
  PrintRecipe& known = byExtension_[Extension(path)];
  if (known == recipe) return false;
  known = std::move(recipe);
  return true;
}

std::optional<PrintRecipe> PrintRecipes::For(const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto found = byExtension_.find(Extension(path));
  if (found == byExtension_.end()) return std::nullopt;
  return found->second;
}

bool CommitAhead(AheadPrint* ahead, const std::string& target,
                 const quillset::PrintPreferences& preferences) {
  if (!ahead || ahead->preferences != preferences || !ahead->job->Retarget(target)) return false;
  try {
    ahead->job->Commit();
    return true;
  } catch (const quillset::PdfJobError&) {
    return false;  // printing again tells why
  }
}

}  // namespace pressmoor::office::libreoffice
