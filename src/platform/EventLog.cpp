#include "platform/EventLog.h"

#include <fcntl.h>
#include <stdlib.h>
#include <syslog.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/ByteText.h"
#include "platform/StateRoots.h"

namespace pressmoor::platform {

std::string EventLog::DefaultPath() {
  const char* configured = getenv("PRESSMOOR_EVENT_LOG");
  if (configured && *configured) return configured;
  return UserRoot() + "/events.log";
}

std::string EventLog::Escape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case '\t': escaped += "\\t"; break;
      default: {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) {
          escaped += WithBytesEscaped(std::string(1, c));
        } else {
          escaped.append(text, at, length);
          at += length - 1;
        }
      }
    }
  }
  return escaped;
}

std::string EventLog::FormatEntry(const std::string& source, const std::string& text) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm utc{};
  gmtime_r(&now.tv_sec, &utc);
  char stamp[40];
  size_t length = strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &utc);
  std::snprintf(stamp + length, sizeof stamp - length, ".%03ldZ", now.tv_nsec / 1000000);
  return std::string(stamp) + "\t" + source + "\t" + Escape(text) + "\n";
}

bool EventLog::Write(const std::string& source, const std::string& text) const {
  std::string entry = FormatEntry(source, text);
  openlog("Pressmoor", LOG_PID, LOG_USER);
  syslog(LOG_INFO, "%s", Escape(text).c_str());

  std::error_code ignored;  // a parent that cannot be made fails the open below
  std::filesystem::path parent = std::filesystem::path(path_).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ssize_t written = ::write(fd, entry.data(), entry.size());
  bool closed = close(fd) == 0;
  return closed && written == static_cast<ssize_t>(entry.size());
}

}  // namespace pressmoor::platform
