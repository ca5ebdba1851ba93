// How a recorded Quillset "version" value is read and compared with the
// minimum, 1.20.
//
// Text: leading and trailing blanks are ignored; the text must start with a
// digit, otherwise it is no version. The version is the longest leading run
// of the form digits(.digits)*; anything after it ("1.20 build 7") is
// ignored. The first component is the major version, compared as a whole
// number. The second is read as a decimal fraction, as in the requirement
// "1.20": "1.3" is 1.30 and above 1.20, "1.2" equals 1.20, "1.05" is below
// it, and "1.100" is 1.1, below 1.20. Later components are whole numbers
// compared one by one ("2.0.1" is above 2.0); a missing one counts as 0.
//
// REG_DWORD: the number is read as its decimal text, as the settings store
// gives numbers to the program elsewhere, so it is a major version: 1 is
// below 1.20, 2 and above pass, a negative number is no version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/RegistryAPI.h"

namespace pressmoor::driver {

// The oldest Quillset the program works with, as its requirement message names it.
inline constexpr const char* kMinimumVersion = "1.20";

struct Version {
  std::string major;                 // digits without leading zeros; "" is 0
  std::string fraction;              // digits after the point without trailing zeros
  std::vector<std::string> further;  // later components, digits without leading zeros

  static std::optional<Version> Parse(const std::string& text);
};

// Negative, zero or positive as `a` is below, equal to or above `b`.
int Compare(const Version& a, const Version& b);

// True when `value` (text or number, as read from the store) denotes the
// minimum version or above; an empty holder denotes nothing.
bool MeetsMinimumVersion(const settings::RegistryAPI::ValueHolder& value);

}  // namespace pressmoor::driver
