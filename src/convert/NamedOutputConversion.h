// The walk over the source list of the converters whose printer takes the
// PDF's name from the driver's "PDFFileName" setting: the spreadsheet and
// the presentations. One file at a time: the name stored, the document
// opened, printed on Quillset, counted, the destination list refreshed, the
// document closed. With -u a file whose PDF is not older is left alone, and
// the application starts only at the first file that is not. Without -k the first failure ends the walk with one
// message and no Quit; with -k it is reported and the walk goes on.
#pragma once

#include <string>
#include <vector>

namespace pressmoor::ui {
class frmPressmoorMain;
}

namespace pressmoor::convert {

// One application of the walk and the document it holds; every member may
// throw office::AutomationError.
class NamedOutputOffice {
 public:
  virtual ~NamedOutputOffice() = default;
  // Creates the application, dropping the one before; it reads `expected` ahead.
  virtual void Start(std::vector<std::string> expected) = 0;
  virtual bool Started() const = 0;
  // Opens `sourcePath` (read-only) and keeps the document.
  virtual void Open(const std::string& sourcePath) = 0;
  virtual void PrintOnQuillset() = 0;
  virtual bool HoldsDocument() const = 0;
  virtual void CloseDocument() = 0;
  // Lets the document go without a call to the office.
  virtual void DropDocument() = 0;
  virtual void Quit() = 0;
};

// Converts the listed files that `takes` accepts by name.
void ConvertWithNamedOutput(ui::frmPressmoorMain& window, NamedOutputOffice& office,
                            bool (ui::frmPressmoorMain::*takes)(const std::string&));

}  // namespace pressmoor::convert
