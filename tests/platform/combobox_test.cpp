// The drop-down list combo box, driven by injected mouse and keyboard input and by its
// messages: items and their data, the selection, the dropped list's place and scrolling,
// what the parent is told and in which order, the colours asked for when painting, and
// the main window's cable list.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/window_internal.h"
#include "platform/winapi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A WM_COMMAND the parent received, with the selection it read at that moment.
struct Note {
    int id;
    int code;
    HWND from;
    int selection;
};

struct Record {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

constexpr int kId = 1037;

std::vector<Note> g_notes;
std::vector<Record> g_colors; // WM_CTLCOLOR* requests to the parent
std::vector<Record> g_focus;  // WM_SETFOCUS and WM_KILLFOCUS of the combo and its sibling
WNDPROC g_comboProc = nullptr;
int g_destroyOn = 0; // the parent destroys the sender on this notification code

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        HWND from = (HWND)lParam;
        int selection = (int)SendMessageA(from, CB_GETCURSEL, 0, 0);
        g_notes.push_back({LOWORD(wParam), HIWORD(wParam), from, selection});
        if (g_destroyOn != 0 && HIWORD(wParam) == g_destroyOn)
            DestroyWindow(from);
        return 0;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        g_colors.push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        g_focus.push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ComboSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        g_focus.push_back({window, message, wParam, lParam});
    return CallWindowProcA(g_comboProc, window, message, wParam, lParam);
}

std::vector<int> Codes() {
    std::vector<int> codes;
    for (const Note& note : g_notes)
        codes.push_back(note.code);
    return codes;
}

HFONT MakeFont(int height) {
    LOGFONTA description{};
    description.lfHeight = height;
    strcpy(description.lfFaceName, "MS Sans Serif");
    return CreateFontIndirectA(&description);
}

int FontHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The dropped list's window under a top-level window, or nullptr.
HWND ListWindow(HWND top) {
    for (HWND child : ChildWindows(top)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        if (strcmp(name, "ComboLBox") == 0)
            return child;
    }
    return nullptr;
}

// Where things are on the screen, from what the combo tells.
struct Geometry {
    HWND combo;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(combo, message, wParam, lParam);
    }
    POINT Field() const {
        RECT rect = WindowRect(combo);
        return POINT{rect.left + 10, (rect.top + rect.bottom) / 2};
    }
    POINT Arrow() const {
        RECT rect = WindowRect(combo);
        return POINT{rect.right - 5, (rect.top + rect.bottom) / 2};
    }
    RECT List() const {
        RECT rect{};
        Send(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&rect);
        return rect;
    }
    int ItemHeight() const { return (int)Send(CB_GETITEMHEIGHT, 0); }
    int Top() const { return (int)Send(CB_GETTOPINDEX); }
    int Rows() const {
        RECT list = List();
        return (list.bottom - list.top - 2) / ItemHeight(); // inside its 1-pixel border
    }
    int MaxTop() const { return (int)Send(CB_GETCOUNT) - Rows(); }
    POINT Item(int item) const {
        RECT list = List();
        int height = ItemHeight();
        return POINT{list.left + 10, list.top + 1 + (item - Top()) * height + height / 2};
    }
    int BarX() const { return List().right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2; }
    int ArrowHeight() const {
        RECT list = List();
        return std::min(GetSystemMetrics(SM_CYVSCROLL), (int)(list.bottom - list.top - 2) / 2);
    }
    POINT UpArrow() const { return POINT{BarX(), List().top + 1 + ArrowHeight() / 2}; }
    POINT DownArrow() const { return POINT{BarX(), List().bottom - 1 - ArrowHeight() / 2}; }
};

void Click(POINT point) {
    HeadlessClick(point.x, point.y);
    HeadlessPump();
}

void Press(int key) {
    HeadlessKeyPress(key);
    HeadlessPump();
}

void PressAltDown() {
    HeadlessKeyDown(VK_MENU);
    HeadlessKeyPress(VK_DOWN);
    HeadlessKeyUp(VK_MENU);
    HeadlessPump();
}

