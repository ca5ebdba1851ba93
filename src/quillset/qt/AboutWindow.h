// The helper program's about window, for when it is started on a desktop.
#pragma once

#include <string>

namespace pressmoor::quillset {

// True when a window can be shown: a display is named, or a Qt platform chosen.
bool DisplayAvailable();

// Shows `text` in a small window titled `title` until the user closes it.
// Returns the event loop's exit status.
int ShowAboutWindow(int& argc, char** argv, const std::string& title, const std::string& text);

}  // namespace pressmoor::quillset
