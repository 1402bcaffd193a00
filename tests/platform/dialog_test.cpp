// Dialogs from templates: the main window's layout from the embedded template, the font
// and base units, and templates that are malformed or ask for what does not exist.
#include "platform/codepage.h"
#include "platform/dialog_template.h"
#include "platform/headless/headless.h"
#include "platform/window_internal.h"
#include "platform/winapi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Message {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Message> g_trap;  // what the dialog's own class received
std::vector<Message> g_edits; // what the program's "Edit" class received, when registered

LRESULT CALLBACK TrapProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trap.push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ShadowEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_edits.push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

enum Kind { Edit, Static, Button, ComboBox };
const char* const kClassNames[] = {"Edit", "Static", "Button", "ComboBox"};

struct Control {
    int id;
    Kind kind;
    const char* text; // UTF-8
    int x, y, cx, cy;
    DWORD style;
};

// The main window's controls in template order.
const Control kLayout[] = {
    {1001, Edit, "", 75, 42, 35, 13, 0x50810080},
    {1004, Edit, "", 75, 58, 35, 13, 0x50810080},
    {1003, Edit, "", 75, 74, 35, 13, 0x50810080},
    {1002, Edit, "", 75, 90, 35, 13, 0x50810080},
    {1025, Static, "Coaxial Trap Design", 7, 7, 222, 22, 0x50020001},
    {-1, Static, "Частота:", 10, 44, 59, 9, 0x50020002},
    {-1, Static, "Диаметр кабеля:", 10, 76, 61, 9, 0x50020002},
    {-1, Static, "Диаметр катушки:", 4, 60, 69, 9, 0x50020002},
    {-1, Static, "Погонная ёмкость:", 9, 92, 65, 9, 0x50020002},
    {-1, Static, "МГц", 114, 43, 40, 9, 0x50020000},
    {1005, Static, "см", 114, 61, 27, 9, 0x50020000},
    {1006, Static, "см", 114, 77, 27, 9, 0x50020000},
    {1007, Static, "пФ/м", 114, 92, 26, 9, 0x50020000},
    {-1, Static, "Витков:", 7, 141, 59, 9, 0x50020002},
    {-1, Static, "Длина кабеля:", 16, 171, 51, 9, 0x50020002},
    {-1, Static, "Длина катушки:", 5, 156, 61, 9, 0x50020002},
    {-1, Static, "Влияние длины:", 0, 189, 69, 9, 0x50020002},
    {1009, Edit, "", 75, 139, 35, 13, 0x50800080},
    {1010, Edit, "", 75, 187, 35, 13, 0x50800080},
    {1011, Edit, "", 75, 171, 35, 13, 0x50800080},
    {1012, Edit, "", 75, 155, 35, 13, 0x50800080},
    {1008, Static, "см", 114, 156, 27, 9, 0x50020000},
    {1014, Static, "см", 114, 171, 27, 9, 0x50020000},
    {1015, Static, "кГц/см", 114, 189, 46, 9, 0x50020000},
    {-1, Static, "Длина/Диаметр:", 8, 220, 58, 9, 0x50020002},
    {1013, Edit, "", 75, 219, 35, 13, 0x50800080},
    {-1, Static, "C:", 147, 157, 15, 9, 0x50020002},
    {-1, Static, "L:", 147, 141, 15, 9, 0x50020002},
    {-1, Static, "jX:", 147, 173, 15, 9, 0x50020002},
    {1016, Edit, "", 169, 171, 35, 13, 0x50800080},
    {1017, Edit, "", 169, 155, 35, 13, 0x50800080},
    {1018, Edit, "", 169, 139, 35, 13, 0x50800080},
    {1019, Static, "мкГн", 209, 141, 20, 9, 0x50020000},
    {1020, Static, "пФ", 209, 157, 14, 9, 0x50020000},
    {1021, Static, "Ом", 209, 173, 20, 9, 0x50020000},
    {1027, Button, "Выход", 185, 220, 38, 14, 0x50000000},
    {-1, Button, "Исходные данные", 7, 30, 222, 99, 0x50000007},
    {-1, Static, "Влияние витка:", 0, 205, 69, 13, 0x50020002},
    {1028, Edit, "", 75, 203, 35, 13, 0x50800080},
    {1022, Static, "кГц/см", 114, 205, 36, 9, 0x50020000},
    {1037, ComboBox, "", 75, 109, 56, 93, 0x50200003},
    {-1, Static, "Выбор кабеля", 18, 112, 48, 16, 0x50020002},
};

