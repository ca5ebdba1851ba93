#include "platform/StateRoots.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

namespace pressmoor::platform {

namespace {

std::string Variable(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

std::string HomeDirectory() {
  std::string home = Variable("HOME");
  if (!home.empty()) return home;
  // Services started without HOME still have a password entry.
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "/";
}

}  // namespace

std::string MachineRoot() {
  std::string root = Variable("PRESSMOOR_MACHINE_ROOT");
  return root.empty() ? "/var/lib/pressmoor" : root;
}

std::string UserRoot() {
  std::string root = Variable("PRESSMOOR_USER_ROOT");
  if (!root.empty()) return root;
  std::string config = Variable("XDG_CONFIG_HOME");
  if (config.empty()) config = HomeDirectory() + "/.config";
  return config + "/pressmoor";
}

}  // namespace pressmoor::platform
