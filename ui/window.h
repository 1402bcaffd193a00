// The main window's process-wide state: control handles and drawing objects, made at
// start-up.
#pragma once

#include "platform/winapi.h"

// The controls the code addresses, looked up once at start-up.
extern HWND g_frequencyEdit;
extern HWND g_formdiamEdit;
extern HWND g_coaxdiamEdit;
extern HWND g_capunitEdit;
extern HWND g_turnsEdit;
extern HWND g_coilLengthEdit;
extern HWND g_cableLengthEdit;
extern HWND g_lengthInfluenceEdit;
extern HWND g_turnInfluenceEdit;
extern HWND g_lengthToDiameterEdit;
extern HWND g_inductanceEdit;
extern HWND g_capacitanceEdit;
extern HWND g_reactanceEdit;
extern HWND g_titleStatic;
extern HWND g_cableList;

extern HBRUSH g_highlightBrush; // background of the result fields
extern HBRUSH g_staticBrush;    // COLOR_BTNFACE + 1: the window's own background
extern HFONT g_titleFont;

// The pale yellow of the result fields.
#define HIGHLIGHT_COLOR RGB(255, 255, 100)

#define HELP_FILE "trap.hlp"
#define HELP_TOPIC 1

// Registers the main window's class "Trap"; 0 when it cannot be registered.
ATOM RegisterMainClass(HINSTANCE instance);
// Looks up the control handles above in the main window.
void FindControls(HWND window);
// Makes the highlight brush and the title font (and gives the title its font); deletes them.
void CreateDrawingObjects(HWND window);
void DeleteDrawingObjects();
// Puts the input fields' and the result fields' procedures in front of the edit's own.
void SubclassFields();
// Fills the focus ring and gives the frequency field the focus.
void PlaceInitialFocus();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HFONT CreateScaledFont(HDC dc, const char* faceName, int height, int width, unsigned int attributes,
                       int logicalResolution);