class Dialog : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_trap.clear();
        g_edits.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = TrapProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "Trap";
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }
    void TearDown() override { HeadlessReset(); }

    static HWND CreateMain() {
        return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                  nullptr, 0);
    }

    static RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy) {
        RECT rect{x, y, cx, cy}; // each coordinate maps on its own
        EXPECT_TRUE(MapDialogRect(dialog, &rect));
        return rect;
    }

    // The template's bytes, as the resource holds them.
    static std::vector<BYTE> MainTemplate() {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDD_MAIN), RT_DIALOG);
        if (!resource)
            return {};
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
        return std::vector<BYTE>(data, data + SizeofResource(instance, resource));
    }
};

TEST_F(Dialog, MainWindowIsAHiddenTrapOfFixedSizeAtTheOrigin) {
    HWND main = CreateMain();
    ASSERT_NE(main, nullptr);
    char name[16];
    GetClassNameA(main, name, sizeof name);
    EXPECT_STREQ(name, "Trap");
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(GetParent(main), nullptr);
    char caption[128];
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_EQ(std::string(caption).rfind("Quorvin", 0), 0u) << caption;
    DWORD style = (DWORD)GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & ~WS_CLIPSIBLINGS, 0x00CA0040u);
    EXPECT_EQ(style & (WS_VISIBLE | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);

    RECT client, outer, expected = DialogUnits(main, 0, 0, 236, 241);
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    EXPECT_EQ(client.right, 354) << "6 x 13 base units at 96 dots per inch";
    EXPECT_EQ(client.bottom, 392);
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    EXPECT_GT(origin.y, origin.x) << "the caption lies above the client area";
    EXPECT_EQ(outer.right - origin.x - client.right, origin.x) << "even frame";

    for (int missing : {IDC_METRIC, IDC_IMPERIAL, IDC_HELPCMD})
        EXPECT_EQ(GetDlgItem(main, missing), nullptr) << missing;

    // With no dialog procedure the window gets neither the font nor WM_INITDIALOG.
    for (const Message& m : g_trap) {
        EXPECT_NE(m.message, (UINT)WM_INITDIALOG);
        EXPECT_NE(m.message, (UINT)WM_SETFONT);
    }
}

