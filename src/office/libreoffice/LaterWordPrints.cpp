#include "LaterWordPrints.h"

#include <chrono>
#include <filesystem>
#include <utility>

#include "AheadPlan.h"
#include "PrintAheadCall.h"
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

}  // namespace

LaterWordPrints::LaterWordPrints(const std::vector<LaterWordDocument>& documents,
                                 const quillset::PrintPreferences& preferences, OfficeReach reach)
    : reach_(std::move(reach)) {
  for (const LaterWordDocument& document : documents) {
    PageStepRecorder recorder;
    if (document.pageSetup) document.pageSetup(recorder);
    const std::string directory = std::filesystem::path(document.outputFile).parent_path().string();
    planned_.push_back({document.path, {std::move(recorder.steps), directory, preferences}});
  }
}

LaterWordPrints::~LaterWordPrints() {
  if (office_) office_->End();
}

std::function<void()> LaterWordPrints::IdleJob(bool heldUp) {
  const std::lock_guard lock(mutex_);
  // A PDF printed here costs a temporary file until the word processor
  // takes it.
  if (busy_ || closed_ || next_ >= planned_.size() || printed_.size() >= AheadPlan::kMostPdfsInHand) {
    return {};
  }
  if (!office_ && !heldUp) return {};
  busy_ = true;
  return [self = shared_from_this(), planned = planned_[next_++]] { self->Print(planned); };
}

void LaterWordPrints::Print(const Planned& planned) {
  Printed printed;
  try {
    OfficeSession& office = *Office();
    const auto start = std::chrono::steady_clock::now();
    printed.identity = IdentityOf(planned.path);
    std::optional<LoadedDocument> document =
        LoadAndPrintAhead(office, planned.path, WordAheadRequest(planned.path, planned.recipe), planned.recipe);
    if (document && document->printed) {
      document->printed->officeSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      printed.document = std::move(*document);
    }
  } catch (...) {
    // The word processor meets the same failure when it opens the file.
  }
  const bool lost = !office_ || !Usable(*office_);
  const std::lock_guard lock(mutex_);
  busy_ = false;
  // A lost office is not started again: the file that did it may come next.
  if (lost) closed_ = true;
  if (printed.document.printed) printed_[planned.path] = std::move(printed);
  idle_.notify_all();
}

std::shared_ptr<OfficeSession> LaterWordPrints::Office() {
  if (!office_) office_ = ConnectOrStart("Word.Application", nullptr, reach_);
  return office_;
}

std::optional<LoadedDocument> LaterWordPrints::Take(const std::string& path) {
  const std::lock_guard lock(mutex_);
  auto found = printed_.find(path);
  if (found == printed_.end()) return std::nullopt;
  Printed printed = std::move(found->second);
  printed_.erase(found);
  if (!printed.identity || printed.identity != IdentityOf(path)) return std::nullopt;
  return std::move(printed.document);
}

std::unique_ptr<OfficeProcess> LaterWordPrints::ReleaseOffice() {
  std::unique_lock lock(mutex_);
  closed_ = true;
  idle_.wait(lock, [this] { return !busy_; });
  if (!office_) return nullptr;
  return std::exchange(office_, nullptr)->Release();
}

}  // namespace pressmoor::office::libreoffice
