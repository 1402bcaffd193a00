// The input and result fields, the unit labels, and the focus ring that Tab, Shift+Tab and
// Enter move along.
#pragma once

#include "platform/winapi.h"

#define FOCUS_RING_SIZE 5
// Fetched input texts: only the first 24 characters count.
#define INPUT_TEXT_LIMIT 25

// The four inputs top to bottom, then the cable list (which the ring never focuses).
extern HWND g_focusRing[FOCUS_RING_SIZE];
extern int g_focusIndex;   // the current input, 0 to 3
extern HWND g_lastFocus;   // the input the last Tab or Enter step moved to
extern int g_focusCount;   // entries that forward steps cycle through
extern WNDPROC g_editProc; // the edit class's own procedure

void ReadInputs();
void ShowInputs();
// Shows one input value with three decimals.
void ShowInputValue(HWND field, double value);
void ShowResults();
void SetMetricLabels(HWND window);
void SetImperialLabels(HWND window);

LRESULT CALLBACK InputEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OutputEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