class ComboBox : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_notes.clear();
        g_colors.clear();
        g_focus.clear();
        g_destroyOn = 0;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ParentProc;
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ComboTestParent";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        wc.lpfnWndProc = OtherProc;
        wc.lpszClassName = "ComboTestOther";
        ASSERT_NE(RegisterClassExA(&wc), 0);

        font_ = MakeFont(-11);
        parent_ = CreateWindowExA(0, "ComboTestParent", "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 400, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        other_ = CreateWindowExA(0, "ComboTestOther", "", WS_CHILD | WS_VISIBLE, 250, 10, 60, 20,
                                 parent_, (HMENU)2000, nullptr, nullptr);
        combo_ = CreateWindowExA(0, "ComboBox", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 20, 20, 120,
                                 200, parent_, (HMENU)(INT_PTR)kId, nullptr, nullptr);
        ASSERT_NE(combo_, nullptr);
        SendMessageA(combo_, WM_SETFONT, (WPARAM)font_, FALSE);
        // Watched through a subclass: the control's state stays with the window.
        g_comboProc = (WNDPROC)SetWindowLongA(combo_, GWL_WNDPROC, (LONG_PTR)ComboSpy);
        SetFocus(other_);
        HeadlessPump();
        Clear();
    }
    void TearDown() override {
        HeadlessReset();
        DeleteObject(font_);
    }

    void Clear() {
        g_notes.clear();
        g_colors.clear();
        g_focus.clear();
    }
    void Add(int count) {
        for (int i = 0; i < count; ++i) {
            char text[32];
            snprintf(text, sizeof text, "Cable %03d", i);
            ASSERT_EQ(SendMessageA(combo_, CB_ADDSTRING, 0, (LPARAM)text), i);
            ASSERT_EQ(SendMessageA(combo_, CB_SETITEMDATA, i, 1000 + i), TRUE);
        }
    }
    void AddTexts(const std::vector<std::string>& texts) {
        for (const std::string& text : texts)
            SendMessageA(combo_, CB_ADDSTRING, 0, (LPARAM)text.c_str());
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(combo_, message, wParam, lParam);
    }
    bool Dropped() { return Send(CB_GETDROPPEDSTATE) != FALSE; }
    // The list is gone: folded, without the mouse capture, its window destroyed.
    void ExpectClosed() {
        EXPECT_FALSE(Dropped());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(ListWindow(parent_), nullptr);
    }

    HFONT font_ = nullptr;
    HWND parent_ = nullptr;
    HWND other_ = nullptr;
    HWND combo_ = nullptr;
    Geometry At() const { return Geometry{combo_}; }
};

TEST_F(ComboBox, SetCurSelTakesValidIndexesOnlyAndNeverNotifies) {
    struct Case {
        int start, index;
        LRESULT result;
        int after;
    } cases[] = {
        {2, 3, 3, 3},      {2, 0, 0, 0},        {2, 4, 4, 4},       {2, -1, CB_ERR, CB_ERR},
        {2, 5, CB_ERR, 2}, {2, 500, CB_ERR, 2}, {2, -2, CB_ERR, 2}, {-1, 7, CB_ERR, CB_ERR},
        {-1, 1, 1, 1},
    };
    Add(5);
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, (WPARAM)c.start);
        HeadlessPump(); // painted: nothing left to draw
        Clear();
        EXPECT_EQ(Send(CB_SETCURSEL, (WPARAM)c.index), c.result) << c.start << " to " << c.index;
        EXPECT_EQ(Send(CB_GETCURSEL), c.after) << c.start << " to " << c.index;
        char text[32] = "?";
        GetWindowTextA(combo_, text, sizeof text);
        char expected[32] = "";
        if (c.after >= 0)
            snprintf(expected, sizeof expected, "Cable %03d", c.after);
        EXPECT_STREQ(text, expected) << "the field shows the selection";
        if (c.result != CB_ERR) {
            EXPECT_TRUE(GetUpdateRect(combo_, nullptr, FALSE)) << "the field is drawn again";
        }
        EXPECT_TRUE(g_notes.empty()) << c.start << " to " << c.index;
    }
}

TEST_F(ComboBox, ItemTextsAndDataComeBackWholeAndBadIndexesFail) {
    struct Case {
        std::string text;
        ULONG_PTR data;
    } cases[] = {
        {"RG-58 C/U", 1},
        {"", 0},
        {std::string(103, 'x'), ~(ULONG_PTR)0},
        {"\xD0\xCA \xC1\xE5\xEB\xE4\xE5\xED", (ULONG_PTR)1 << (sizeof(ULONG_PTR) * 8 - 1)},
        {"tab\there", 499},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Send(CB_ADDSTRING, 0, (LPARAM)cases[i].text.c_str()), (LRESULT)i);
        EXPECT_NE(Send(CB_SETITEMDATA, i, (LPARAM)cases[i].data), CB_ERR);
    }
    EXPECT_EQ(Send(CB_GETCOUNT), (LRESULT)std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string& text = cases[i].text;
        EXPECT_EQ(Send(CB_GETLBTEXTLEN, i), (LRESULT)text.size());
        char buffer[200];
        memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(Send(CB_GETLBTEXT, i, (LPARAM)buffer), (LRESULT)text.size());
        EXPECT_EQ(std::string(buffer), text);
        EXPECT_EQ(buffer[text.size() + 1], '#') << "nothing past the terminating zero";
        EXPECT_EQ((ULONG_PTR)Send(CB_GETITEMDATA, i), cases[i].data);
    }
    const int count = (int)std::size(cases);
    for (int bad : {-1, count, count + 100, INT_MIN}) {
        char buffer[8] = "keep";
        EXPECT_EQ(Send(CB_GETLBTEXT, (WPARAM)bad, (LPARAM)buffer), CB_ERR) << bad;
        EXPECT_STREQ(buffer, "keep");
        EXPECT_EQ(Send(CB_GETLBTEXTLEN, (WPARAM)bad), CB_ERR) << bad;
        EXPECT_EQ(Send(CB_GETITEMDATA, (WPARAM)bad), CB_ERR) << bad;
        EXPECT_EQ(Send(CB_SETITEMDATA, (WPARAM)bad, 5), CB_ERR) << bad;
    }

    // The window's text is the selected item's, cut to the buffer.
    EXPECT_EQ(GetWindowTextLengthA(combo_), 0) << "nothing selected";
    Send(CB_SETCURSEL, 0);
    char small[5];
    EXPECT_EQ(GetWindowTextA(combo_, small, sizeof small), 4);
    EXPECT_STREQ(small, "RG-5");
    EXPECT_EQ(GetWindowTextLengthA(combo_), 9);
}

