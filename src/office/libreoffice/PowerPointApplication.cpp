#include "PowerPointApplication.h"

#include "NamedOutputApplication.h"
#include "SpareOffice.h"

namespace pressmoor::office::libreoffice {
namespace {

const NamedOutputKind kPowerPoint{"PowerPoint.Application", "impress_pdf_Export",
                                  DocumentKind::Presentation, "presentation"};

class PresentationObject : public PowerPointPresentation {
 public:
  explicit PresentationObject(std::shared_ptr<NamedOutputDocument> document)
      : document_(std::move(document)) {}

  void PrintOut(const PowerPointPrintOutArgs& args) override {
    document_->PrintOut(PageRange{args.From, args.To}, args.ActivePrinter);
  }
  void Close() override { document_->Close(); }

 private:
  std::shared_ptr<NamedOutputDocument> document_;
};

class PresentationsObject : public PowerPointPresentations {
 public:
  explicit PresentationsObject(std::shared_ptr<NamedOutputApplication> application)
      : application_(std::move(application)) {}

  // Always read-only and without a window, whatever was asked.
  std::shared_ptr<PowerPointPresentation> Open(const PowerPointOpenArgs& args) override {
    return std::make_shared<PresentationObject>(
        application_->Open(args.FileName.value_or(std::string())));
  }

 private:
  std::shared_ptr<NamedOutputApplication> application_;
};

class ApplicationObject : public PowerPointApplication {
 public:
  explicit ApplicationObject(std::shared_ptr<NamedOutputApplication> application)
      : application_(std::move(application)) {}

  std::shared_ptr<PowerPointPresentations> Presentations() override {
    application_->CheckUsable();
    return std::make_shared<PresentationsObject>(application_);
  }
  void Quit() override { application_->Quit(); }

 private:
  std::shared_ptr<NamedOutputApplication> application_;
};

}  // namespace

const NamedOutputKind& PowerPointKind() { return kPowerPoint; }

std::shared_ptr<PowerPointApplication> StartPowerPointApplication(
    platform::Registry& registry, const OfficeReach& reach, std::shared_ptr<SpareOffice> spare,
    std::vector<std::string> expected, std::size_t offices, std::shared_ptr<LaterPrints> later,
    std::shared_ptr<LaterPrints> earlier) {
  return std::make_shared<ApplicationObject>(
      std::make_shared<NamedOutputApplication>(kPowerPoint, registry, reach, std::move(spare), std::move(expected),
                                               offices, std::move(later), std::move(earlier)));
}

}  // namespace pressmoor::office::libreoffice
