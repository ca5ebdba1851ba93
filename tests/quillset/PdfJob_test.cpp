#include "quillset/PdfJob.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "driver/Quillset.h"

namespace pressmoor::quillset {
namespace {

using testing::TempDir;

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::size_t Entries(const std::string& directory) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(directory),
                                                std::filesystem::directory_iterator()));
}

TEST(PdfJob, CommittedPdfReplacesTheOlderOneAndNothingElseRemains) {
  TempDir dir;
  const std::string target = dir.WriteFile("out.pdf", "older");
  {
    PdfJob job(target);
    EXPECT_EQ(std::filesystem::path(job.TemporaryPath()).parent_path().parent_path(), dir.Path());
    EXPECT_EQ(Read(target), "older") << "target touched before the job is complete";
    Write(job.TemporaryPath(), "%PDF-1.7 pages");
    job.Commit();
  }
  EXPECT_EQ(Read(target), "%PDF-1.7 pages");
  EXPECT_EQ(Entries(dir.Path()), 1u);
}

TEST(PdfJob, AJobNamedLaterStaysInItsDirectory) {
  TempDir dir;
  const std::string other = dir.MakeDirectory("other");
  PdfJob job(dir.Sub("placeholder.pdf"));
  Write(job.TemporaryPath(), "%PDF-1.7 pages");
  EXPECT_FALSE(job.Retarget(other + "/real.pdf"));
  EXPECT_FALSE(job.Retarget(dir.Path() + "/"));
  ASSERT_TRUE(job.Retarget(dir.Sub("real.pdf")));
  job.Commit();
  EXPECT_EQ(Read(dir.Sub("real.pdf")), "%PDF-1.7 pages");
  EXPECT_FALSE(std::filesystem::exists(dir.Sub("placeholder.pdf")));
  EXPECT_TRUE(std::filesystem::is_empty(other));
}

TEST(PdfJob, AbandonedOrEmptyJobKeepsTheOlderPdfAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir.WriteFile("out.pdf", "older");
  { PdfJob abandoned(target); }
  EXPECT_EQ(Read(target), "older");
  EXPECT_EQ(Entries(dir.Path()), 1u);

  PdfJob empty(target);
  EXPECT_THROW(empty.Commit(), PdfJobError);
  Write(empty.TemporaryPath(), "not a pdf");  // nothing may resurrect it
  EXPECT_EQ(Read(target), "older");
}

// An office killed while writing leaves its lock and scratch files beside the
// pages; none of them may stay in the destination.
TEST(PdfJob, WhatTheWriterLeftBesideThePagesGoesWithTheJob) {
  TempDir dir;
  const auto leaveDebris = [](const PdfJob& job) {
    const std::filesystem::path pages(job.TemporaryPath());
    Write((pages.parent_path() / (".~lock." + pages.filename().string() + "#")).string(), "lock");
    Write((pages.parent_path() / "lu1234abcd.tmp").string(), "%PDF-1.7 half");
  };
  {
    PdfJob abandoned(dir.Sub("a.pdf"));
    leaveDebris(abandoned);
  }
  EXPECT_EQ(Entries(dir.Path()), 0u);

  PdfJob committed(dir.Sub("b.pdf"));
  leaveDebris(committed);
  Write(committed.TemporaryPath(), "%PDF-1.7 pages");
  committed.Commit();
  EXPECT_EQ(Entries(dir.Path()), 1u);
  EXPECT_EQ(Read(dir.Sub("b.pdf")), "%PDF-1.7 pages");
}

TEST(PdfJob, UnwritableTargetsFailBeforeAnyPageIsWritten) {
  TempDir dir;
  const std::string file = dir.WriteFile("file", "");
  EXPECT_THROW(PdfJob(""), PdfJobError);
  EXPECT_THROW(PdfJob(dir.Path() + "/missing/out.pdf"), PdfJobError);
  EXPECT_THROW(PdfJob(file + "/out.pdf"), PdfJobError);
  EXPECT_THROW(PdfJob(dir.Path() + "/"), PdfJobError);
}

TEST(PdfJob, FailuresCarryTheirErrorNumber) {
  TempDir dir;
  try {
    PdfJob job(dir.Path() + "/missing/out.pdf");
    FAIL() << "no failure";
  } catch (const PdfJobError& failure) {
    EXPECT_EQ(failure.ErrorNumber(), ENOENT);
  }
  PdfJob empty(dir.Path() + "/empty.pdf");
  try {
    empty.Commit();
    FAIL() << "no failure";
  } catch (const PdfJobError& failure) {
    EXPECT_EQ(failure.ErrorNumber(), 0);
  }
}