TEST_F(ComboBox, InsertDeleteFindAndResetKeepTheSelectionOnItsItem) {
    AddTexts({"Beta", "Gamma"});
    Send(CB_SETCURSEL, 1);
    EXPECT_EQ(Send(CB_INSERTSTRING, 0, (LPARAM) "Alpha"), 0);
    EXPECT_EQ(Send(CB_GETCURSEL), 2) << "Gamma moved down";
    EXPECT_EQ(Send(CB_INSERTSTRING, (WPARAM)-1, (LPARAM) "Omega"), 3) << "-1 appends";
    EXPECT_EQ(Send(CB_INSERTSTRING, 9, (LPARAM) "Nowhere"), CB_ERR);
    EXPECT_EQ(Send(CB_DELETESTRING, 0), 3) << "the count that remains";
    EXPECT_EQ(Send(CB_GETCURSEL), 1);
    EXPECT_EQ(Send(CB_DELETESTRING, 1), 2) << "the selected item goes";
    EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Send(CB_DELETESTRING, 5), CB_ERR);

    AddTexts({"beta max", "Omicron"}); // Beta, Omega, beta max, Omicron
    struct Case {
        int start;
        const char* prefix;
        LRESULT found;
    } cases[] = {
        {-1, "b", 0},      {0, "B", 2}, {2, "beta", 0}, {-1, "om", 1},     {1, "OM", 3},
        {-1, "x", CB_ERR}, {-1, "", 0}, {99, "omi", 3}, {3, "Omicron", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Send(CB_FINDSTRING, (WPARAM)c.start, (LPARAM)c.prefix), c.found)
            << c.start << " " << c.prefix;
    EXPECT_EQ(Send(CB_SELECTSTRING, (WPARAM)-1, (LPARAM) "omic"), 3);
    EXPECT_EQ(Send(CB_GETCURSEL), 3);
    EXPECT_EQ(Send(CB_SELECTSTRING, (WPARAM)-1, (LPARAM) "zzz"), CB_ERR);
    EXPECT_EQ(Send(CB_GETCURSEL), 3) << "an unsuccessful search keeps the selection";
    EXPECT_TRUE(g_notes.empty());

    // Without a field to type in, a text selects the item of that name.
    EXPECT_EQ(Send(WM_SETTEXT, 0, (LPARAM) "OMEGA"), TRUE);
    EXPECT_EQ(Send(CB_GETCURSEL), 1);
    EXPECT_EQ(Send(WM_SETTEXT, 0, (LPARAM) "Omeg"), CB_ERR);
    EXPECT_EQ(Send(CB_GETCURSEL), 1);
    EXPECT_TRUE(g_notes.empty());

    EXPECT_EQ(Send(CB_RESETCONTENT), CB_OKAY);
    EXPECT_EQ(Send(CB_GETCOUNT), 0);
    EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(GetWindowTextLengthA(combo_), 0);
}

TEST_F(ComboBox, TheWindowIsTheFieldAndTheListDropsBelowItWithinTheGivenHeight) {
    const int fontHeight = FontHeight(font_);
    ASSERT_GT(fontHeight, 0);
    RECT field = WindowRect(combo_);
    EXPECT_EQ(field.bottom - field.top, fontHeight + 8);
    EXPECT_EQ(field.right - field.left, 120);
    EXPECT_EQ(At().ItemHeight(), fontHeight + 2);

    struct Case {
        int items;
        int rows;
    } cases[] = {
        {0, 1},
        {3, 3},
        {100, (200 - (fontHeight + 8) - 2) / (fontHeight + 2)},
    };
    for (const Case& c : cases) {
        Send(CB_RESETCONTENT);
        Add(c.items);
        RECT list = At().List();
        EXPECT_EQ(list.left, field.left) << c.items;
        EXPECT_EQ(list.right, field.right) << c.items;
        EXPECT_EQ(list.top, field.bottom) << c.items;
        EXPECT_EQ(list.bottom - list.top, c.rows * At().ItemHeight() + 2) << c.items;
        EXPECT_LE(list.bottom, field.top + 200) << "within the height the combo was given";
    }

    // A larger font makes a taller field; the list keeps to the same height.
    HFONT large = MakeFont(-24);
    Send(WM_SETFONT, (WPARAM)large, TRUE);
    EXPECT_EQ((HFONT)Send(WM_GETFONT), large);
    RECT taller = WindowRect(combo_);
    EXPECT_EQ(taller.bottom - taller.top, FontHeight(large) + 8);
    EXPECT_EQ(At().ItemHeight(), FontHeight(large) + 2);
    EXPECT_LE(At().List().bottom, taller.top + 200);
    Send(WM_SETFONT, (WPARAM)font_, FALSE);
    DeleteObject(large);
}

