// The outside world for tests: everything observable, nothing waits for a
// person, the settings store lives in a temporary directory.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "platform/Environment.h"
#include "platform/LocalFileSystem.h"

namespace pressmoor::testing {

// The real file system with faults on request, so tests running as root can
// still have a drive that is not ready or a directory that cannot be read.
class FaultyFileSystem : public platform::LocalFileSystem {
 public:
  std::set<std::string> unreadable;      // directories that cannot be opened or listed
  std::set<std::string> lockedFiles;     // files another process holds
  std::vector<platform::MountPoint> mounts;  // when not empty, replaces the mount table
  std::string currentDirectory;          // when not empty, replaces the process's
  int listings = 0;                      // ListDirectory calls, for cost checks

  std::vector<platform::MountPoint> Mounts() override;
  std::string CurrentDirectory() override;
  bool ListDirectory(const std::string& directory,
                     std::vector<platform::DirectoryEntry>* entries) override;
  bool IsDirectory(const std::string& path) override;
  bool CanOpenExclusively(const std::string& path) override;

 private:
  bool Unreadable(const std::string& path) const;
};

class NoOffice : public office::ObjectFactory {
 public:
  std::shared_ptr<office::Object> CreateObject(const std::string& className) override;
};

class FakeEnvironment : public platform::Environment {
 public:
  FakeEnvironment();

  std::string commandLine;
  std::vector<std::string> messageBoxes;
  std::vector<std::string> titles;
  std::function<void(const std::string&)> onMessageBox;  // runs while the "box" is up
  std::vector<std::string> eventLog;
  bool eventLogWritable = true;
  bool standardErrorIsTerminal = false;
  std::string standardError;
  double clock = 0;          // what Clock() answers
  double clockStep = 0;      // added after every Clock() call
  std::vector<int> sleeps;
  int dispatches = 0;
  std::function<void()> onDispatch;  // runs inside DispatchEvents
  std::function<int()> stopSignal;   // what StopSignal() answers; 0 without it
  std::vector<std::pair<std::string, std::vector<std::string>>> startedPrograms;
  bool startSucceeds = true;

  TempDir root;  // machine/ and user/ below it hold the two stores
  platform::Registry registry;
  FaultyFileSystem files;
  office::ObjectFactory* office;  // NoOffice unless a test sets its own
  NoOffice noOffice;

  std::string CommandLine() override { return commandLine; }
  void ShowMessageBox(const std::string& text, const std::string& title) override;
  bool WriteEventLog(const std::string& source, const std::string& text) override;
  bool StandardErrorIsTerminal() override { return standardErrorIsTerminal; }
  void WriteStandardError(const std::string& text) override { standardError += text; }
  double Clock() override;
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  void DispatchEvents() override;
  int StopSignal() override { return stopSignal ? stopSignal() : 0; }
  platform::Registry& Settings() override { return registry; }
  platform::FileSystem& Files() override { return files; }
  office::ObjectFactory& Office() override { return *office; }
  std::string SystemDirectory() override { return root.Path() + "/machine/system32"; }
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace pressmoor::testing
