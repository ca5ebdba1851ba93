#include "ProfileVersion.h"

#include <fstream>
#include <iterator>
#include <mutex>

namespace pressmoor::office::libreoffice {
namespace {

constexpr std::string_view kVersionProperty = "<prop oor:name=\"ooSetupVersion\">";
constexpr std::string_view kLastVersionName = "ooSetupLastVersion";
constexpr std::string_view kItemsEnd = "</oor:items>";

std::string LastVersionItem(const std::string& version) {
  return "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"" +
         std::string(kLastVersionName) + "\" oor:op=\"fuse\"><value>" + version +
         "</value></prop></item>\n";
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::string ProductVersionOf(std::string_view mainXcd) {
  const size_t property = mainXcd.find(kVersionProperty);
  if (property == std::string_view::npos) return {};
  constexpr std::string_view kOpen = "<value>";
  const size_t open = mainXcd.find(kOpen, property);
  const size_t close = mainXcd.find("</value>", open);
  if (open == std::string_view::npos || close == std::string_view::npos) return {};
  const std::string_view between = mainXcd.substr(property, open - property);
  // The value must belong to this property, not to one further on.
  if (between.find("</prop>") != std::string_view::npos) return {};
  const std::string_view version = mainXcd.substr(open + kOpen.size(), close - open - kOpen.size());
  if (version.empty() || version.find_first_not_of("0123456789.") != std::string_view::npos) return {};
  return std::string(version);
}

void MarkProfileStartedBy(const std::filesystem::path& profile, const std::string& version) {
  if (version.empty()) return;
  const std::filesystem::path settings = profile / "user" / "registrymodifications.xcu";
  std::error_code error;
  std::string text;
  if (std::filesystem::exists(settings, error)) {
    text = ReadAll(settings);
    if (text.find(kLastVersionName) != std::string::npos) return;
    const size_t end = text.rfind(kItemsEnd);
    if (end == std::string::npos) return;  // not a settings file we understand: leave it
    text.insert(end, LastVersionItem(version));
  } else {
    text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n" +
           LastVersionItem(version) + std::string(kItemsEnd) + "\n";
  }
  std::filesystem::create_directories(settings.parent_path(), error);
  const std::filesystem::path staging = settings.string() + ".new";
  {
    std::ofstream out(staging, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::filesystem::remove(staging, error);
      return;
    }
  }
  std::filesystem::rename(staging, settings, error);
  if (error) std::filesystem::remove(staging, error);
}

const std::string& InstalledOfficeVersion(const std::filesystem::path& program) {
  static std::once_flag once;
  static std::string version;
  std::call_once(once, [&] {
    version = ProductVersionOf(ReadAll(program.parent_path() / "share" / "registry" / "main.xcd"));
  });
  return version;
}

}  // namespace pressmoor::office::libreoffice