TEST_F(ComboBox, AMousePickNotifiesDropDownSelEndOkCloseUpSelChangeInOrder) {
    enum Way { ClickField, ClickArrow, DragToItem, SameItemAgain };
    struct Case {
        const char* name;
        Way way;
        int item;
    } cases[] = {
        {"field, then item", ClickField, 3},
        {"arrow, then item", ClickArrow, 4},
        {"press on the field, release on the item", DragToItem, 1},
        {"the selected item again", SameItemAgain, 2},
    };
    Add(10);
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, 2);
        SetFocus(other_);
        HeadlessPump();
        Clear();
        POINT open = c.way == ClickArrow ? At().Arrow() : At().Field();
        if (c.way == DragToItem) {
            HeadlessMouseMove(open.x, open.y);
            HeadlessMouseDown(open.x, open.y);
            HeadlessPump();
            ASSERT_TRUE(Dropped()) << c.name;
            POINT item = At().Item(c.item);
            HeadlessMouseMove(item.x, item.y);
            HeadlessMouseUp(item.x, item.y);
            HeadlessPump();
        } else {
            Click(open);
            ASSERT_TRUE(Dropped()) << c.name;
            EXPECT_EQ(GetCapture(), combo_) << "the combo holds the mouse while dropped";
            Click(At().Item(c.item));
        }
        std::vector<int> expected{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP,
                                  CBN_SELCHANGE};
        EXPECT_EQ(Codes(), expected) << c.name;
        for (const Note& note : g_notes) {
            EXPECT_EQ(note.id, kId);
            EXPECT_EQ(note.from, combo_);
        }
        ASSERT_EQ(g_notes.size(), expected.size());
        EXPECT_EQ(g_notes[1].selection, 2) << "not yet chosen when it drops";
        EXPECT_EQ(g_notes[2].selection, c.item) << "chosen by CBN_SELENDOK";
        EXPECT_EQ(g_notes[4].selection, c.item);
        EXPECT_EQ(Send(CB_GETCURSEL), c.item) << c.name;
        EXPECT_EQ(GetFocus(), combo_);
        ExpectClosed();
    }
}

TEST_F(ComboBox, HoveringMovesOnlyTheHighlightWhichEnterThenPicks) {
    Add(10);
    Send(CB_SETCURSEL, 2);
    Click(At().Field());
    Clear();
    for (int item : {1, 5, 7, 6}) {
        POINT point = At().Item(item);
        HeadlessMouseMove(point.x, point.y);
        HeadlessPump();
    }
    EXPECT_TRUE(g_notes.empty()) << "no notification while hovering";
    EXPECT_EQ(Send(CB_GETCURSEL), 2);
    Press(VK_RETURN);
    std::vector<int> expected{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE};
    EXPECT_EQ(Codes(), expected);
    EXPECT_EQ(Send(CB_GETCURSEL), 6);
    ExpectClosed();
}

TEST_F(ComboBox, TheListClosesWithoutAChoice) {
    enum Way {
        Escape,
        ClickParent,
        ClickSibling,
        ClickOffWindow,
        ClickField,
        FocusAway,
        Deactivate,
        ShowDropDownFalse
    };
    struct Case {
        const char* name;
        Way way;
        bool losesFocus;
    } cases[] = {
        {"Escape", Escape, false},
        {"a click into the parent", ClickParent, false},
        {"a click on another control", ClickSibling, false},
        {"a click outside the window", ClickOffWindow, false},
        {"a click on the field", ClickField, false},
        {"the focus moving away", FocusAway, true},
        {"the window losing the activation", Deactivate, true},
        {"CB_SHOWDROPDOWN FALSE", ShowDropDownFalse, false},
    };
    Add(10);
    for (const Case& c : cases) {
        HeadlessActivate(parent_);
        Send(CB_SETCURSEL, 2);
        SetFocus(other_);
        HeadlessPump();
        Click(At().Field());
        ASSERT_TRUE(Dropped()) << c.name;
        POINT hover = At().Item(6);
        HeadlessMouseMove(hover.x, hover.y);
        HeadlessPump();
        Clear();
        RECT parent = WindowRect(parent_);
        RECT sibling = WindowRect(other_);
        switch (c.way) {
        case Escape:
            Press(VK_ESCAPE);
            break;
        case ClickParent:
            Click(POINT{parent.left + 300, parent.bottom - 40});
            break;
        case ClickSibling:
            Click(POINT{sibling.left + 5, sibling.top + 5});
            break;
        case ClickOffWindow:
            Click(POINT{5, 5});
            break;
        case ClickField:
            Click(At().Field());
            break;
        case FocusAway:
            SetFocus(other_);
            HeadlessPump();
            break;
        case Deactivate:
            HeadlessDeactivate(parent_);
            HeadlessPump();
            break;
        case ShowDropDownFalse:
            EXPECT_EQ(Send(CB_SHOWDROPDOWN, FALSE), TRUE);
            HeadlessPump();
            break;
        }
        std::vector<int> expected{CBN_SELENDCANCEL, CBN_CLOSEUP};
        if (c.losesFocus)
            expected.push_back(CBN_KILLFOCUS);
        EXPECT_EQ(Codes(), expected) << c.name;
        EXPECT_EQ(Send(CB_GETCURSEL), 2) << c.name;
        ExpectClosed();
    }
}

