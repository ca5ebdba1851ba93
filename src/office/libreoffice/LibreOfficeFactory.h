// Creates "Word.Application" and "Excel.Application" objects, each driving
// its own headless LibreOffice process, sandboxed to read the folders of the
// documents it was told to expect.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OfficeSandbox.h"
#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office {

namespace libreoffice {
class LaterPrints;
class SpareOffice;
}

class LibreOfficeFactory : public ObjectFactory {
 public:
  // `settings` holds the Quillset driver's keys and must outlive every
  // object created here.
  explicit LibreOfficeFactory(platform::Registry& settings);
  ~LibreOfficeFactory() override;
  LibreOfficeFactory(const LibreOfficeFactory&) = delete;
  LibreOfficeFactory& operator=(const LibreOfficeFactory&) = delete;

  // Class names are compared without regard to case. Throws AutomationError
  // kUnknownClass for another name, kCannotStart when the office cannot be
  // started.
  std::shared_ptr<Object> CreateObject(const std::string& className) override;
  // Handed to the next application object, which reads them ahead in as
  // many offices as the machine carries.
  void ExpectDocuments(std::vector<std::string> paths) override;
  // Printed ahead by the idle offices of the workbooks and presentations
  // created before them, under the driver's preferences as they are now, in
  // an office that reads what the offices of their application will.
  void ExpectLaterDocuments(std::vector<LaterDocument> documents) override;
  // Folders the offices of every later object may read besides those of the
  // expected documents, for callers that open documents they do not
  // announce; replaces the folders given before.
  void AllowFolders(std::vector<std::string> folders);
  void EndAllOffices() override { EndEveryOffice(); }
  // Shared by every factory of this process, as EndEveryOffice is: it runs
  // while the caller waits for a document read ahead or an office starting.
  void WhileWaiting(std::function<void()> idle) override;
  // EndAllOffices for every factory of this process at once.
  static void EndEveryOffice();

 private:
  // The later prints for the application of `className`, created now with
  // `reach`, or null; their office goes to the spare once they have no
  // other application's documents left.
  std::shared_ptr<libreoffice::LaterPrints> HandLaterPrintsTo(const char* className,
                                                              const libreoffice::OfficeReach& reach);

  platform::Registry& settings_;
  std::size_t offices_;  // at once, for one application object
  // Offices left running for the next application object.
  std::shared_ptr<libreoffice::SpareOffice> spare_;
  std::vector<std::string> expected_;
  std::shared_ptr<libreoffice::LaterPrints> later_;
  std::vector<std::string> allowed_;
};

}  // namespace pressmoor::office
