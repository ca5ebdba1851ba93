// Where the office component of this Pressmoor lies, and how an office is
// told to load it. The library and its registration file lie in lib/pressmoor
// beside the program's folder (a build tree, or an install whose library
// folder is lib), or in the folder the build was configured to install them
// to. An office loads it through a bootstrap value on its command line, which
// wins over the office's own: the value repeats the office's own services
// and adds ours. Nothing is installed into the office or its profile.
#pragma once

#include <string>

namespace pressmoor::office::libreoffice {

// The folder holding the component and its registration file. Throws
// std::runtime_error naming the places looked in when there is none.
const std::string& ComponentFolder();

// The soffice argument that makes an office load the component of `folder`.
std::string LoadComponentArgument(const std::string& folder);

}  // namespace pressmoor::office::libreoffice