TEST_F(ComboBox, NavigationKeysOnTheClosedListStepTheSelection) {
    Add(20);
    const int rows = At().Rows();
    ASSERT_GT(rows, 2);
    ASSERT_LT(rows, 19);
    struct Case {
        int start;
        int key;
        int after;
    } cases[] = {
        {2, VK_UP, 1},          {2, VK_DOWN, 3},           {0, VK_UP, 0},     {19, VK_DOWN, 19},
        {5, VK_HOME, 0},        {5, VK_END, 19},           {0, VK_HOME, 0},   {19, VK_END, 19},
        {0, VK_NEXT, rows - 1}, {19, VK_PRIOR, 20 - rows}, {18, VK_NEXT, 19}, {1, VK_PRIOR, 0},
        {-1, VK_DOWN, 0},
    };
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, (WPARAM)c.start);
        SetFocus(combo_);
        HeadlessPump();
        Clear();
        Press(c.key);
        EXPECT_EQ(Send(CB_GETCURSEL), c.after) << c.start << " key " << c.key;
        std::vector<int> expected;
        if (c.after != c.start)
            expected = {CBN_SELENDOK, CBN_SELCHANGE};
        EXPECT_EQ(Codes(), expected) << c.start << " key " << c.key;
        if (!g_notes.empty()) {
            EXPECT_EQ(g_notes[0].selection, c.after);
        }
        EXPECT_FALSE(Dropped());
    }
}

TEST_F(ComboBox, TheWheelStepsTheClosedListsSelection) {
    Add(10);
    struct Case {
        int start, delta, after;
    } cases[] = {
        {5, -WHEEL_DELTA, 6}, {5, 2 * WHEEL_DELTA, 3}, {0, WHEEL_DELTA, 0},
        {9, -WHEEL_DELTA, 9}, {5, WHEEL_DELTA / 2, 5},
    };
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, (WPARAM)c.start);
        SetFocus(combo_);
        HeadlessPump();
        Clear();
        POINT field = At().Field();
        HeadlessMouseWheel(field.x, field.y, c.delta);
        HeadlessPump();
        EXPECT_EQ(Send(CB_GETCURSEL), c.after) << c.start << " " << c.delta;
        std::vector<int> expected;
        if (c.after != c.start)
            expected = {CBN_SELENDOK, CBN_SELCHANGE};
        EXPECT_EQ(Codes(), expected) << c.start << " " << c.delta;
        EXPECT_FALSE(Dropped());
    }
}

TEST_F(ComboBox, ATypedCharacterSelectsTheNextItemStartingWithIt) {
    AddTexts({"apple", "Banana", "avocado", "cherry", "Apricot", "Blue", "1-2"});
    struct Case {
        int start;
        char typed;
        int after;
    } cases[] = {
        {0, 'a', 2}, {2, 'A', 4}, {4, 'a', 0}, {0, 'b', 1},  {1, 'B', 5},
        {5, 'b', 1}, {3, 'c', 3}, {0, 'z', 0}, {-1, '1', 6}, {-1, 'A', 0},
    };
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, (WPARAM)c.start);
        SetFocus(combo_);
        HeadlessPump();
        Clear();
        HeadlessTypeChar((unsigned char)c.typed);
        HeadlessPump();
        EXPECT_EQ(Send(CB_GETCURSEL), c.after) << c.start << " " << c.typed;
        std::vector<int> expected;
        if (c.after != c.start)
            expected = {CBN_SELENDOK, CBN_SELCHANGE};
        EXPECT_EQ(Codes(), expected) << c.start << " " << c.typed;
    }
}

