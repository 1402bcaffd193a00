// The state block: what the window shows and what the program holds, one KEY<TAB>VALUE a
// line, texts in UTF-8.
#include "script.h"

#include "calc/design.h"
#include "platform/codepage.h"
#include "res/resource.h"
#include "ui/fields.h"
#include "ui/window.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string WindowText(HWND window) {
    std::vector<char> text(40000, '\0');
    GetWindowTextA(window, text.data(), (int)text.size());
    return AnsiToUtf8(text.data());
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string NameOf(HWND main, HWND window) {
    if (window == nullptr)
        return "none";
    if (window == main)
        return "main";
    return ControlName(GetDlgCtrlID(window));
}

} // namespace

void DumpState(HWND main) {
    static const int kTexts[] = {
        IDC_FREQUENCY,
        IDC_FORMDIAM,
        IDC_COAXDIAM,
        IDC_CAPUNIT,
        IDC_TURNS,
        IDC_COILLENGTH,
        IDC_CABLELENGTH,
        IDC_LENGTHINFLUENCE,
        IDC_TURNINFLUENCE,
        IDC_LENGTHTODIAMETER,
        IDC_INDUCTANCE,
        IDC_CAPACITANCE,
        IDC_REACTANCE,
        IDC_FORMDIAM_UNIT,
        IDC_COAXDIAM_UNIT,
        IDC_CAPUNIT_UNIT,
        IDC_COILLENGTH_UNIT,
        IDC_CABLELENGTH_UNIT,
        IDC_LENGTHINFLUENCE_UNIT,
        IDC_TURNINFLUENCE_UNIT,
    };
    printf("dump\n");
    for (int id : kTexts)
        printf("%s\t%s\n", ControlName(id).c_str(), WindowText(GetDlgItem(main, id)).c_str());

    HWND list = GetDlgItem(main, IDC_CABLECHOICE);
    int current = (int)SendMessageA(list, CB_GETCURSEL, 0, 0);
    std::string item;
    if (current >= 0) {
        int length = (int)SendMessageA(list, CB_GETLBTEXTLEN, (WPARAM)current, 0);
        std::vector<char> text((size_t)(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, (WPARAM)current, (LPARAM)text.data());
        item = AnsiToUtf8(text.data());
    }
    printf("IDC_CABLECHOICE\t%d\t%s\n", current < 0 ? -1 : current, item.c_str());
    printf("cables\t%d\n", (int)SendMessageA(list, CB_GETCOUNT, 0, 0));

    HWND focus = GetFocus();
    printf("focus\t%s\n", NameOf(main, focus).c_str());
    if (focus != nullptr && ClassOf(focus) == "Edit") {
        DWORD start = 0, end = 0;
        SendMessageA(focus, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        printf("selection\t%lu\t%lu\n", (unsigned long)start, (unsigned long)end);
    } else {
        printf("selection\t-\n");
    }
    printf("ring.index\t%d\n", g_focusIndex);
    printf("ring.last\t%s\n", NameOf(main, g_lastFocus).c_str());

    printf("design.frequency\t%.17g\n", g_design.frequency);
    printf("design.formdiam\t%.17g\n", g_design.formdiam);
    printf("design.coaxdiam\t%.17g\n", g_design.coaxdiam);
    printf("design.capunit\t%.17g\n", g_design.capunit);
    printf("design.metric\t%d\n", g_design.metric ? 1 : 0);
    printf("design.selectedCable\t%d\n", (int)g_design.selectedCable);
    printf("design.coaxchoice\t%s\n", AnsiToUtf8(g_design.coaxchoice).c_str());

    LOGFONTA font{};
    HFONT title = (HFONT)SendMessageA(GetDlgItem(main, IDC_TITLE), WM_GETFONT, 0, 0);
    if (title == nullptr || GetObjectA(title, sizeof font, &font) == 0)
        printf("titlefont\tnone\n");
    else
        printf("titlefont\t%ld\n", (long)font.lfHeight);
    printf("end\n");
    fflush(stdout);
}
