// The driver's preferences window: the PDF format, the paper for documents
// that carry none of their own, and tagged PDF, stored on OK.
#pragma once

#include "platform/Registry.h"

namespace pressmoor::quillset {

// Shows the window until the user closes it; returns the event loop's exit
// status.
int ShowPreferencesWindow(int& argc, char** argv, platform::Registry& registry);

}  // namespace pressmoor::quillset
