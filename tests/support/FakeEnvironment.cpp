#include "FakeEnvironment.h"

#include <filesystem>

namespace pressmoor::testing {

namespace {
platform::RegistryRoots RootsBelow(const TempDir& dir) {
  std::filesystem::create_directories(dir.Path() + "/machine");
  std::filesystem::create_directories(dir.Path() + "/user");
  platform::RegistryRoots roots;
  roots.machineDatabase = dir.Path() + "/machine/registry.sqlite";
  roots.userDatabase = dir.Path() + "/user/registry.sqlite";
  return roots;
}
}  // namespace

bool FaultyFileSystem::Unreadable(const std::string& path) const {
  for (const std::string& bad : unreadable) {
    if (path == bad || path.rfind(bad + "/", 0) == 0) return true;
  }
  return false;
}

std::vector<platform::MountPoint> FaultyFileSystem::Mounts() {
  return mounts.empty() ? LocalFileSystem::Mounts() : mounts;
}

std::string FaultyFileSystem::CurrentDirectory() {
  return currentDirectory.empty() ? LocalFileSystem::CurrentDirectory() : currentDirectory;
}

bool FaultyFileSystem::ListDirectory(const std::string& directory,
                                     std::vector<platform::DirectoryEntry>* entries) {
  ++listings;
  if (Unreadable(directory)) return false;
  return LocalFileSystem::ListDirectory(directory, entries);
}

bool FaultyFileSystem::IsDirectory(const std::string& path) {
  return !Unreadable(path) && LocalFileSystem::IsDirectory(path);
}

bool FaultyFileSystem::CanOpenExclusively(const std::string& path) {
  return !lockedFiles.count(path) && LocalFileSystem::CanOpenExclusively(path);
}

std::shared_ptr<office::Object> NoOffice::CreateObject(const std::string& className) {
  throw office::AutomationError(office::errors::kCannotStart, className,
                                "No office in this test");
}

FakeEnvironment::FakeEnvironment() : registry(RootsBelow(root)), office(&noOffice) {}

void FakeEnvironment::ShowMessageBox(const std::string& text, const std::string& title) {
  messageBoxes.push_back(text);
  titles.push_back(title);
  if (onMessageBox) onMessageBox(text);
}

bool FakeEnvironment::WriteEventLog(const std::string& source, const std::string& text) {
  if (!eventLogWritable) return false;
  (void)source;
  eventLog.push_back(text);
  return true;
}

double FakeEnvironment::Clock() {
  double now = clock;
  clock += clockStep;
  return now;
}

void FakeEnvironment::DispatchEvents() {
  ++dispatches;
  if (onDispatch) onDispatch();
}

bool FakeEnvironment::StartProgram(const std::string& program,
                                   const std::vector<std::string>& arguments) {
  startedPrograms.emplace_back(program, arguments);
  return startSucceeds;
}

}  // namespace pressmoor::testing
