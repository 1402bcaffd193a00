#include "ui/fields.h"

#include "calc/design.h"
#include "calc/numtext.h"
#include "calc/trap.h"
#include "datafiles/cabletable.h"
#include "res/resource.h"
#include "ui/window.h"

HWND g_focusRing[FOCUS_RING_SIZE];
int g_focusIndex;
HWND g_lastFocus;
int g_focusCount = 4;
WNDPROC g_editProc;

static double ReadField(HWND field) {
    char text[INPUT_TEXT_LIMIT];
    text[0] = '\0';
    SendMessageA(field, WM_GETTEXT, INPUT_TEXT_LIMIT, (LPARAM)text);
    return ReadNumber(text);
}

void ReadInputs() {
    g_design.frequency = ReadField(g_frequencyEdit);
    g_design.formdiam = ReadField(g_formdiamEdit);
    g_design.coaxdiam = ReadField(g_coaxdiamEdit);
    g_design.capunit = ReadField(g_capunitEdit);
    if (g_design.selectedCable <= 0 || g_design.selectedCable >= g_cableTable.rowCount)
        return;

    // Once the cable values differ from the cable applied, the list shows the user's own.
    const CableType* cable = &g_cableTable.rows[g_design.selectedCable];
    bool same =
        g_design.metric
            ? g_design.coaxdiam == cable->diamMetric && g_design.capunit == cable->capMetric
            : g_design.coaxdiam == cable->diamImperial && g_design.capunit == cable->capImperial;
    if (!same)
        SendMessageA(g_cableList, CB_SETCURSEL, 0, 0);
}

void ShowInputValue(HWND field, double value) {
    char text[NUMBER_TEXT_SIZE];
    FormatNumber(text, sizeof text, value, 3);
    SendMessageA(field, WM_SETTEXT, 0, (LPARAM)text);
}

void ShowInputs() {
    ShowInputValue(g_frequencyEdit, g_design.frequency);
    ShowInputValue(g_formdiamEdit, g_design.formdiam);
    ShowInputValue(g_coaxdiamEdit, g_design.coaxdiam);
    ShowInputValue(g_capunitEdit, g_design.capunit);
}

void ShowResults() {
    SendMessageA(g_turnsEdit, WM_SETTEXT, 0, (LPARAM)g_results.turns);
    SendMessageA(g_coilLengthEdit, WM_SETTEXT, 0, (LPARAM)g_results.coilLength);
    SendMessageA(g_cableLengthEdit, WM_SETTEXT, 0, (LPARAM)g_results.cableLength);
    SendMessageA(g_lengthInfluenceEdit, WM_SETTEXT, 0, (LPARAM)g_results.lengthInfluence);
    SendMessageA(g_lengthToDiameterEdit, WM_SETTEXT, 0, (LPARAM)g_results.lengthToDiameter);
    SendMessageA(g_turnInfluenceEdit, WM_SETTEXT, 0, (LPARAM)g_results.turnInfluence);
    SendMessageA(g_inductanceEdit, WM_SETTEXT, 0, (LPARAM)g_results.inductance);
    SendMessageA(g_capacitanceEdit, WM_SETTEXT, 0, (LPARAM)g_results.capacitance);
    SendMessageA(g_reactanceEdit, WM_SETTEXT, 0, (LPARAM)g_results.reactance);
}

// The seven changeable unit labels and their texts in one unit system.
static void SetLabels(HWND window, const char* length, const char* capacitance,
                      const char* influence) {
    SendMessageA(GetDlgItem(window, IDC_FORMDIAM_UNIT), WM_SETTEXT, 0, (LPARAM)length);
    SendMessageA(GetDlgItem(window, IDC_COAXDIAM_UNIT), WM_SETTEXT, 0, (LPARAM)length);
    SendMessageA(GetDlgItem(window, IDC_CAPUNIT_UNIT), WM_SETTEXT, 0, (LPARAM)capacitance);
    SendMessageA(GetDlgItem(window, IDC_COILLENGTH_UNIT), WM_SETTEXT, 0, (LPARAM)length);
    SendMessageA(GetDlgItem(window, IDC_CABLELENGTH_UNIT), WM_SETTEXT, 0, (LPARAM)length);
    SendMessageA(GetDlgItem(window, IDC_LENGTHINFLUENCE_UNIT), WM_SETTEXT, 0, (LPARAM)influence);
    SendMessageA(GetDlgItem(window, IDC_TURNINFLUENCE_UNIT), WM_SETTEXT, 0, (LPARAM)influence);
}

void SetMetricLabels(HWND window) {
    SetLabels(window, "cm", "pF/m", "kHz/cm");
}

void SetImperialLabels(HWND window) {
    SetLabels(window, "inches", "pF/foot", "kHz/inch");
}

// The window's place among the four inputs of the ring, or 4 when it is none of them.
static int InputIndex(HWND window) {
    int index = 0;
    while (index < 4 && g_focusRing[index] != window)
        ++index;
    return index;
}

LRESULT CALLBACK InputEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        int index = InputIndex(window);
        if (index < 4) {
            g_focusIndex = index;
            SendMessageA(window, EM_SETSEL, 0, -1);
        }
        return CallWindowProcA(g_editProc, window, message, wParam, lParam);
    }
    if (message == WM_CHAR && (wParam == 9 || wParam == 13)) {
        ReadInputs();
        SolveTrap();
        ShowResults();
        g_focusIndex = InputIndex(window);
        if (GetKeyState(VK_SHIFT) < 0) {
            --g_focusIndex;
            if (g_focusIndex < 0)
                g_focusIndex = 3;
        } else {
            ++g_focusIndex;
            if (g_focusIndex >= g_focusCount)
                g_focusIndex = 0;
        }
        SetFocus(g_focusRing[g_focusIndex]);
        g_lastFocus = g_focusRing[g_focusIndex];
        return 0;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK OutputEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        SetFocus(g_focusRing[g_focusIndex]);
        return 0;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}