TEST_F(Dialog, MainWindowHoldsTheLayoutsControlsInTemplateOrder) {
    HWND main = CreateMain();
    ASSERT_NE(main, nullptr);
    std::vector<HWND> children = ChildWindows(main);
    ASSERT_EQ(children.size(), std::size(kLayout));
    HFONT font = (HFONT)SendMessageA(children[0], WM_GETFONT, 0, 0);
    EXPECT_NE(font, nullptr);
    POINT clientOrigin{0, 0};
    ClientToScreen(main, &clientOrigin);

    for (size_t i = 0; i < std::size(kLayout); ++i) {
        const Control& c = kLayout[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message() << "control #" << i << " id " << c.id);
        if (c.id != -1) {
            EXPECT_EQ(GetDlgItem(main, c.id), control);
        }
        EXPECT_EQ(GetDlgCtrlID(control), c.id == -1 ? 0xFFFF : c.id)
            << "-1 is kept in its 16-bit form";
        EXPECT_EQ(GetParent(control), main);

        char name[16];
        GetClassNameA(control, name, sizeof name);
        EXPECT_STREQ(name, kClassNames[c.kind]);
        char text[64];
        GetWindowTextA(control, text, sizeof text);
        EXPECT_EQ(std::string(text), Utf8ToAnsi(c.text));

        // The dialog turns a border into a sunken client edge.
        DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
        DWORD exStyle = (DWORD)GetWindowLongA(control, GWL_EXSTYLE);
        EXPECT_EQ(style, c.style & ~WS_BORDER);
        DWORD expectedEx = WS_EX_NOPARENTNOTIFY | ((c.style & WS_BORDER) ? WS_EX_CLIENTEDGE : 0);
        EXPECT_EQ(exStyle, expectedEx);

        RECT expected = DialogUnits(main, c.x, c.y, c.cx, c.cy);
        RECT actual;
        GetWindowRect(control, &actual);
        EXPECT_EQ(actual.left - clientOrigin.x, expected.left);
        EXPECT_EQ(actual.top - clientOrigin.y, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right);
        if (c.kind == ComboBox) {
            // A drop-down list's window may fold its list away.
            EXPECT_GT(actual.bottom - actual.top, 0);
            EXPECT_LE(actual.bottom - actual.top, expected.bottom);
        } else {
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        }
        EXPECT_EQ((HFONT)SendMessageA(control, WM_GETFONT, 0, 0), font);
        EXPECT_FALSE(IsWindowVisible(control)) << "inside a hidden window";
    }
    ShowWindow(main, SW_SHOWNORMAL);
    for (HWND control : children)
        EXPECT_TRUE(IsWindowVisible(control));
}

TEST_F(Dialog, ControlsAreCreatedInOrderAndEachGetsTheFontWithoutRedraw) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ShadowEditProc;
    wc.lpszClassName = "Edit"; // the program's own class of that name comes first
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND main = CreateMain();
    ASSERT_NE(main, nullptr);

    std::vector<int> created;
    HFONT font = nullptr;
    for (size_t i = 0; i < g_edits.size(); ++i) {
        const Message& m = g_edits[i];
        if (m.message == WM_CREATE)
            created.push_back(GetDlgCtrlID(m.window));
        if (m.message == WM_SETFONT) {
            EXPECT_EQ(m.lParam, 0) << "no redraw";
            EXPECT_EQ(GetDlgCtrlID(m.window), created.back()) << "right after its creation";
            if (font == nullptr)
                font = (HFONT)m.wParam;
            EXPECT_EQ((HFONT)m.wParam, font);
        }
    }
    std::vector<int> expected;
    for (const Control& c : kLayout)
        if (c.kind == Edit)
            expected.push_back(c.id);
    EXPECT_EQ(created, expected);
    ASSERT_NE(font, nullptr);
    LOGFONTA description{};
    ASSERT_EQ(GetObjectA(font, sizeof description, &description), (int)sizeof description);
    EXPECT_EQ(description.lfHeight, -11) << "8 points at 96 dots per inch";
    EXPECT_STREQ(description.lfFaceName, "MS Sans Serif");
}

// The base units of a font measured directly: the average width of the 52 letters,
// rounded, and the character cell's height.
void MeasureFont(HFONT font, int* baseX, int* baseY) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    SIZE extent{};
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextMetricsA(dc, &metrics);
    GetTextExtentPoint32A(dc, letters, 52, &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    *baseX = (extent.cx / 26 + 1) / 2;
    *baseY = metrics.tmHeight;
}

