// The pointer shown over link labels, shared by every window of the program.
#pragma once
#include <windows.h>

namespace velmora {

// Takes the system's hand cursor IDC_HAND as the link cursor (start-up does this once).
void InstallLinkCursor();
// The link cursor; the arrow until InstallLinkCursor has run. A shared system cursor: never
// destroy it.
HCURSOR LinkCursor();

}  // namespace velmora
