// The office version a profile was last started by. An office that finds
// none, or an older one, in its profile takes itself for freshly upgraded and
// runs its graphics self-tests at start: about three seconds of one core in
// every headless start, for a log nobody reads. Writing the version into each
// new profile before its office starts skips them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pressmoor::office::libreoffice {

// The product version ("7.4") named in the text of an office's main.xcd, or
// "" when the text names none.
std::string ProductVersionOf(std::string_view mainXcd);

// Records `version` as the last one to start the profile in `profile` (the
// folder given as the office's UserInstallation), keeping every setting the
// profile already holds. Does nothing for an empty version or a profile that
// already names one. Failures are ignored: they cost only start-up time.
void MarkProfileStartedBy(const std::filesystem::path& profile, const std::string& version);

// The version of the office installed with the program folder `program`,
// read once per process; "" when it cannot be read.
const std::string& InstalledOfficeVersion(const std::filesystem::path& program);

}  // namespace pressmoor::office::libreoffice
