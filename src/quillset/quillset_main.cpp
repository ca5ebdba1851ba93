// The Quillset driver's helper program: installs and removes the driver,
// shows its about information when started with -product NAME, and sets its
// preferences, in a window or from scripts.
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/StateRoots.h"
#include "quillset/About.h"
#include "quillset/Install.h"
#include "quillset/PreferenceCommands.h"
#include "quillset/qt/AboutWindow.h"
#include "quillset/qt/PreferencesWindow.h"

namespace {

std::string OwnExecutable() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : "";
}

int Usage() {
  std::cerr << "usage: quillset.exe install | uninstall | -product NAME | preferences\n"
               "       quillset.exe set NAME VALUE | get NAME\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pressmoor;
  std::vector<std::string> args(argv + 1, argv + argc);
  platform::Registry registry(platform::RegistryRoots::FromEnvironment());
  if (args.size() == 1 && args[0] == "install") {
    return quillset::Install(registry, platform::MachineRoot(), OwnExecutable(), std::cout,
                             std::cerr);
  }
  if (args.size() == 1 && args[0] == "uninstall") {
    return quillset::Uninstall(registry, platform::MachineRoot(), std::cout, std::cerr);
  }
  if (args.size() == 2 && args[0] == "-product") {
    std::ostringstream about;
    quillset::PrintAbout(quillset::ReadAboutInfo(registry), about);
    if (quillset::DisplayAvailable()) {
      return quillset::ShowAboutWindow(argc, argv, "About Quillset", about.str());
    }
    std::cout << about.str();
    return 0;
  }
  if (args.size() == 1 && args[0] == "preferences") {
    if (!quillset::DisplayAvailable()) {
      std::cerr << "quillset.exe: the preferences window needs a display; use quillset.exe set NAME "
                   "VALUE\n";
      return 1;
    }
    return quillset::ShowPreferencesWindow(argc, argv, registry);
  }
  if (args.size() == 3 && args[0] == "set") {
    return quillset::SetPreferenceCommand(registry, args[1], args[2], std::cerr);
  }
  if (args.size() == 2 && args[0] == "get") {
    return quillset::GetPreferenceCommand(registry, args[1], std::cout, std::cerr);
  }
  return Usage();
}
