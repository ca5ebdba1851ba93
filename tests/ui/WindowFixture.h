// A window over a scratch disk, without a display or an office: the
// process's current directory is the disk's top, the mount table shows "/"
// as "/ [system]" plus the drives a test mounts.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeEnvironment.h"
#include "TempDir.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {

class WindowFixture : public ::testing::Test {
 protected:
  static constexpr const char* kApplication = "Tarnwick\\Pressmoor";
  static constexpr const char* kSystemDrive = "/ [system]";

  WindowFixture() {
    env.files.currentDirectory = disk.Path();
    env.files.mounts = {{"/", "system"}};
  }

  // Built on first use, so a test can shape the disk, the mounts, the store
  // and the command line first.
  ui::frmPressmoorMain& Window() {
    if (!window_) window_ = std::make_unique<ui::frmPressmoorMain>(env);
    return *window_;
  }

  // A new window over the same disk and store, as the next run of the program sees them.
  ui::frmPressmoorMain& Restart() {
    window_.reset();
    return Window();
  }

  // A directory of the disk mounted as a drive; returns the drive's text.
  std::string MountDrive(const std::string& relative, const std::string& label) {
    env.files.mounts.push_back({disk.MakeDirectory(relative), label});
    return disk.Sub(relative) + " [" + label + "]";
  }

  void Store(const std::string& section, const std::string& key, const std::string& value) {
    Window().MySaveSetting(kApplication, section, key, value);
  }
  std::string Stored(const std::string& section, const std::string& key) {
    return Window().MyGetSetting(kApplication, section, key, "<none>");
  }

  static std::vector<std::string> Names(const ui::FileListBox& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
    return names;
  }

  TempDir disk;
  FakeEnvironment env;

 private:
  std::unique_ptr<ui::frmPressmoorMain> window_;
};

}  // namespace pressmoor::testing