TEST_F(Dialog, BaseUnitsComeFromTheDialogFont) {
    HWND main = CreateMain();
    ASSERT_NE(main, nullptr);
    int baseX = 0, baseY = 0, fontX = 0, fontY = 0;
    ASSERT_TRUE(GetDialogBaseUnits(main, &baseX, &baseY));
    MeasureFont((HFONT)SendDlgItemMessageA(main, IDC_FREQUENCY, WM_GETFONT, 0, 0), &fontX, &fontY);
    EXPECT_EQ(baseX, fontX);
    EXPECT_EQ(baseY, fontY);
    EXPECT_EQ(baseX, 6) << "8-point MS Sans Serif at 96 dots per inch";
    EXPECT_EQ(baseY, 13) << "8-point MS Sans Serif at 96 dots per inch";
    RECT rect{4, 8, 236, 241};
    ASSERT_TRUE(MapDialogRect(main, &rect));
    EXPECT_EQ(rect.left, baseX);
    EXPECT_EQ(rect.top, baseY);
    EXPECT_EQ(rect.right, MulDiv(236, baseX, 4));
    EXPECT_EQ(rect.bottom, MulDiv(241, baseY, 8));

    HWND child = GetDlgItem(main, IDC_FREQUENCY);
    rect = RECT{4, 8, 4, 8};
    EXPECT_FALSE(MapDialogRect(child, &rect)) << "a control is no dialog";
    EXPECT_EQ(rect.left, 4);
    EXPECT_FALSE(MapDialogRect(main, nullptr));
}

TEST_F(Dialog, BaseUnitsAndFontGrowWithTheResolution) {
    ASSERT_TRUE(HeadlessSetDpi(144));
    HWND main = CreateMain();
    ASSERT_NE(main, nullptr);
    int baseX = 0, baseY = 0, fontX = 0, fontY = 0;
    ASSERT_TRUE(GetDialogBaseUnits(main, &baseX, &baseY));
    HFONT font = (HFONT)SendDlgItemMessageA(main, IDC_FREQUENCY, WM_GETFONT, 0, 0);
    MeasureFont(font, &fontX, &fontY);
    EXPECT_EQ(baseX, fontX);
    EXPECT_EQ(baseY, fontY);
    EXPECT_GE(baseX, 9);
    EXPECT_GE(baseY, 17);
    LOGFONTA description{};
    ASSERT_NE(GetObjectA(font, sizeof description, &description), 0);
    EXPECT_EQ(description.lfHeight, -16);
    RECT client, expected = DialogUnits(main, 0, 0, 236, 241);
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_F(Dialog, TemplateThatIsMissingOrNamesNoKnownClassMakesNoWindow) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(CreateDialogParamA(instance, MAKEINTRESOURCEA(999), nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDialogParamA(instance, "NoSuchDialog", nullptr, nullptr, 0), nullptr);

    DialogTemplate dialog;
    std::vector<BYTE> bytes = MainTemplate();
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), dialog));
    dialog.items[3].windowClass = TemplateName{false, 0, "NoSuchClass"};
    EXPECT_EQ(CreateDialogFromTemplate(instance, dialog, nullptr, nullptr, 0), nullptr);
    EXPECT_TRUE(TopLevelWindows().empty()) << "the half-made dialog went away";

    dialog.style |= DS_NOFAILCREATE;
    HWND tolerant = CreateDialogFromTemplate(instance, dialog, nullptr, nullptr, 0);
    ASSERT_NE(tolerant, nullptr);
    EXPECT_EQ(ChildWindows(tolerant).size(), std::size(kLayout) - 1);
    EXPECT_EQ(GetDlgItem(tolerant, IDC_CAPUNIT), nullptr);

    dialog.windowClass = TemplateName{false, 0, "NotRegistered"};
    EXPECT_EQ(CreateDialogFromTemplate(instance, dialog, nullptr, nullptr, 0), nullptr);
}

