// Converts one generated batch of 100 small files (20 each of .doc .rtf .txt
// .html .xls) to PDF twice: through Pressmoor's automation objects (office
// start-up included) and through `soffice --headless --convert-to pdf` with
// a fresh profile, and prints both wall times and their ratio.
//
// Usage: office_bench WORK_DIRECTORY
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "DocumentWriter.h"
#include "LibreOfficeFactory.h"
#include "driver/Quillset.h"
#include "platform/Registry.h"

namespace fs = std::filesystem;
using namespace pressmoor;

namespace {

constexpr int kFilesPerType = 20;

void WriteText(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string Paragraphs(int number) {
  std::string text;
  for (int line = 0; line < 12; ++line) {
    text += "File " + std::to_string(number) + " line " + std::to_string(line) +
            ": Grüße aus Köln, naïve café, 1234.56\n";
  }
  return text;
}

void GenerateBatch(const fs::path& input, const fs::path& scratch) {
  office::libreoffice::DocumentWriter writer;
  for (int i = 0; i < kFilesPerType; ++i) {
    // Distinct base names: every source gets a PDF of its own.
    const std::string base = std::to_string(i) + "-";
    const std::string text = Paragraphs(i);
    WriteText(input / (base + "text.txt"), text);
    WriteText(input / (base + "page.html"),
              "<html><head><meta charset=\"utf-8\"><title>t</title></head><body><p>" + text +
                  "</p></body></html>\n");
    WriteText(input / (base + "rich.rtf"), "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 File " +
                                           std::to_string(i) + " in rich text.\\par Second line.\\par}\n");
    const fs::path sourceText = scratch / (base + "source.txt");
    WriteText(sourceText, text);
    writer.Convert(sourceText.string(), (input / (base + "letter.doc")).string(), "MS Word 97");
    const fs::path sourceSheet = scratch / (base + "source.csv");
    WriteText(sourceSheet, "Item,Amount\nFile " + std::to_string(i) + ",12.5\nSecond,7\n");
    writer.Convert(sourceSheet.string(), (input / (base + "sheet.xls")).string(), "MS Excel 97");
  }
}

std::vector<fs::path> FilesEndingIn(const fs::path& directory, const std::vector<std::string>& endings) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(directory)) {
    for (const std::string& ending : endings) {
      if (entry.path().extension() == ending) files.push_back(entry.path());
    }
  }
  return files;
}

fs::path OutputFor(const fs::path& output, const fs::path& source) {
  return output / source.filename().replace_extension(".pdf");
}

double Seconds(const std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ConvertWithWord(office::ObjectFactory& factory, const std::vector<fs::path>& sources,
                     const fs::path& output) {
  const auto start = std::chrono::steady_clock::now();
  auto word = std::dynamic_pointer_cast<office::WordApplication>(factory.CreateObject("Word.Application"));
  std::fprintf(stderr, "word started: %.2f s\n", Seconds(start));
  const std::string previous = word->ActivePrinter();
  word->ActivePrinter(driver::kPrinterName);
  for (const fs::path& source : sources) {
    word->Documents()->Open({source.string()});
    word->Options()->PrintBackground(true);
    word->Visible(false);
    word->ActiveDocument()->PrintOut({OutputFor(output, source).string(), true});
    // The converter's wait: poll, then sleep 100 ms.
    while (word->BackgroundPrintingStatus() > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    word->Documents()->Close({false});
  }
  word->ActivePrinter(previous);
  word->Quit();
  std::fprintf(stderr, "word done: %.2f s\n", Seconds(start));
}

void ConvertWithExcel(office::ObjectFactory& factory, platform::Registry& registry,
                      const fs::path& input, const fs::path& output) {
  const auto start = std::chrono::steady_clock::now();
  auto excel = std::dynamic_pointer_cast<office::ExcelApplication>(factory.CreateObject("Excel.Application"));
  std::fprintf(stderr, "excel started: %.2f s\n", Seconds(start));
  for (const fs::path& source : FilesEndingIn(input, {".xls"})) {
    const std::string target = OutputFor(output, source).string();
    platform::HKEY key = 0;
    registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "", 0, 0x3F,
                             nullptr, &key, nullptr);
    registry.RegSetValueExA(key, driver::kOutputFileNameValue, 0, platform::REG_SZ,
                            reinterpret_cast<const unsigned char*>(target.data()),
                            static_cast<platform::DWORD>(target.size()));
    registry.RegCloseKey(key);
    excel->Visible(false);
    auto workbook = excel->Workbooks()->Open({source.string(), std::nullopt, true});
    workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                        std::string(driver::kPrinterName)});
    workbook->Close({false, std::nullopt, false});
  }
  excel->Quit();
  std::fprintf(stderr, "excel done: %.2f s\n", Seconds(start));
}

