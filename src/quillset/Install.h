// Installing and removing the Quillset driver on this machine: its version
// value in the machine-wide settings store and its helper program below the
// system directory.
#pragma once

#include <ostream>
#include <string>

#include "platform/Registry.h"

namespace pressmoor::quillset {

// Where the helper program lives below `machineRoot`.
std::string HelperPath(const std::string& machineRoot);

// Copies `executable` to the helper location (atomically, mode 755) and
// records the installed version. Returns the exit status: 0, or 1 with the
// reason on `err`.
int Install(platform::Registry& registry, const std::string& machineRoot,
            const std::string& executable, std::ostream& out, std::ostream& err);

// Removes the version value and the helper program; what is already gone is
// no failure.
int Uninstall(platform::Registry& registry, const std::string& machineRoot, std::ostream& out,
              std::ostream& err);

}  // namespace pressmoor::quillset
