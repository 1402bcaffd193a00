// The headless display: a screen of fixed size (1280 x 1024, 96 dots per inch unless
// set otherwise) with no window on it, and input that tests and the scenario runner
// inject. Deterministic: no threads, no clock. Injected input waits in order until the
// message calls take it.
#pragma once

#include "platform/display.h"
#include "platform/winhelp_log.h"

#include <cstddef>
#include <functional>
#include <string>

// Makes the headless display the current one (done by main() and by HeadlessReset).
void HeadlessInstall();

// Back to a clean start: every window destroyed, the program's classes unregistered, the
// queues, the injected input, the focus, the activation, the capture, the key state, the
// clipboard and the WinHelp record cleared; 96 dots per inch. Installs the display.
void HeadlessReset();

// The resolution: only while no window exists (false, and no change, otherwise).
bool HeadlessSetDpi(int dpi);

// Keys by virtual-key code.
void HeadlessKeyDown(int virtualKey);
void HeadlessKeyUp(int virtualKey);
void HeadlessKeyPress(int virtualKey); // down, then up
// Typed characters in the code page, each delivered as WM_CHAR to the focus window.
void HeadlessTypeChar(unsigned char character);
void HeadlessTypeText(const std::string& text);

// The mouse, at screen coordinates.
void HeadlessMouseMove(int x, int y);
void HeadlessMouseDown(int x, int y, MouseButton button = MouseButton::Left);
void HeadlessMouseUp(int x, int y, MouseButton button = MouseButton::Left);
void HeadlessClick(int x, int y, MouseButton button = MouseButton::Left); // move, down, up
// Move, down, up, down, up with the left button. A button-down that follows a down and an
// up of the same button at the same point, with no other input between, is a double click.
void HeadlessDoubleClick(int x, int y);
void HeadlessMouseWheel(int x, int y, int delta);

// The user's requests for a top-level window.
void HeadlessActivate(HWND window);
void HeadlessDeactivate(HWND window);
void HeadlessRequestClose(HWND window);
void HeadlessMinimize(HWND window);
void HeadlessRestore(HWND window);

// Called when the program waits for input and none is injected and no message is waiting:
// it may inject input or cause messages, and returns false when no more will ever come
// (which ends the run). Cleared by HeadlessReset.
void HeadlessSetIdleHook(std::function<bool()> hook);

// How many injected events the window manager has not yet taken.
size_t HeadlessPendingInput();

// Takes, translates and dispatches messages (PeekMessageA) until none is posted, no
// injected input is left and nothing needs painting. Stops at WM_QUIT and then returns
// true with its exit code in *exitCode (when given); false when the queue ran dry.
bool HeadlessPump(int* exitCode = nullptr);

// What the display was last told about a top-level window.
struct HeadlessWindowState {
    bool known = false;
    bool visible = false;
    bool minimized = false;
    RECT rect{0, 0, 0, 0};
    std::string title;
};
HeadlessWindowState HeadlessWindow(HWND window);