int RunSoffice(const fs::path& input, const fs::path& output, const fs::path& profile) {
  std::vector<std::string> words{"soffice", "-env:UserInstallation=file://" + profile.string(),
                                 "--headless", "--convert-to", "pdf", "--outdir", output.string()};
  for (const fs::path& source : FilesEndingIn(input, {".doc", ".rtf", ".txt", ".html", ".xls"})) {
    words.push_back(source.string());
  }
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    // Its chatter would mix into the figures; without /dev/null, no run.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
    execvp("soffice", argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: office_bench WORK_DIRECTORY\n";
    return 2;
  }
  const fs::path work = fs::absolute(argv[1]);
  const fs::path input = work / "in", scratch = work / "scratch", ours = work / "ours",
                 theirs = work / "soffice";
  for (const fs::path& directory : {input, scratch, ours, theirs}) fs::create_directories(directory);
  try {
    GenerateBatch(input, scratch);
    platform::Registry registry({(work / "machine.sqlite").string(), (work / "user.sqlite").string(), false});
    platform::HKEY key = 0;
    registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "", 0, 0x3F,
                             nullptr, &key, nullptr);
    registry.RegSetValueExA(key, driver::kVersionValue, 0, platform::REG_SZ,
                            reinterpret_cast<const unsigned char*>("1.20"), 4);
    registry.RegCloseKey(key);
    office::LibreOfficeFactory factory(registry);
    factory.AllowFolders({input.string()});

    const auto ourStart = std::chrono::steady_clock::now();
    // Workbooks through one spreadsheet application, the rest split between
    // two word processors, so that both cores are kept busy to the end.
    std::vector<fs::path> wordFiles = FilesEndingIn(input, {".doc", ".rtf", ".txt", ".html"});
    const auto half = wordFiles.begin() + static_cast<std::ptrdiff_t>(wordFiles.size() / 2);
    const std::vector<fs::path> firstHalf(wordFiles.begin(), half), secondHalf(half, wordFiles.end());
    std::thread excel([&] { ConvertWithExcel(factory, registry, input, ours); });
    std::thread word([&] { ConvertWithWord(factory, firstHalf, ours); });
    ConvertWithWord(factory, secondHalf, ours);
    word.join();
    excel.join();
    const double ourSeconds = Seconds(ourStart);

    const auto theirStart = std::chrono::steady_clock::now();
    const int status = RunSoffice(input, theirs, work / "soffice-profile");
    const double theirSeconds = Seconds(theirStart);

    const auto count = [](const fs::path& directory) {
      return std::distance(fs::directory_iterator(directory), fs::directory_iterator());
    };
    std::printf("files: %ld\n", static_cast<long>(count(input)));
    std::printf("pressmoor objects: %.2f s, %ld PDFs\n", ourSeconds, static_cast<long>(count(ours)));
    std::printf("soffice --convert-to: %.2f s, %ld PDFs (exit %d)\n", theirSeconds,
                static_cast<long>(count(theirs)), status);
    std::printf("ratio: %.2f\n", ourSeconds / theirSeconds);
  } catch (const office::AutomationError& error) {
    std::cerr << error.Number() << " " << error.Source() << " " << error.Description() << "\n";
    return 1;
  }
  return 0;
}
