// Setting the Quillset driver's preferences from scripts and from its
// preferences window: written machine-wide where the store allows, per user
// otherwise, as every setting of the driver.
#pragma once

#include <ostream>
#include <string>

#include "platform/Registry.h"

namespace pressmoor::quillset {

// Stores `value` as the preference `name` (spelled as the driver spells it).
// False with the reason in `failure` when neither level takes it, or when
// the machine-wide level keeps another value that reading will give.
bool SavePreference(platform::Registry& registry, const std::string& name, const std::string& value,
                    std::string* failure);

// `quillset.exe set NAME VALUE`: 0 when stored, 2 for a name or value the
// driver does not take, 1 when it cannot be stored; the reason goes to `err`.
int SetPreferenceCommand(platform::Registry& registry, const std::string& name,
                         const std::string& value, std::ostream& err);

// `quillset.exe get NAME`: the stored text on a line of its own (empty for
// the default); 2 for a name the driver does not have.
int GetPreferenceCommand(platform::Registry& registry, const std::string& name, std::ostream& out,
                         std::ostream& err);

}  // namespace pressmoor::quillset
