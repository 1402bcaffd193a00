// Inside the desktop display: opening the desktop, and its resolution.
#pragma once

// Starts SDL's video on a desktop the user can see (X11, or Wayland where a session names
// one; another driver only when SDL_VIDEODRIVER asks for it). False, with nothing printed,
// when there is none: SDL is then shut down again.
bool OpenDesktopVideo();

// The logical dots per inch of the desktop: 96, or the larger resolution that the desktop
// reports (the Xft.dpi resource of an X server, else SDL's figure for the first screen).
int DesktopDpi();

// The value of the Xft.dpi resource in an X server's resource string, rounded; 0 when the
// string holds none or no usable number.
int XftDpiFrom(const char* resources);
