// What the office integration tests share: a settings store with the
// Quillset driver installed, the factory over it, input files made by the
// office itself (cached across test processes), and readers of PDFs and of
// our child processes.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentWriter.h"
#include "LibreOfficeFactory.h"
#include "TempDir.h"
#include "driver/Quillset.h"
#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::testing {

// Non-ASCII on purpose: every type must carry it through to the PDF.
inline const std::string kSampleWords = "Grüße aus Köln naïve café";
// What the fixtures with a comment or note say in it.
inline const std::string kRemark = "Margin remark";

// Text in the legacy encodings of several scripts, each long enough for the
// charset detector to be sure of it; `office` is how the office's text
// import names the encoding read.
struct LegacySample {
  const char* encoding;  // as iconv names it
  const char* office;
  std::string text;  // UTF-8
};
inline const std::vector<LegacySample> kLegacySamples{
    {"SHIFT_JIS", "MS_932", "吾輩は猫である。名前はまだ無い。"},
    {"ISO-2022-JP", "ISO_2022_JP", "どこで生れたかとんと見当がつかぬ。"},
    {"BIG5", "MS_950", "中華民國的首都是臺北，這是繁體中文。"},
    {"GB18030", "GB_18030", "北京是中华人民共和国的首都。"},
    {"EUC-KR", "MS_949", "서울은 대한민국의 수도이자 최대 도시이다"},
    {"KOI8-R", "KOI8_R", "Москва является столицей России"},
    {"WINDOWS-1251", "MS_1251", "Киев является столицей Украины"},
    {"ISO-8859-7", "ISO_8859_7", "Η Αθήνα είναι η πρωτεύουσα της Ελλάδας"},
    {"WINDOWS-1256", "MS_1256", "القاهرة هي عاصمة مصر وأكبر مدنها"},
};

