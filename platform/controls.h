// Inside the layer: the predefined control classes "Edit", "Static", "Button" and
// "ComboBox", which every program can use without registering them.
#pragma once

#include "platform/winapi.h"

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the four classes as system classes (RegisterSystemClass in
// window_internal.h). The window manager calls it once, before it first looks a class up.
void RegisterControlClasses();