TEST_F(ComboBox, TheKeyboardOpensTheListMovesItsHighlightAndPicksOrCancels) {
    enum Key { F4, AltDown, Enter, Escape };
    struct Case {
        Key open;
        std::vector<int> moves;
        Key close;
        int after;
    } cases[] = {
        {F4, {VK_DOWN, VK_DOWN}, Enter, 3},
        {AltDown, {VK_DOWN, VK_DOWN}, Enter, 3},
        {F4, {VK_END}, F4, 9},
        {AltDown, {VK_HOME, VK_DOWN}, AltDown, 1},
        {F4, {VK_NEXT}, Enter, 9}, // a page down from item 1 passes the last of ten
        {F4, {VK_DOWN, VK_DOWN}, Escape, 1},
        {AltDown, {}, Enter, 1},
    };
    Add(10);
    for (const Case& c : cases) {
        Send(CB_SETCURSEL, 1);
        SetFocus(combo_);
        HeadlessPump();
        Clear();
        if (c.open == F4)
            Press(VK_F4);
        else
            PressAltDown();
        ASSERT_TRUE(Dropped()) << c.open;
        EXPECT_EQ(Codes(), std::vector<int>{CBN_DROPDOWN});
        for (int key : c.moves)
            Press(key);
        EXPECT_EQ(Codes(), std::vector<int>{CBN_DROPDOWN}) << "nothing until picked";
        EXPECT_EQ(Send(CB_GETCURSEL), 1);
        Clear();
        if (c.close == F4)
            Press(VK_F4);
        else if (c.close == AltDown)
            PressAltDown();
        else
            Press(c.close == Enter ? VK_RETURN : VK_ESCAPE);
        std::vector<int> expected{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE};
        if (c.close == Escape)
            expected = {CBN_SELENDCANCEL, CBN_CLOSEUP};
        EXPECT_EQ(Codes(), expected) << c.open << " " << c.close;
        EXPECT_EQ(Send(CB_GETCURSEL), c.after) << c.open << " " << c.close;
        ExpectClosed();
    }
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ComboBox, TheLastOf500ItemsIsPickedAfterScrolling) {
    enum Way { Wheel, Thumb, Track };
    Add(500);
    for (Way way : {Wheel, Thumb, Track}) {
        Send(CB_SETCURSEL, (WPARAM)-1);
        Send(CB_SETTOPINDEX, 0);
        SetFocus(other_);
        HeadlessPump();
        Click(At().Field());
        ASSERT_TRUE(Dropped());
        ASSERT_EQ(At().Top(), 0);
        const int rows = At().Rows();
        const int maxTop = At().MaxTop();
        ASSERT_EQ(maxTop, 500 - rows);
        RECT list = At().List();
        switch (way) {
        case Wheel:
            HeadlessMouseWheel(list.left + 5, list.top + 5, -WHEEL_DELTA);
            HeadlessPump();
            EXPECT_EQ(At().Top(), 3) << "three items a notch";
            HeadlessMouseWheel(list.left + 5, list.top + 5, WHEEL_DELTA / 2);
            HeadlessPump();
            EXPECT_EQ(At().Top(), 3) << "half a notch does nothing yet";
            for (int i = 0; i < 400 && At().Top() < maxTop; ++i) {
                HeadlessMouseWheel(list.left + 5, list.top + 5, -WHEEL_DELTA);
                HeadlessPump();
            }
            break;
        case Thumb: {
            // At the top the thumb starts right below the arrow; drag it past the end.
            int x = At().BarX();
            int grab = list.top + 1 + At().ArrowHeight() + 2;
            HeadlessMouseMove(x, grab);
            HeadlessMouseDown(x, grab);
            HeadlessMouseMove(x, (grab + list.bottom) / 2);
            HeadlessPump();
            EXPECT_GT(At().Top(), 0);
            EXPECT_LT(At().Top(), maxTop);
            HeadlessMouseMove(x, list.bottom + 100);
            HeadlessMouseUp(x, list.bottom + 100);
            HeadlessPump();
            ASSERT_TRUE(Dropped()) << "releasing the thumb picks nothing";
            break;
        }
        case Track: {
            POINT below{At().BarX(), At().DownArrow().y - At().ArrowHeight() / 2 - 2};
            Click(below);
            EXPECT_EQ(At().Top(), rows) << "a page";
            Click(At().DownArrow());
            EXPECT_EQ(At().Top(), rows + 1) << "an item";
            Click(At().UpArrow());
            EXPECT_EQ(At().Top(), rows);
            for (int i = 0; i < 200 && At().Top() < maxTop; ++i)
                Click(below);
            break;
        }
        }
        EXPECT_EQ(At().Top(), maxTop) << way;
        ASSERT_TRUE(Dropped()) << way;
        Clear();
        Click(At().Item(499));
        std::vector<int> expected{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE};
        EXPECT_EQ(Codes(), expected) << way;
        EXPECT_EQ(Send(CB_GETCURSEL), 499) << way;
        EXPECT_EQ(Send(CB_GETITEMDATA, 499), 1499);
        ExpectClosed();
    }
}

TEST_F(ComboBox, TheOpenListShowsTheSelectionAndLiesAboveItsSiblings) {
    Add(500);
    Send(CB_SETCURSEL, 300);
    Click(At().Field());
    ASSERT_TRUE(Dropped());
    int top = At().Top();
    EXPECT_LE(top, 300);
    EXPECT_GT(top + At().Rows(), 300) << "the selection is in view";
    HWND list = ListWindow(parent_);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(ChildWindows(parent_).front(), list) << "topmost among the parent's children";
    RECT shown = WindowRect(list);
    RECT told = At().List();
    EXPECT_TRUE(EqualRect(&shown, &told));
    Press(VK_ESCAPE);
    EXPECT_EQ(ChildWindows(parent_).size(), 2u) << "only the sibling and the combo remain";
}

