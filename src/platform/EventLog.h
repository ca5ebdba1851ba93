// The application event log: a text file with one line per entry, each
// entry also handed to syslog under the ident "Pressmoor".
#pragma once

#include <string>

namespace pressmoor::platform {

class EventLog {
 public:
  explicit EventLog(std::string path) : path_(std::move(path)) {}

  // $PRESSMOOR_EVENT_LOG, or events.log in the per-user state root.
  static std::string DefaultPath();

  // Backslash, newline, carriage return and tab as \\, \n, \r and \t, so
  // any text fits on one line; bytes that are not UTF-8 (of a file name) as
  // \xFF.
  static std::string Escape(const std::string& text);

  // "2024-05-01T12:00:00.123Z<TAB>source<TAB>escaped text\n", in UTC.
  static std::string FormatEntry(const std::string& source, const std::string& text);

  // Appends one entry with a single write, so concurrent writers never
  // split a line. False when the file could not be written.
  bool Write(const std::string& source, const std::string& text) const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace pressmoor::platform
