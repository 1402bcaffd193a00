// Inside the desktop display: keys as the window manager knows them.
#pragma once

#include <SDL.h>

// The virtual-key code of a key, by its position on the keyboard (as a US keyboard names
// it), so that shortcuts such as Ctrl+C work whatever the layout; 0 for a key that the
// program is not told about (Caps Lock, Num Lock, AltGr, the system keys...). The keypad's
// digits are navigation keys while Num Lock is off.
int VirtualKeyFor(const SDL_Keysym& key);

// The character that the window manager makes from a key with neither Ctrl nor Alt held
// (its US keyboard translation); -1 when it makes none.
int CharacterMadeFor(int virtualKey, bool shift);