TEST_F(Dialog, WithADialogProcedureTheWindowGetsTheFontAndInitDialog) {
    DialogTemplate dialog;
    std::vector<BYTE> bytes = MainTemplate();
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), dialog));
    dialog.style |= WS_VISIBLE;
    DLGPROC procedure = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND main = CreateDialogFromTemplate(GetModuleHandleA(nullptr), dialog, nullptr, procedure, 77);
    ASSERT_NE(main, nullptr);
    std::vector<UINT> seen;
    for (const Message& m : g_trap)
        if (m.message == WM_SETFONT || m.message == WM_INITDIALOG) {
            seen.push_back(m.message);
            if (m.message == WM_INITDIALOG) {
                EXPECT_EQ(m.lParam, 77);
                EXPECT_EQ((HWND)m.wParam, GetDlgItem(main, IDC_FREQUENCY)) << "first tab stop";
            }
        }
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG}));
    EXPECT_TRUE(IsWindowVisible(main)) << "WS_VISIBLE in the template shows it at the end";
}

TEST_F(Dialog, EveryTruncatedTemplateIsRefused) {
    std::vector<BYTE> bytes = MainTemplate();
    ASSERT_GT(bytes.size(), 100u);
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), dialog));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.items.size(), std::size(kLayout));
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.windowClass.text, "Trap");
    // Every prefix that stops before the last item's last field is refused, and no read
    // passes the end (each prefix is a buffer of its own size: the sanitizers watch).
    size_t shortestAccepted = bytes.size();
    for (size_t size = 0; size <= bytes.size(); ++size) {
        std::vector<BYTE> prefix(bytes.begin(), bytes.begin() + (long)size);
        DialogTemplate partial;
        bool accepted = ParseDialogTemplate(prefix.data(), prefix.size(), partial);
        if (accepted && shortestAccepted == bytes.size())
            shortestAccepted = size;
        EXPECT_EQ(accepted, size >= shortestAccepted) << size;
    }
    EXPECT_GE(shortestAccepted + 3, bytes.size()) << "at most the padding may go";
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 10, dialog));
}

TEST_F(Dialog, OldStyleTemplatesAreReadToo) {
    // DLGTEMPLATE: style, exStyle, count, x, y, cx, cy, menu, class, title, font; then
    // DLGITEMTEMPLATE items: style, exStyle, x, y, cx, cy, WORD id, class, title, extra.
    std::vector<BYTE> bytes;
    auto word = [&](unsigned w) {
        bytes.push_back((BYTE)(w & 0xFF));
        bytes.push_back((BYTE)(w >> 8));
    };
    auto dword = [&](unsigned long d) {
        word((unsigned)(d & 0xFFFF));
        word((unsigned)(d >> 16));
    };
    auto text = [&](const char16_t* s) {
        for (; *s; ++s)
            word(*s);
        word(0);
    };
    dword(WS_POPUP | DS_SETFONT);
    dword(0);
    word(1);
    word(0), word(0), word(100), word(50);
    word(0);         // no menu
    text(u"Trap");   // class
    text(u"Старый"); // title
    word(8);
    text(u"MS Sans Serif");
    while (bytes.size() % 4)
        bytes.push_back(0);
    dword(WS_CHILD | WS_VISIBLE | WS_BORDER);
    dword(0);
    word(5), word(6), word(40), word(12);
    word(321);
    word(0xFFFF), word(0x0081); // Edit
    text(u"7.1");
    word(2), word(0xABCD); // two bytes of creation data

    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), dialog));
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.title, Utf8ToAnsi("Старый"));
    ASSERT_EQ(dialog.items.size(), 1u);
    EXPECT_EQ(dialog.items[0].id, 321u);
    EXPECT_EQ(dialog.items[0].creationData, (std::vector<BYTE>{2, 0, 0xCD, 0xAB}));

    HWND window = CreateDialogFromTemplate(GetModuleHandleA(nullptr), dialog, nullptr, nullptr, 0);
    ASSERT_NE(window, nullptr);
    HWND edit = GetDlgItem(window, 321);
    ASSERT_NE(edit, nullptr);
    char name[8], value[8];
    GetClassNameA(edit, name, sizeof name);
    GetWindowTextA(edit, value, sizeof value);
    EXPECT_STREQ(name, "Edit");
    EXPECT_STREQ(value, "7.1");
    EXPECT_EQ(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
}

} // namespace