// `utf8` in `encoding` (as iconv names it); empty when it cannot be.
inline std::string Encoded(const std::string& utf8, const char* encoding) {
  const iconv_t converter = iconv_open(encoding, "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = utf8;
  std::string out(utf8.size() * 4 + 16, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t left = in.size();
  std::size_t room = out.size();
  const std::size_t failed = static_cast<std::size_t>(-1);
  // The second call ends a stateful encoding's last shift sequence.
  const bool converted = iconv(converter, &from, &left, &to, &room) != failed &&
                         iconv(converter, nullptr, nullptr, &to, &room) != failed;
  iconv_close(converter);
  if (!converted) return {};
  out.resize(out.size() - room);
  return out;
}

inline platform::RegistryRoots TestbedRoots(const TempDir& dir) {
  std::filesystem::create_directories(dir.Path() + "/machine");
  std::filesystem::create_directories(dir.Path() + "/user");
  platform::RegistryRoots roots;
  roots.machineDatabase = dir.Path() + "/machine/registry.sqlite";
  roots.userDatabase = dir.Path() + "/user/registry.sqlite";
  return roots;
}

struct OfficeTestbed {
  TempDir dir;
  platform::Registry registry{TestbedRoots(dir)};
  office::LibreOfficeFactory factory{registry};

  // The tests' files all lie in the temporary directory, which the offices
  // may read; the sandbox's tests let them read less.
  OfficeTestbed() {
    InstallDriver();
    factory.AllowFolders({std::filesystem::temp_directory_path().string()});
  }

  void SetValue(platform::HKEY root, const std::string& key, const std::string& name,
                const std::string& value) {
    platform::HKEY handle = 0;
    ASSERT_EQ(registry.RegCreateKeyExA(root, key, 0, "", 0, 0x3F, nullptr, &handle, nullptr),
              platform::ERROR_SUCCESS);
    registry.RegSetValueExA(handle, name, 0, platform::REG_SZ,
                            reinterpret_cast<const unsigned char*>(value.data()),
                            static_cast<platform::DWORD>(value.size()));
    registry.RegCloseKey(handle);
  }
  void InstallDriver() {
    SetValue(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, driver::kVersionValue,
             driver::kInstalledVersion);
  }
  void UninstallDriver() {
    registry.RegDeleteTreeA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey);
  }
  void SetMachineOutputName(const std::string& path) {
    SetValue(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, driver::kOutputFileNameValue, path);
  }
  void SetUserOutputName(const std::string& path) {
    SetValue(platform::HKEY_CURRENT_USER,
             std::string("Software\\VB and VBA Program Settings\\") + driver::kSettingsApplication +
                 "\\" + driver::kSettingsSection,
             driver::kOutputFileNameValue, path);
  }

  std::shared_ptr<office::WordApplication> Word() {
    return std::dynamic_pointer_cast<office::WordApplication>(factory.CreateObject("Word.Application"));
  }
  std::shared_ptr<office::ExcelApplication> Excel() {
    return std::dynamic_pointer_cast<office::ExcelApplication>(
        factory.CreateObject("Excel.Application"));
  }
};

inline void WriteBytes(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Deterministic noise that no office format claims.
inline std::string RandomBytes(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 2463534242u;
  for (char& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state & 0xFF);
  }
  return bytes;
}

// Input files that need the office to make them, made once per machine and
// shared by every test process (the lock keeps two from writing at once).
class Fixtures {
 public:
  static const Fixtures& Get() {
    static Fixtures fixtures;
    return fixtures;
  }
  std::string Path(const std::string& name) const { return directory_ + "/" + name; }

 private:
  Fixtures() {
    directory_ = std::filesystem::temp_directory_path().string() + "/pressmoor-fixtures-office-v2-" +
                 std::to_string(getuid());
    std::filesystem::create_directories(directory_);
    const int lock = open((directory_ + "/.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    flock(lock, LOCK_EX);
    if (!std::filesystem::exists(Path("complete"))) Make();
    flock(lock, LOCK_UN);
    close(lock);
  }

  void Make() {
    office::libreoffice::DocumentWriter writer;
    const std::string text = Path("source.txt");
    WriteBytes(text, "Letter: " + kSampleWords + "\nSecond paragraph.\n");
    writer.Convert(text, Path("letter.doc"), "MS Word 97");
    writer.Convert(text, Path("protected.doc"), "MS Word 97", "secret");
    const std::string sheet = Path("source.csv");
    WriteBytes(sheet, "Item,Amount\n" + kSampleWords + ",12.5\n");
    writer.Convert(sheet, Path("sheet.xls"), "MS Excel 97");
    const std::string letter = ReadBytes(Path("letter.doc"));
    WriteBytes(Path("truncated.doc"), letter.substr(0, letter.size() / 3));
    MakeFromFlatOdf(writer, "remark.doc", "MS Word 97", "text",
                    "<text:p>Remarked letter<office:annotation><dc:creator>Ann</dc:creator>"
                    "<text:p>" + kRemark + "</text:p></office:annotation> stays.</text:p>");
    MakeFromFlatOdf(writer, "form.doc", "MS Word 97", "text",
                    "<text:p>Form <field:fieldmark-start text:name=\"Name\" "
                    "field:type=\"vnd.oasis.opendocument.field.FORMTEXT\"/>typed value"
                    "<field:fieldmark-end/></text:p>");
    // Shown on the sheet, so the note prints too and proves the workbook holds it.
    MakeFromFlatOdf(writer, "remark.xls", "MS Excel 97", "spreadsheet",
                    "<table:table table:name=\"Sheet1\"><table:table-row><table:table-cell "
                    "office:value-type=\"string\"><office:annotation office:display=\"true\">"
                    "<text:p>" + kRemark + "</text:p></office:annotation>"
                    "<text:p>Remarked cell</text:p>"
                    "</table:table-cell></table:table-row></table:table>");
    MakeFromFlatOdf(writer, "chart.xls", "MS Excel 97", "spreadsheet",
                    "<table:table table:name=\"Sheet1\"><table:table-row><table:table-cell "
                    "office:value-type=\"float\" office:value=\"3\"><draw:frame svg:width=\"8cm\" "
                    "svg:height=\"5cm\" svg:x=\"1cm\" svg:y=\"1cm\"><draw:object><office:document "
                    "office:mimetype=\"application/vnd.oasis.opendocument.chart\"><office:body>"
                    "<office:chart><chart:chart chart:class=\"chart:bar\"><chart:title>"
                    "<text:p>Chart heading</text:p></chart:title><chart:plot-area "
                    "table:cell-range-address=\"Sheet1.A1:Sheet1.A2\"><chart:series "
                    "chart:values-cell-range-address=\"Sheet1.A1:Sheet1.A2\"/></chart:plot-area>"
                    "</chart:chart></office:chart></office:body></office:document></draw:object>"
                    "</draw:frame><text:p>3</text:p></table:table-cell></table:table-row>"
                    "<table:table-row><table:table-cell office:value-type=\"float\" "
                    "office:value=\"5\"><text:p>5</text:p></table:table-cell></table:table-row>"
                    "</table:table>");
    WriteBytes(Path("complete"), "");
  }

  // Writes `body` as a flat ODF document of `kind` ("text", "spreadsheet")
  // and stores it as `name` with `filterName`.
  void MakeFromFlatOdf(office::libreoffice::DocumentWriter& writer, const std::string& name,
                       const std::string& filterName, const std::string& kind,
                       const std::string& body) {
    const std::string source = Path(name + ".f" + (kind == "text" ? "odt" : "ods"));
    WriteBytes(source,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
               "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
               "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
               "xmlns:chart=\"urn:oasis:names:tc:opendocument:xmlns:chart:1.0\" "
               "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
               "xmlns:field=\"urn:openoffice:names:experimental:ooo-ms-interop:xmlns:field:1.0\" "
               "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument." +
                   kind + "\"><office:body><office:" + kind + ">" + body + "</office:" + kind +
                   "></office:body></office:document>");
    writer.Convert(source, Path(name), filterName);
  }

  std::string directory_;
};

inline std::string CommandOutput(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    pclose(pipe);
  }
  return output;
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

inline std::string PdfText(const std::string& pdf) {
  return CommandOutput("pdftotext -enc UTF-8 " + Quoted(pdf) + " - 2>/dev/null");
}

inline int PdfPageCount(const std::string& pdf) {
  const std::string info = CommandOutput("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
  std::smatch match;
  if (!std::regex_search(info, match, std::regex(R"(Pages:\s+([0-9]+))"))) return 0;
  return std::stoi(match[1]);
}

struct PageSize {
  double width = 0;
  double height = 0;
};

inline PageSize PdfPageSize(const std::string& pdf) {
  const std::string info = CommandOutput("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
  std::smatch match;
  PageSize size;
  if (std::regex_search(info, match, std::regex(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)"))) {
    size.width = std::stod(match[1]);
    size.height = std::stod(match[2]);
  }
  return size;
}

// Left and top edge, in points, of the first word on the first page.
inline std::pair<double, double> FirstWordPosition(const std::string& pdf) {
  const std::string boxes =
      CommandOutput("pdftotext -bbox -f 1 -l 1 " + Quoted(pdf) + " - 2>/dev/null");
  std::smatch match;
  if (!std::regex_search(boxes, match, std::regex(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)")re"))) {
    return {-1, -1};
  }
  return {std::stod(match[1]), std::stod(match[2])};
}

// Office processes that `parent` started, itself or through their sandbox,
// and that have not been reaped (zombies included).
inline std::vector<pid_t> OfficeChildren(pid_t parent = getpid()) {
  std::map<pid_t, pid_t> parents;
  std::vector<pid_t> offices;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = ReadBytes(entry.path().string() + "/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // After "comm)" come the state and the parent's id.
    std::istringstream fields(stat.substr(close + 2));
    std::string state;
    pid_t ppid = 0;
    fields >> state >> ppid;
    const pid_t pid = static_cast<pid_t>(std::stoi(name));
    parents[pid] = ppid;
    if (stat.find("(soffice") != std::string::npos) offices.push_back(pid);
  }
  std::vector<pid_t> children;
  for (const pid_t office : offices) {
    for (pid_t up = parents[office]; up > 1; up = parents.count(up) ? parents[up] : 0) {
      if (up == parent) {
        children.push_back(office);
        break;
      }
    }
  }
  return children;
}

inline office::AutomationError CaughtError(const std::function<void()>& call) {
  try {
    call();
  } catch (const office::AutomationError& error) {
    return error;
  }
  return office::AutomationError(0, "", "no failure");
}

}  // namespace pressmoor::testing
