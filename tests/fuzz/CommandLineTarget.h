// Arbitrary command lines through ParseCommandLine, getparameter and
// ApplyCommandLine, over a scratch tree the file system cannot leave.
// CheckCommandLine answers the first broken rule, or "" when all hold.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "FakeEnvironment.h"
#include "FuzzInput.h"
#include "platform/LocalFileSystem.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::fuzz {

// The real disk, but everything outside `top` is a drive that is not ready,
// so a fuzzed "-s /" or "-s ../.." lists nothing real.
class ConfinedFileSystem : public platform::LocalFileSystem {
 public:
  explicit ConfinedFileSystem(std::string top) : top_(std::move(top)) {}

  bool Inside(const std::string& path) const {
    if (path.find('\0') != std::string::npos) return false;
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    return normal == top_ || normal.rfind(top_ + "/", 0) == 0;
  }

  std::vector<platform::MountPoint> Mounts() override { return {{"/", "system"}, {top_, "scratch"}}; }
  std::string CurrentDirectory() override { return top_; }
  bool ListDirectory(const std::string& directory,
                     std::vector<platform::DirectoryEntry>* entries) override {
    return Inside(directory) && LocalFileSystem::ListDirectory(directory, entries);
  }
  bool IsDirectory(const std::string& path) override {
    return Inside(path) && LocalFileSystem::IsDirectory(path);
  }
  bool IsRegularFile(const std::string& path) override {
    return Inside(path) && LocalFileSystem::IsRegularFile(path);
  }
  bool CanOpenExclusively(const std::string& path) override {
    return Inside(path) && LocalFileSystem::CanOpenExclusively(path);
  }

 private:
  std::string top_;
};

class CommandLineEnvironment : public testing::FakeEnvironment {
 public:
  CommandLineEnvironment() : confined(root.Path() + "/tree") {
    const std::string tree = root.Path() + "/tree/";
    for (const char* name : {"in/a.txt", "in/b c.doc", "in/-d.rtf", "in/e#%.htm", "in/f.xls",
                             "in/G.TXT", "in/.hidden.txt", "my docs/z.txt", "out/x.pdf",
                             "out/Y.PDF", "out/notes.txt", "-s/q.doc"}) {
      root.WriteFile("tree/" + std::string(name), "text");
    }
    std::filesystem::create_directories(tree + "in/sub");
    std::filesystem::create_directories(tree + "empty");
  }
  platform::FileSystem& Files() override { return confined; }
  ConfinedFileSystem confined;
};

inline constexpr const char* kSyntaxMessage =
    "Invalid parameters, syntax is -f *.type -s source dir -d destination dir";

// A parsed value is a piece of the line, stops before the next option and
// carries no trailing blank.
inline std::string CheckValue(const char* what, const std::string& value, const std::string& line) {
  if (value.empty()) return "";
  if (line.find(value) == std::string::npos) return std::string(what) + " is not part of the line";
  if (value.back() == ' ') return std::string(what) + " ends with a blank";
  if (value.find(" -") != std::string::npos) return std::string(what) + " runs into the next option";
  return "";
}

inline std::string CheckParsed(ui::frmPressmoorMain& window, const std::string& line) {
  for (const auto& [what, value] : {std::pair{"-f", &window.ParamFileType},
                                    std::pair{"-s", &window.ParamSourceDir},
                                    std::pair{"-d", &window.ParamDestinationDir}}) {
    std::string broken = CheckValue(what, *value, line);
    if (!broken.empty()) return broken;
  }
  for (char c : window.Orientation) {
    if (std::islower(static_cast<unsigned char>(c))) return "-o is not upper case";
  }
  return "";
}

inline std::string CheckListed(CommandLineEnvironment& env, ui::FileListBox& list,
                               const std::string& directory, bool pdfOnly) {
  if (list.Path() != directory) return "a file list does not show its directory";
  for (int i = 0; i < list.ListCount(); ++i) {
    const std::string& name = list.List(i);
    if (name.empty() || name[0] == '.') return "a hidden or empty name is listed";
    if (!env.confined.IsRegularFile(directory + "/" + name)) return "a listed file does not exist";
    std::string ending = name.size() >= 4 ? name.substr(name.size() - 4) : name;
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (pdfOnly && ending != ".pdf") return "the destination list shows a file that is no PDF";
  }
  return "";
}

inline std::string CheckApplied(CommandLineEnvironment& env, ui::frmPressmoorMain& window) {
  if (window.FilePattern != window.ParamFileType) return "the pattern is not the -f value";
  if (window.CommandLineFailed) {
    // The directories are refused with the syntax message, a bad -n with its own.
    const bool explained = !env.eventLog.empty() && (env.eventLog.back() == kSyntaxMessage ||
                                                     env.eventLog.back().rfind("Invalid option -n", 0) == 0);
    if (!explained) return "a refused line gives no syntax message";
    return "";
  }
  if (window.ParamSourceDir.empty()) return "applied without a source directory";
  if (!env.eventLog.empty()) return "an applied line reported: " + env.eventLog.front();
  if (!env.confined.Inside(window.SrcFolder.Path()) || !env.confined.Inside(window.DstFolder.Path())) {
    return "a directory outside the tree was opened";
  }
  // What a run does first: both checks pass on the directories just applied.
  if (!window.CheckSourceDirectory() || !window.CheckDestinationDirectory()) {
    return "an applied directory fails the run's checks";
  }
  std::string broken = CheckListed(env, window.srcFileList, window.SrcFolder.Path(), false);
  if (!broken.empty()) return broken;
  if (!window.FilePattern.empty() && window.srcFileList.Pattern() != window.FilePattern) {
    return "the source list ignores the pattern";
  }
  return CheckListed(env, window.dstFileList, window.DstFolder.Path(), true);
}

inline std::string CheckCommandLine(const std::uint8_t* data, std::size_t size) {
  static CommandLineEnvironment env;
  FuzzInput input(data, size);
  auto start = static_cast<std::int16_t>(input.Short());
  // argv joined with blanks can hold any byte but NUL.
  std::string line = input.Rest();
  std::replace(line.begin(), line.end(), '\0', ' ');
  env.commandLine = line;
  env.eventLog.clear();
  env.messageBoxes.clear();

  ui::frmPressmoorMain window(env);
  window.ParseCommandLine();
  std::string broken = CheckParsed(window, line);
  if (!broken.empty()) return broken;
  broken = CheckValue("getparameter", window.getparameter(start, line), line);
  if (!broken.empty()) return broken;
  window.ApplyCommandLine();
  return CheckApplied(env, window);
}

}  // namespace pressmoor::fuzz
