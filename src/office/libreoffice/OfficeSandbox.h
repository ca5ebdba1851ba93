// The sandbox every office process runs in, made by bubblewrap (bwrap), so
// that a document cannot reach the network or read files outside its own
// folder. Inside, the office has:
//   - no network: a network namespace of its own, without interfaces (the UNO
//     pipe is a socket file, which still connects from outside);
//   - no capabilities, and process, IPC and user namespaces of its own;
//   - read-only: the system's programs, libraries, fonts and office settings
//     (/usr and a few named files of /etc), and the folders of its reach with
//     their subfolders;
//   - writable: its own directory (profile, temporary files, the PDFs it
//     writes), and nothing else;
//   - nothing of the user's home, the settings roots, the rest of /tmp, or
//     the rest of the machine; /etc/passwd is a stand-in naming only itself,
//     and /dev/tty leads nowhere.
// It dies with the process that started it. A sandbox is required unless
// PRESSMOOR_SANDBOX=off; when none can be made, SandboxUnavailable names the
// cause and the remedy.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace pressmoor::office::libreoffice {

// The folders one office may read, besides the system's files.
class OfficeReach {
 public:
  // No folder at all.
  OfficeReach() = default;
  // The folders of `documents` and `folders` themselves, made absolute, each
  // once, none inside another.
  OfficeReach(const std::vector<std::string>& documents, const std::vector<std::string>& folders);
  // Everything, without a sandbox: for the office that writes test input,
  // which never reads a document from outside.
  static OfficeReach Unconfined();

  const std::vector<std::string>& Folders() const { return folders_; }
  // The files that documents linked in from elsewhere lead to.
  const std::vector<std::string>& LinkedFiles() const { return files_; }
  bool IsUnconfined() const { return unconfined_; }
  // True when `path` lies in one of the folders.
  bool Covers(const std::string& path) const;
  bool operator==(const OfficeReach&) const = default;

 private:
  std::vector<std::string> folders_;
  std::vector<std::string> files_;
  bool unconfined_ = false;
};

// Why no sandbox can be made; the text says what to do.
class SandboxUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// False when PRESSMOOR_SANDBOX is "off".
bool SandboxRequired();

// Says once per process, in the event log, that offices run without a
// sandbox.
void NoteRunningWithoutSandbox();

// Inside the sandbox, `ownDirectory` is also reached by this short path: a
// socket's path must fit in 108 bytes, and under a long TMPDIR the office's
// pipe in its own folder would not.
inline constexpr const char* kOwnDirectoryInSandbox = "/run/pressmoor-office";

// The command that runs `office` (program and arguments) in a sandbox that
// may read `reach` and `programFolders` (what the office loads of ours) and
// write `ownDirectory` only, where the office's home, temporary files and
// pipe lie. Throws SandboxUnavailable when bwrap is
// missing or cannot make a sandbox here; that is found out once per process.
std::vector<std::string> SandboxedCommand(const std::vector<std::string>& office,
                                          const OfficeReach& reach,
                                          const std::string& ownDirectory,
                                          const std::vector<std::string>& programFolders = {});

}  // namespace pressmoor::office::libreoffice