// A process that has ended: its id is free.
pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(PdfJob, TheFirstJobInAFolderSweepsWhatEndedProcessesLeft) {
  TempDir dir;
  const std::string dead = ".a.pdf.quillset-" + std::to_string(EndedProcess()) + ".Ab12Cd";
  const std::string alive = ".b.pdf.quillset-" + std::to_string(getpid()) + ".Ab12Cd";
  const std::string other = ".c.pdf.Ab12Cd";
  for (const std::string& name : {dead, alive, other}) {
    std::filesystem::create_directory(dir.Path() + "/" + name);
    Write(dir.Path() + "/" + name + "/page", "partial");
  }
  const std::string longName = std::string(250, 'n') + ".pdf";

  PdfJob job(dir.Path() + "/" + longName);

  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/" + dead));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/" + alive));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/" + other));
  const std::string working = std::filesystem::path(job.TemporaryPath()).parent_path().filename().string();
  EXPECT_NE(working.find(".quillset-" + std::to_string(getpid()) + "."), std::string::npos) << working;
  Write(job.TemporaryPath(), "%PDF-1.7 long");
  job.Commit();
  EXPECT_EQ(Read(dir.Path() + "/" + longName), "%PDF-1.7 long");
}

TEST(PdfJob, DirectoryInTheWayFailsTheCommitAndIsKept) {
  TempDir dir;
  const std::string target = dir.MakeDirectory("out.pdf");
  PdfJob job(target);
  Write(job.TemporaryPath(), "%PDF-1.7");
  EXPECT_THROW(job.Commit(), PdfJobError);
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(Entries(dir.Path()), 1u);
}

class DriverSettings : public ::testing::Test {
 protected:
  platform::RegistryRoots Roots() {
    std::filesystem::create_directories(dir_.Path() + "/m");
    std::filesystem::create_directories(dir_.Path() + "/u");
    return {dir_.Path() + "/m/registry.sqlite", dir_.Path() + "/u/registry.sqlite", false};
  }
  void Set(platform::HKEY root, const std::string& key, const std::string& name,
           const std::string& value) {
    platform::HKEY handle = 0;
    ASSERT_EQ(registry_.RegCreateKeyExA(root, key, 0, "", 0, 0x3F, nullptr, &handle, nullptr), 0);
    registry_.RegSetValueExA(handle, name, 0, platform::REG_SZ,
                             reinterpret_cast<const unsigned char*>(value.data()),
                             static_cast<platform::DWORD>(value.size()));
    registry_.RegCloseKey(handle);
  }
  const std::string userKey_ = "Software\\VB and VBA Program Settings\\Tarnwick\\Quillset";
  TempDir dir_;
  platform::Registry registry_{Roots()};
};

TEST_F(DriverSettings, InstalledWhileEitherVersionValueIsPresent) {
  EXPECT_FALSE(DriverInstalled(registry_));
  Set(platform::HKEY_LOCAL_MACHINE, driver::kProVersionKey, "version", "1.30");
  EXPECT_TRUE(DriverInstalled(registry_));
  registry_.RegDeleteTreeA(platform::HKEY_LOCAL_MACHINE, driver::kProVersionKey);
  Set(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, "version", "");
  EXPECT_FALSE(DriverInstalled(registry_));
  Set(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, "VERSION", "1.20");
  EXPECT_TRUE(DriverInstalled(registry_));
}

TEST_F(DriverSettings, OutputNameMachineWideFirstThenPerUser) {
  EXPECT_EQ(OutputNameSetting(registry_), "");
  Set(platform::HKEY_CURRENT_USER, userKey_, "PDFFileName", "/user/a.pdf");
  EXPECT_EQ(OutputNameSetting(registry_), "/user/a.pdf");
  Set(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, "PDFFileName", "");
  EXPECT_EQ(OutputNameSetting(registry_), "/user/a.pdf");
  Set(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, "PDFFileName", "/machine/b.pdf");
  EXPECT_EQ(OutputNameSetting(registry_), "/machine/b.pdf");
}

}  // namespace
}  // namespace pressmoor::quillset
