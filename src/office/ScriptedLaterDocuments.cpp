#include <sstream>

#include "office/ScriptedOffice.h"

namespace pressmoor::office {
namespace {

// Writes the page set-up calls a document will get, as the log writes them.
class PageSetupRecorder : public WordPageSetup {
 public:
  explicit PageSetupRecorder(std::string& text) : text_(text) {}
  void LeftMargin(double points) override { Add("LeftMargin", points); }
  void RightMargin(double points) override { Add("RightMargin", points); }
  void TopMargin(double points) override { Add("TopMargin", points); }
  void BottomMargin(double points) override { Add("BottomMargin", points); }
  void Orientation(std::int32_t orientation) override { Add("Orientation", orientation); }

 private:
  void Add(const char* member, double value) {
    std::ostringstream call;
    call << ' ' << member << '=' << value;
    text_ += call.str();
  }
  std::string& text_;
};

}  // namespace

void ScriptedOffice::ExpectLaterDocuments(std::vector<LaterDocument> documents) {
  std::vector<std::string> hint;
  for (const LaterDocument& document : documents) {
    std::string text = document.className + ": " + document.path + " > " + document.outputFile;
    PageSetupRecorder recorder(text);
    if (document.pageSetup) document.pageSetup(recorder);
    hint.push_back(text);
  }
  laterHints_.push_back(std::move(hint));
}

}  // namespace pressmoor::office
