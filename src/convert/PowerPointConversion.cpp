#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "convert/FilePaths.h"
#include "convert/NamedOutputConversion.h"
#include "convert/TodaysFormats.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// The presentation program of one run and the presentation in hand.
class RunPowerPoint : public convert::NamedOutputOffice {
 public:
  explicit RunPowerPoint(frmPressmoorMain& window) : window_(window) {}

  void Start(std::vector<std::string> expected) override {
    powerPoint_.reset();
    window_.Env().Office().ExpectDocuments(std::move(expected));
    powerPoint_ = std::dynamic_pointer_cast<office::PowerPointApplication>(
        window_.Env().Office().CreateObject("PowerPoint.Application"));
    if (!powerPoint_) {
      throw office::AutomationError(office::errors::kCannotStart, "PowerPoint.Application",
                                    "The object is not a presentation program");
    }
  }

  void Open(const std::string& sourcePath) override {
    presentation_ = powerPoint_->Presentations()->Open(
        {.FileName = sourcePath, .ReadOnly = true, .Untitled = std::nullopt, .WithWindow = false});
  }

  void PrintOnQuillset() override {
    presentation_->PrintOut({.From = std::nullopt,
                             .To = std::nullopt,
                             .Copies = std::nullopt,
                             .ActivePrinter = driver::kPrinterName});
  }

  bool Started() const override { return powerPoint_ != nullptr; }
  bool HoldsDocument() const override { return presentation_ != nullptr; }
  void CloseDocument() override { std::exchange(presentation_, nullptr)->Close(); }
  void DropDocument() override { presentation_.reset(); }
  void Quit() override { powerPoint_->Quit(); }

 private:
  frmPressmoorMain& window_;
  std::shared_ptr<office::PowerPointApplication> powerPoint_;
  std::shared_ptr<office::PowerPointPresentation> presentation_;
};

}  // namespace

void frmPressmoorMain::ConvertWithPowerPoint() {
  RunPowerPoint powerPoint(*this);
  convert::ConvertWithNamedOutput(*this, powerPoint, &frmPressmoorMain::IsPowerPointFile);
}

std::vector<office::LaterDocument> frmPressmoorMain::LaterPresentations() {
  std::vector<office::LaterDocument> presentations;
  for (const std::string& fileName : ListedNames(&frmPressmoorMain::IsPowerPointFile, 0)) {
    presentations.push_back({"PowerPoint.Application", convert::SourcePath(SrcFolder.Path(), fileName),
                             convert::OutputPath(DstFolder.Path(), fileName), nullptr});
  }
  return presentations;
}

bool frmPressmoorMain::IsPowerPointFile(const std::string& name) {
  return TodaysFormats && convert::TodaysKindOf(name) == convert::TodaysKind::Presentation;
}

}  // namespace pressmoor::ui
