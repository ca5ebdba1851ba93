// pressmoor-reg: the command-line window onto both roots of the settings
// store, in the manner of the Windows reg tool.
//
//   query  KEY [/v NAME | /ve]
//   add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_EXPAND_SZ|REG_MULTI_SZ] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve] [/f]
//
// KEY is HKLM\path or HKCU\path (or HKEY_LOCAL_MACHINE\, HKEY_CURRENT_USER\).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace pressmoor::settings {

// Runs one command; `args` excludes the program name. Returns the exit
// status: 0 on success, 1 for bad input or a failed operation.
int RunRegTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               platform::Registry& registry);

}  // namespace pressmoor::settings
