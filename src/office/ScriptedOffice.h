// A scripted stand-in for the office: the three application objects and their
// factory, without any office behind them. Every call lands in one ordered
// log, reads answer scripted values, any call can be made to fail with a
// chosen error, and printing to the PDF printer writes a small PDF where the
// real printer would.
//
// Log entries look like "Word.Documents.Open(FileName=/in/a.txt)",
// "Word.ActivePrinter=Quillset" (a property write), "Word.ActivePrinter" (a
// read), "Excel.Workbooks.Open(/in/b.xls, , true)" or
// "PowerPoint.Presentations.Open(/in/c.pptx, true, , false)" (positional arguments,
// omitted ones empty). A call's member is its entry up to the first "(" or
// "=": "Word.ActivePrinter", "CreateObject".
//
// The factory must outlive the objects it creates.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office {

struct ScriptedFailure {
  std::string member;         // "Word.Documents.Open", "CreateObject", ...
  int occurrence = 0;         // fail only the n-th matching call (from 1); 0: every one
  std::string argument;       // when not empty, only calls whose arguments contain it
  std::int32_t number = 0;
  std::string source;         // empty: the application's name ("Word", "Excel")
  std::string description;
  int matched = 0;            // matching calls seen so far
};

class ScriptedOffice : public ObjectFactory {
 public:
  // `settings` is where the spreadsheet's and the presentations' prints look
  // up "PDFFileName"; without it those prints write nothing.
  explicit ScriptedOffice(platform::Registry* settings = nullptr);

  // ---- Script ---------------------------------------------------------------
  std::string activePrinter = "Office Printer";   // what a new word processor reports
  std::deque<std::int32_t> printingStatus;       // answers of BackgroundPrintingStatus, then 0
  bool writesPdf = true;                          // prints on the PDF printer write a file

  ScriptedFailure& Fail(const std::string& member, std::int32_t number,
                        const std::string& description, int occurrence = 0,
                        const std::string& argument = "");

  // ---- Record ---------------------------------------------------------------
  const std::vector<std::string>& Calls() const { return calls_; }
  // The entries whose member is `member`, in order.
  std::vector<std::string> CallsTo(const std::string& member) const;
  std::vector<std::string> PdfsWritten() const { return pdfsWritten_; }
  // Each ExpectDocuments hint, kept apart from Calls since it is no call to
  // an office.
  const std::vector<std::vector<std::string>>& Hints() const { return hints_; }
  // Each ExpectLaterDocuments hint, a document as "Class: path > PDF" and
  // its page set-up calls ("LeftMargin=72", ...).
  const std::vector<std::vector<std::string>>& LaterHints() const { return laterHints_; }

  std::shared_ptr<Object> CreateObject(const std::string& className) override;
  void ExpectDocuments(std::vector<std::string> paths) override;
  void ExpectLaterDocuments(std::vector<LaterDocument> documents) override;
  // Logged as "EndAllOffices"; the objects go on answering.
  void EndAllOffices() override;

  // For the objects: logs `entry` and throws when a scripted failure matches.
  void Call(const std::string& entry);
  // Writes the PDF for `source` at `path`; throws kPrintFailed when it cannot.
  void PrintPdf(const std::string& application, const std::string& path);
  // The "PDFFileName" setting as the printer reads it: machine-wide, then per-user.
  std::string PdfFileNameSetting();

 private:
  platform::Registry* settings_;
  std::vector<std::string> calls_;
  std::deque<ScriptedFailure> failures_;  // references stay valid as it grows
  std::vector<std::string> pdfsWritten_;
  std::vector<std::vector<std::string>> hints_;
  std::vector<std::vector<std::string>> laterHints_;
};

// The member part of a log entry: up to the first "(" or "=".
std::string MemberOf(const std::string& entry);

}  // namespace pressmoor::office
