// Saves documents in the office's native and foreign formats. Pressmoor
// itself never writes documents; tests and the benchmark use this to make
// their input files (Word 97 documents, Excel 97 workbooks, protected ones).
// Its office reads and writes anywhere, without a sandbox: it only ever
// opens input it was given by its own caller.
#pragma once

#include <memory>
#include <string>

namespace pressmoor::office::libreoffice {

class OfficeSession;

class DocumentWriter {
 public:
  // Starts an office of its own; throws AutomationError.
  DocumentWriter();
  ~DocumentWriter();
  DocumentWriter(const DocumentWriter&) = delete;
  DocumentWriter& operator=(const DocumentWriter&) = delete;

  // Reads `source` (UTF-8 .txt becomes a text document, .csv a sheet,
  // anything else by detection) and stores it as `target` with the office
  // filter `filterName`, e.g. "MS Word 97" or "MS Excel 97", protected by
  // `password` when one is given. Throws AutomationError.
  void Convert(const std::string& source, const std::string& target,
               const std::string& filterName, const std::string& password = "");

 private:
  std::shared_ptr<OfficeSession> session_;
};

}  // namespace pressmoor::office::libreoffice
