// The scenario runner: a script of what a user does, fed to the real program on the
// headless display.
#pragma once

#include "platform/winapi.h"

#include <string>
#include <vector>

enum class CommandKind {
    Type,
    Key,
    Click,
    Choose,
    Command,
    Deactivate,
    Activate,
    Dump,
    Snap,
    Close
};

struct ScriptCommand {
    CommandKind kind;
    std::string argument; // as written, after the command word and one blank
    int line;
};

// Reads a script; false with a message naming the line when a command is unknown.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands, std::string* error);

// Names of controls: an IDC_ name of the identifiers header, or a number.
bool ControlIdFromName(const std::string& name, int* id);
// The IDC_ name of an identifier, or the number as text.
std::string ControlName(int id);

// A key combination: optional Shift+, Ctrl+, Alt+ and a key name, a letter or a digit.
struct KeyCombo {
    bool shift = false, control = false, alt = false;
    int key = 0;
};
bool ParseKeyCombo(const std::string& text, KeyCombo* combo);

// Prints the state block of the main window.
void DumpState(HWND main);
