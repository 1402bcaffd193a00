// The desktop display: the program's windows on the user's desktop, through SDL2.
#pragma once

// Opens the desktop and makes its display the current one; true when it could. When no
// desktop can be opened (no X server or Wayland compositor to talk to), the display is
// installed all the same and refuses top-level windows, so that the program's attempt to
// create its window fails and the program reports it; nothing is printed here.
bool InstallSdlDisplay();

// Closes every window on the desktop and SDL with them; back to the stand-in display.
void CloseSdlDisplay();
