// The settings file "Quorvin.ini": the design, its unit system and the chosen cable,
// carried from one run to the next.
#pragma once

#define SETTINGS_FILE "Quorvin.ini"

// Reads the settings file into the design; a missing file changes nothing.
void LoadSettings();

// Writes the design to the settings file, unless no cable has been chosen. The new file
// replaces the old one only once it has been written whole: a failed save leaves the
// previous settings as they were.
void SaveSettings();
