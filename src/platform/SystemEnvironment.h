// The real outside world of the program: its own command line, the terminal,
// the clock, the settings store, the disk, the event log and other programs.
// The window toolkit plugs its message box and event dispatch in from above,
// so this layer needs no display.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/LocalFileSystem.h"

namespace pressmoor::platform {

class SystemEnvironment : public Environment {
 public:
  using MessageBoxHandler = std::function<void(const std::string& text, const std::string& title)>;

  // `arguments` are argv[1..]; `registry` and `office` outlive this object.
  SystemEnvironment(std::vector<std::string> arguments, Registry& registry,
                    office::ObjectFactory& office);

  // Until a handler is set, a box is written to standard error instead.
  void SetMessageBoxHandler(MessageBoxHandler handler) { messageBox_ = std::move(handler); }
  void SetEventDispatcher(std::function<void()> dispatcher) { dispatcher_ = std::move(dispatcher); }

  std::string CommandLine() override;
  void ShowMessageBox(const std::string& text, const std::string& title) override;
  bool WriteEventLog(const std::string& source, const std::string& text) override;
  bool StandardErrorIsTerminal() override;
  void WriteStandardError(const std::string& text) override;
  double Clock() override;
  void Sleep(int milliseconds) override;
  void DispatchEvents() override;
  int StopSignal() override;
  Registry& Settings() override { return registry_; }
  FileSystem& Files() override { return files_; }
  office::ObjectFactory& Office() override { return office_; }
  std::string SystemDirectory() override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;

 private:
  std::string commandLine_;
  Registry& registry_;
  office::ObjectFactory& office_;
  LocalFileSystem files_;
  MessageBoxHandler messageBox_;
  std::function<void()> dispatcher_;
};

// Starts `program` with `arguments` (argv[1..]) through posix_spawn, no shell,
// and does not wait; the child is reaped when it ends, so none is left as a
// zombie. False when the program could not be started.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace pressmoor::platform