TEST_F(ComboBox, AClickMovesTheFocusToTheCombo) {
    Add(3);
    ASSERT_EQ(GetFocus(), other_);
    Click(At().Field());
    ASSERT_EQ(g_focus.size(), 2u);
    EXPECT_EQ(g_focus[0].window, other_);
    EXPECT_EQ(g_focus[0].message, (UINT)WM_KILLFOCUS);
    EXPECT_EQ((HWND)g_focus[0].wParam, combo_);
    EXPECT_EQ(g_focus[1].window, combo_);
    EXPECT_EQ(g_focus[1].message, (UINT)WM_SETFOCUS);
    EXPECT_EQ((HWND)g_focus[1].wParam, other_);
    EXPECT_EQ(GetFocus(), combo_);
    EXPECT_EQ(Codes(), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN}));
    Press(VK_ESCAPE);
    Clear();
    SetFocus(other_);
    EXPECT_EQ(Codes(), std::vector<int>{CBN_KILLFOCUS});
}

TEST_F(ComboBox, PaintingAsksTheParentForTheFieldsAndTheListsColours) {
    Add(3);
    InvalidateRect(combo_, nullptr, TRUE);
    HeadlessPump();
    auto asked = [](UINT message, HWND control) {
        return std::count_if(g_colors.begin(), g_colors.end(), [&](const Record& r) {
            return r.message == message && (HWND)r.lParam == control && r.wParam != 0;
        });
    };
    EXPECT_GT(asked(WM_CTLCOLOREDIT, combo_), 0);
    EXPECT_EQ(asked(WM_CTLCOLORLISTBOX, combo_), 0);

    Click(At().Field());
    HWND list = ListWindow(parent_);
    ASSERT_NE(list, nullptr);
    EXPECT_GT(asked(WM_CTLCOLORLISTBOX, list), 0) << "the list asks for itself";
    Press(VK_ESCAPE);

    Clear();
    EnableWindow(combo_, FALSE);
    HeadlessPump();
    EXPECT_GT(asked(WM_CTLCOLORSTATIC, combo_), 0);
    EXPECT_EQ(asked(WM_CTLCOLOREDIT, combo_), 0) << "disabled";
}

TEST_F(ComboBox, AParentThatDestroysTheComboOnANotificationEndsTheStory) {
    struct Case {
        int code;
        bool escape;
    } cases[] = {
        {CBN_SETFOCUS, false}, {CBN_DROPDOWN, false},    {CBN_SELENDOK, false},
        {CBN_CLOSEUP, false},  {CBN_SELENDCANCEL, true},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        Add(5);
        g_destroyOn = c.code;
        POINT item = At().Item(3);
        Click(At().Field());
        if (IsWindow(combo_)) {
            if (c.escape)
                Press(VK_ESCAPE);
            else
                Click(item);
        }
        EXPECT_FALSE(IsWindow(combo_)) << c.code;
        EXPECT_EQ(ListWindow(parent_), nullptr) << c.code;
        EXPECT_EQ(GetCapture(), nullptr) << c.code;
        std::vector<int> codes = Codes();
        auto at = std::find(codes.begin(), codes.end(), c.code);
        ASSERT_NE(at, codes.end()) << c.code;
        for (auto later = at + 1; later != codes.end(); ++later) {
            EXPECT_NE(*later, CBN_DROPDOWN) << c.code;
            EXPECT_NE(*later, CBN_SELENDOK) << c.code;
            EXPECT_NE(*later, CBN_SELCHANGE) << c.code;
        }
        g_destroyOn = 0;
    }
}

