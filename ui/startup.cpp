#include "ui/window.h"

#include "calc/design.h"
#include "calc/trap.h"
#include "datafiles/cabletable.h"
#include "datafiles/settings.h"
#include "res/resource.h"
#include "ui/fields.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

HWND g_frequencyEdit;
HWND g_formdiamEdit;
HWND g_coaxdiamEdit;
HWND g_capunitEdit;
HWND g_turnsEdit;
HWND g_coilLengthEdit;
HWND g_cableLengthEdit;
HWND g_lengthInfluenceEdit;
HWND g_turnInfluenceEdit;
HWND g_lengthToDiameterEdit;
HWND g_inductanceEdit;
HWND g_capacitanceEdit;
HWND g_reactanceEdit;
HWND g_titleStatic;
HWND g_cableList;

HBRUSH g_highlightBrush;
HBRUSH g_staticBrush;
HFONT g_titleFont;

void FindControls(HWND window) {
    g_frequencyEdit = GetDlgItem(window, IDC_FREQUENCY);
    g_formdiamEdit = GetDlgItem(window, IDC_FORMDIAM);
    g_coaxdiamEdit = GetDlgItem(window, IDC_COAXDIAM);
    g_capunitEdit = GetDlgItem(window, IDC_CAPUNIT);
    g_turnsEdit = GetDlgItem(window, IDC_TURNS);
    g_coilLengthEdit = GetDlgItem(window, IDC_COILLENGTH);
    g_cableLengthEdit = GetDlgItem(window, IDC_CABLELENGTH);
    g_lengthInfluenceEdit = GetDlgItem(window, IDC_LENGTHINFLUENCE);
    g_turnInfluenceEdit = GetDlgItem(window, IDC_TURNINFLUENCE);
    g_lengthToDiameterEdit = GetDlgItem(window, IDC_LENGTHTODIAMETER);
    g_inductanceEdit = GetDlgItem(window, IDC_INDUCTANCE);
    g_capacitanceEdit = GetDlgItem(window, IDC_CAPACITANCE);
    g_reactanceEdit = GetDlgItem(window, IDC_REACTANCE);
    g_titleStatic = GetDlgItem(window, IDC_TITLE);
    g_cableList = GetDlgItem(window, IDC_CABLECHOICE);
}

// Makes a font of height and width given in tenths of a point (width 0: the face's own
// proportions) for the device; attributes: bit 0 bold, 1 italic, 2 underline, 3 strike-out.
HFONT CreateScaledFont(HDC dc, const char* faceName, int height, int width, unsigned int attributes,
                       int logicalResolution) {
    SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, NULL, MWT_IDENTITY);
    SetViewportOrgEx(dc, 0, 0, NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);

    float horizontal;
    double vertical;
    if (logicalResolution) {
        horizontal = (float)GetDeviceCaps(dc, LOGPIXELSX);
        vertical = GetDeviceCaps(dc, LOGPIXELSY);
    } else {
        horizontal = (float)(GetDeviceCaps(dc, HORZRES) * 25.4 / GetDeviceCaps(dc, HORZSIZE));
        vertical = GetDeviceCaps(dc, VERTRES) * 25.4 / GetDeviceCaps(dc, VERTSIZE);
    }

    // Tenths of device units; the single-precision 1/72 lies a little above it, so an
    // exact multiple of 72 comes out exact.
    const float perPoint = 0.013888889f;
    POINT size;
    size.x = (LONG)(width * horizontal * perPoint);
    size.y = (LONG)(height * vertical * perPoint);
    DPtoLP(dc, &size, 1);

    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = -(LONG)(fabs((double)size.y) * 0.1 + 0.5);
    font.lfWeight = (attributes & 1) ? 700 : 0;
    font.lfItalic = (attributes & 2) ? 1 : 0;
    font.lfUnderline = (attributes & 4) ? 1 : 0;
    font.lfStrikeOut = (attributes & 8) ? 1 : 0;
    CopyName(font.lfFaceName, faceName, LF_FACESIZE);
    HFONT result = CreateFontIndirectA(&font);

    // A width is set from the face's average character width; a height that converts to
    // nothing leaves the width to the face.
    if (width != 0 && size.y != 0) {
        HGDIOBJ previous = SelectObject(dc, result);
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        DeleteObject(result);
        font.lfWidth =
            (LONG)(fabs((double)size.x) * metrics.tmAveCharWidth / fabs((double)size.y) + 0.5);
        result = CreateFontIndirectA(&font);
    }

    RestoreDC(dc, -1);
    return result;
}

