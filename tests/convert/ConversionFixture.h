// A window over real temporary source and destination directories, with the
// scripted office behind it and messages collected in the fake event log
// (the command line is non-empty, so nothing waits for a person).
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeEnvironment.h"
#include "TempDir.h"
#include "office/ScriptedOffice.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {

class ConversionTest : public ::testing::Test {
 protected:
  ConversionTest() {
    env.commandLine = "-f *.txt -s in -d out";
    env.office = &office;
    form.SrcFolder.Path(source);
    form.DstFolder.Path(destination);
    form.txtLMargin.Text("1");
    form.txtRmargin.Text("1");
    form.txtTMargin.Text("1");
    form.txtBMargin.Text("1");
  }

  std::string Source(const std::string& name, const std::string& content = "text") {
    return dirs.WriteFile("in/" + name, content);
  }
  std::string Output(const std::string& name) const { return destination + "/" + name; }

  // What CheckSourceDirectory leaves before a run, for calling a converter alone.
  void ListSource(const std::string& pattern) {
    form.FilePattern = pattern;
    form.srcFileList.Pattern(pattern);
    form.srcFileList.Path(source);
  }

  FakeEnvironment env;
  office::ScriptedOffice office{&env.registry};
  TempDir dirs;
  std::string source = dirs.MakeDirectory("in");
  std::string destination = dirs.MakeDirectory("out");
  ui::frmPressmoorMain form{env};
};

}  // namespace pressmoor::testing