TEST_F(ComboBox, HidingTheComboClosesItsList) {
    Add(5);
    EXPECT_EQ(Send(CB_SHOWDROPDOWN, TRUE), TRUE);
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(Codes(), std::vector<int>{CBN_DROPDOWN});
    Clear();
    ShowWindow(combo_, SW_HIDE);
    EXPECT_EQ(Codes(), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    ExpectClosed();
}

TEST_F(ComboBox, DestroyingTheWindowWithTheListOpenLeavesNothingBehind) {
    Add(50);
    Click(At().Field());
    ASSERT_TRUE(Dropped());
    EXPECT_TRUE(DestroyWindow(parent_));
    EXPECT_FALSE(IsWindow(combo_));
    EXPECT_TRUE(TopLevelWindows().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    HeadlessClick(50, 50);
    HeadlessPump();
}

// The main window's cable list, made from the dialog template.
TEST(ComboBoxInDialog, TheCableListDropsInsideTheWindowBelowItsFieldAndPicksItem7) {
    HeadlessReset();
    g_notes.clear();
    g_destroyOn = 0;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Trap";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND main = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   nullptr, 0);
    ASSERT_NE(main, nullptr);
    SetWindowLongA(main, GWL_WNDPROC, (LONG_PTR)ParentProc); // to hear the notifications
    ShowWindow(main, SW_SHOWNORMAL);
    HeadlessPump();
    HWND combo = GetDlgItem(main, IDC_CABLECHOICE);
    ASSERT_NE(combo, nullptr);
    Geometry at{combo};

    RECT field = WindowRect(combo);
    EXPECT_EQ(field.bottom - field.top, 21) << "the dialog font's height and 8";
    for (int i = 0; i < 20; ++i) {
        char name[32];
        snprintf(name, sizeof name, "RG-%d", 50 + i);
        ASSERT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)name), i);
        SendMessageA(combo, CB_SETITEMDATA, i, i);
    }
    g_notes.clear();
    Click(POINT{(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));

    HWND list = ListWindow(main);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ChildWindows(main).front(), list);
    RECT shown = WindowRect(list);
    RECT client{};
    GetClientRect(main, &client);
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    OffsetRect(&client, origin.x, origin.y);
    RECT inside{};
    IntersectRect(&inside, &shown, &client);
    EXPECT_TRUE(EqualRect(&inside, &shown)) << "within the client area";
    EXPECT_EQ(shown.top, field.bottom) << "right below the field";
    EXPECT_EQ(shown.left, field.left);
    EXPECT_EQ(shown.right, field.right);
    RECT template93{0, 0, 0, 93};
    MapDialogRect(main, &template93);
    EXPECT_LE(shown.bottom, field.top + template93.bottom) << "the template's 93 units";
    EXPECT_EQ(at.Rows(), (template93.bottom - 21 - 2) / at.ItemHeight());

    // Drawn over the controls beneath it, also when the whole window is drawn again: its
    // black border, the hovered item on the highlight colour.
    POINT hover = at.Item(7);
    HeadlessMouseMove(hover.x, hover.y);
    HeadlessPump();
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            InvalidateRect(main, nullptr, TRUE);
        PaintPendingWindows();
        const Surface* surface = WindowSurface(main);
        ASSERT_NE(surface, nullptr);
        auto pixel = [&](int x, int y) {
            x -= origin.x, y -= origin.y;
            EXPECT_TRUE(x >= 0 && y >= 0 && x < surface->width && y < surface->height);
            return surface->pixels[(size_t)y * surface->width + x];
        };
        auto rgb = [](COLORREF c) {
            return (uint32_t)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        };
        EXPECT_EQ(pixel(shown.left, shown.bottom - 3), 0u) << "the border, pass " << pass;
        int beyondText = shown.right - 1 - GetSystemMetrics(SM_CXVSCROLL) - 3;
        EXPECT_EQ(pixel(beyondText, hover.y), rgb(GetSysColor(COLOR_HIGHLIGHT))) << "pass " << pass;
    }

    Click(at.Item(7));
    std::vector<int> codes;
    for (const Note& note : g_notes)
        if (note.from == combo)
            codes.push_back(note.code);
    std::vector<int> expected{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE};
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 7, 0), 7);
    EXPECT_EQ(ListWindow(main), nullptr);
    HeadlessReset();
}

// SetWindowPos, which raises the dropped list above the other controls.
TEST(SetWindowPos, RestacksSiblingsMovesSizesShowsAndHides) {
    HeadlessReset();
    HWND top = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(top, nullptr);
    HWND a =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    HWND b =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    HWND c =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    ASSERT_EQ(ChildWindows(top), (std::vector<HWND>{a, b, c}));
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    struct Case {
        HWND window, after;
        BOOL result;
        std::vector<HWND> order;
    } cases[] = {
        {c, HWND_TOP, TRUE, {c, a, b}},
        {c, HWND_BOTTOM, TRUE, {a, b, c}},
        {a, b, TRUE, {b, a, c}},
        {a, HWND_TOP, TRUE, {a, b, c}},
        {a, a, TRUE, {a, b, c}},
        {b, top, FALSE, {a, b, c}},
        {b, (HWND)0x7777, FALSE, {a, b, c}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(SetWindowPos(k.window, k.after, 0, 0, 0, 0, keep), k.result);
        EXPECT_EQ(ChildWindows(top), k.order);
    }
    EXPECT_TRUE(SetWindowPos(b, HWND_TOP, 40, 50, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW));
    RECT rect = WindowRect(b);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 10);
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_EQ(ChildWindows(top).front(), b);
    EXPECT_TRUE(SetWindowPos(b, nullptr, 0, 0, 30, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW));
    rect = WindowRect(b);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.right - rect.left, 30);
    EXPECT_EQ(rect.bottom - rect.top, 20);
    EXPECT_FALSE(IsWindowVisible(b));
    EXPECT_FALSE(SetWindowPos(nullptr, HWND_TOP, 0, 0, 0, 0, keep));
    HeadlessReset();
}

} // namespace