void CreateDrawingObjects(HWND window) {
    HDC dc = GetDC(window);
    g_highlightBrush = CreateSolidBrush(GetNearestColor(dc, HIGHLIGHT_COLOR));
    g_titleFont = CreateScaledFont(dc, "ARIAL BOLD", 200, 0, 0, 1);
    SendMessageA(g_titleStatic, WM_SETFONT, (WPARAM)g_titleFont, 1);
    ReleaseDC(window, dc);
}

void DeleteDrawingObjects() {
    DeleteObject(g_highlightBrush);
    DeleteObject(g_titleFont);
}

static void SubclassEdit(HWND edit, WNDPROC procedure) {
    SetWindowLongA(edit, GWL_WNDPROC, (LONG_PTR)procedure);
}

void SubclassFields() {
    g_editProc = (WNDPROC)SetWindowLongA(g_frequencyEdit, GWL_WNDPROC, (LONG_PTR)InputEditProc);
    SubclassEdit(g_formdiamEdit, InputEditProc);
    SubclassEdit(g_coaxdiamEdit, InputEditProc);
    SubclassEdit(g_capunitEdit, InputEditProc);
    SubclassEdit(g_turnsEdit, OutputEditProc);
    SubclassEdit(g_coilLengthEdit, OutputEditProc);
    SubclassEdit(g_cableLengthEdit, OutputEditProc);
    SubclassEdit(g_lengthInfluenceEdit, OutputEditProc);
    SubclassEdit(g_turnInfluenceEdit, OutputEditProc);
    SubclassEdit(g_lengthToDiameterEdit, OutputEditProc);
    SubclassEdit(g_inductanceEdit, OutputEditProc);
    SubclassEdit(g_capacitanceEdit, OutputEditProc);
    SubclassEdit(g_reactanceEdit, OutputEditProc);
}

void PlaceInitialFocus() {
    g_focusRing[0] = g_frequencyEdit;
    g_focusRing[1] = g_formdiamEdit;
    g_focusRing[2] = g_coaxdiamEdit;
    g_focusRing[3] = g_capunitEdit;
    g_focusRing[4] = g_cableList;
    g_focusIndex = 0;
    SetFocus(g_frequencyEdit);
    g_lastFocus = g_focusRing[g_focusIndex];
}

ATOM RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass;
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = "Trap";
    windowClass.hIconSm = LoadIconA(instance, "Trap");
    g_staticBrush = windowClass.hbrBackground;
    return RegisterClassExA(&windowClass);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showMode) {
    (void)previous;
    (void)commandLine;

    if (!RegisterMainClass(instance)) {
        fprintf(stderr, "quorvin: the window class cannot be registered\n");
        return 1;
    }

    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, NULL, 0);
    if (window == NULL) {
        fprintf(stderr, "quorvin: the main window cannot be created (is a display available?)\n");
        return 1;
    }
    FindControls(window);

    CreateDrawingObjects(window);

    SubclassFields();

    StoreDefaultDesign();
    LoadSettings();
    LoadCableTable(g_cableList);

    int units = IDC_METRIC;
    if (!g_design.metric) {
        SetImperialLabels(window);
        units = IDC_IMPERIAL;
    }
    SendMessageA(GetDlgItem(window, units), BM_SETCHECK, BST_CHECKED, 0);

    SolveTrap();
    ShowInputs();
    ShowResults();

    PlaceInitialFocus();

    ShowWindow(window, showMode);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    DeleteDrawingObjects();
    return (int)msg.wParam;
}
