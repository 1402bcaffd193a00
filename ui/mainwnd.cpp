#include "ui/window.h"

#include "calc/design.h"
#include "calc/trap.h"
#include "datafiles/cabletable.h"
#include "datafiles/settings.h"
#include "res/resource.h"
#include "ui/fields.h"

#include <string.h>

// Switches the design to metric or imperial units, unless it is in them already.
static void SwitchUnits(HWND window, bool metric) {
    if (g_design.metric == metric)
        return;
    if (metric)
        SetMetricLabels(window);
    else
        SetImperialLabels(window);
    ToggleUnits();
    SolveTrap();
    ShowInputs();
    ShowResults();
    SetFocus(g_lastFocus);
}

// The user picked a cable in the list: remember its name and apply its values.
static void ChooseCable() {
    LRESULT row = SendMessageA(g_cableList, CB_GETCURSEL, 0, 0);
    // A list with no current item names no row; nothing changes.
    if (row < 0 || row >= g_cableTable.rowCount)
        return;
    memcpy(g_design.coaxchoice, g_cableTable.rows[row].name, COAXCHOICE_SIZE);
    ApplyCable((int32_t)row);
    ShowInputValue(g_coaxdiamEdit, g_design.coaxdiam);
    ShowInputValue(g_capunitEdit, g_design.capunit);
    SetFocus(g_focusRing[g_focusIndex]);
}

static bool IsRingControl(HWND control) {
    for (int i = 0; i < FOCUS_RING_SIZE; ++i) {
        if (g_focusRing[i] == control)
            return true;
    }
    return false;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        SaveSettings();
        WinHelpA(window, HELP_FILE, HELP_QUIT, 0);
        PostQuitMessage(0);
        return 0;

    case WM_SETFOCUS:
        SetFocus(g_focusRing[g_focusIndex]);
        return DefWindowProcA(window, message, wParam, lParam);

    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_METRIC:
            SwitchUnits(window, true);
            return 0;
        case IDC_IMPERIAL:
            SwitchUnits(window, false);
            return 0;
        case IDC_HELPCMD:
            WinHelpA(window, HELP_FILE, HELP_CONTEXT, HELP_TOPIC);
            return 0;
        case IDC_EXIT:
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if ((HWND)lParam == g_cableList && HIWORD(wParam) == CBN_SELCHANGE) {
            ChooseCable();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);

    case WM_CTLCOLOREDIT:
        // The inputs and the cable list keep the usual colours; the results are
        // black on pale yellow.
        if (IsRingControl((HWND)lParam))
            return DefWindowProcA(window, message, wParam, lParam);
        SetTextColor((HDC)wParam, 0);
        SetBkColor((HDC)wParam, GetNearestColor((HDC)wParam, HIGHLIGHT_COLOR));
        return (LRESULT)g_highlightBrush;

    case WM_CTLCOLORSTATIC:
        return (LRESULT)g_staticBrush;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
