// Where Pressmoor keeps its machine-wide and per-user state, from the
// environment: PRESSMOOR_MACHINE_ROOT and PRESSMOOR_USER_ROOT.
#pragma once

#include <string>

namespace pressmoor::platform {

// $PRESSMOOR_MACHINE_ROOT, or /var/lib/pressmoor.
std::string MachineRoot();

// $PRESSMOOR_USER_ROOT, or ${XDG_CONFIG_HOME:-$HOME/.config}/pressmoor.
std::string UserRoot();

}  // namespace pressmoor::platform
