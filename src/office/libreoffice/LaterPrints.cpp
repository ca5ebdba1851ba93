#include "LaterPrints.h"

#include <strings.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>

#include "AheadPlan.h"
#include "NamedOutputApplication.h"
#include "PowerPointApplication.h"
#include "WordApplication.h"
#include "WordPreparation.h"

namespace pressmoor::office::libreoffice {
namespace {

// Keeps the steps the word processor's page set-up would be asked for.
class PageStepRecorder : public WordPageSetup {
 public:
  void LeftMargin(double points) override { steps.push_back({.side = MarginSide::Left, .points = points}); }
  void RightMargin(double points) override { steps.push_back({.side = MarginSide::Right, .points = points}); }
  void TopMargin(double points) override { steps.push_back({.side = MarginSide::Top, .points = points}); }
  void BottomMargin(double points) override {
    steps.push_back({.side = MarginSide::Bottom, .points = points});
  }
  void Orientation(std::int32_t orientation) override {
    steps.push_back({.isOrientation = true, .orientation = orientation});
  }

  std::vector<PageStep> steps;
};

bool Usable(const OfficeSession& office) {
  try {
    office.CheckUsable();
    return true;
  } catch (const AutomationError&) {
    return false;
  }
}

bool IsClass(const std::string& className, const char* name) {
  return strcasecmp(className.c_str(), name) == 0;
}

}  // namespace

LaterPrints::LaterPrints(const std::vector<LaterDocument>& documents,
                         const quillset::PrintPreferences& preferences, const std::vector<std::string>& allowed) {
  for (const LaterDocument& document : documents) {
    const std::string directory = std::filesystem::path(document.outputFile).parent_path().string();
    if (IsClass(document.className, PowerPointKind().source)) {
      PrintRecipe recipe{{}, directory, preferences};
      planned_.push_back(
          {PowerPointKind().source, document.path, recipe, NamedOutputAheadRequest(PowerPointKind()), 0});
    } else if (IsClass(document.className, kWordClass)) {
      PageStepRecorder recorder;
      if (document.pageSetup) document.pageSetup(recorder);
      PrintRecipe recipe{std::move(recorder.steps), directory, preferences};
      planned_.push_back({kWordClass, document.path, recipe, WordAheadRequest(document.path, recipe), 0});
    }
  }
  std::map<std::string, std::vector<std::string>> pathsOf;
  for (const Planned& planned : planned_) pathsOf[planned.className].push_back(planned.path);
  // Applications that read alike share the office, with no start between them.
  for (const auto& [className, paths] : pathsOf) {
    OfficeReach reach(paths, allowed);
    const auto same = std::find(reaches_.begin(), reaches_.end(), reach);
    reachOf_[className] = static_cast<std::size_t>(same - reaches_.begin());
    if (same == reaches_.end()) reaches_.push_back(std::move(reach));
  }
  for (Planned& planned : planned_) planned.reach = reachOf_[planned.className];
}

LaterPrints::~LaterPrints() {
  if (office_) office_->End();
}

std::function<void()> LaterPrints::IdleJob(bool heldUp) {
  const std::lock_guard lock(mutex_);
  // A PDF printed here costs a temporary file until its application
  // takes it.
  if (busy_ || closed_ || next_ >= planned_.size() || printed_.size() >= AheadPlan::kMostPdfsInHand) {
    return {};
  }
  const bool starts = !office_ || officeReach_ != planned_[next_].reach;
  if (starts && !heldUp) return {};
  busy_ = true;
  return [self = shared_from_this(), planned = planned_[next_++]] { self->Print(planned); };
}

void LaterPrints::Print(const Planned& planned) {
  Printed printed;
  try {
    OfficeSession& office = OfficeFor(planned);
    const auto start = std::chrono::steady_clock::now();
    printed.identity = IdentityOf(planned.path);
    std::optional<LoadedDocument> document =
        LoadAndPrintAhead(office, planned.path, planned.request, planned.recipe);
    if (document && document->printed) {
      document->printed->officeSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      printed.document = std::move(*document);
    }
  } catch (...) {
    // The application meets the same failure when it opens the file.
  }
  const bool lost = !office_ || !Usable(*office_);
  const std::lock_guard lock(mutex_);
  busy_ = false;
  // A lost office is not started again: the file that did it may come next.
  if (lost) closed_ = true;
  if (printed.document.printed) printed_[planned.path] = std::move(printed);
  idle_.notify_all();
}

OfficeSession& LaterPrints::OfficeFor(const Planned& planned) {
  if (office_ && officeReach_ != planned.reach) std::exchange(office_, nullptr)->End();
  if (!office_) {
    office_ = ConnectOrStart(planned.className, nullptr, reaches_[planned.reach]);
    officeReach_ = planned.reach;
  }
  return *office_;
}

bool LaterPrints::PrintedWith(const std::string& className, const OfficeReach& reach) const {
  const auto found = reachOf_.find(className);
  return found != reachOf_.end() && reaches_[found->second] == reach;
}

std::optional<LoadedDocument> LaterPrints::Take(const std::string& path) {
  const std::lock_guard lock(mutex_);
  auto found = printed_.find(path);
  if (found == printed_.end()) return std::nullopt;
  Printed printed = std::move(found->second);
  printed_.erase(found);
  if (!printed.identity || printed.identity != IdentityOf(path)) return std::nullopt;
  return std::move(printed.document);
}

std::unique_ptr<OfficeProcess> LaterPrints::HandOver(const std::string& className) {
  std::unique_lock lock(mutex_);
  // The run's order: every application before this one is done.
  for (std::size_t index = next_; index < planned_.size(); ++index) {
    if (planned_[index].className == className) next_ = index + 1;
  }
  const auto usable = [this](const Planned& planned) { return planned.reach == officeReach_; };
  if (next_ >= planned_.size()) {
    closed_ = true;
    idle_.wait(lock, [this] { return !busy_; });
  } else if (busy_ || std::any_of(planned_.begin() + static_cast<std::ptrdiff_t>(next_), planned_.end(), usable)) {
    // Until then, only an idle office that none of the rest may use goes.
    return nullptr;
  }
  if (!office_) return nullptr;
  return std::exchange(office_, nullptr)->Release();
}

}  // namespace pressmoor::office::libreoffice
