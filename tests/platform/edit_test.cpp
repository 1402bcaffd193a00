// The edit control driven as the user drives it (injected keys, characters and mouse) and
// as programs drive it (messages), checked through its text, its selection, the clipboard
// and what its parent is told.
#include "platform/headless/headless.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kEditId = 101;
constexpr int kOtherId = 102;

// What the parent is told or asked.
struct Note {
    UINT message;
    WORD id;   // WM_COMMAND
    WORD code; // WM_COMMAND
    LPARAM lParam;
    bool dc; // WM_CTLCOLOR*: wParam is a live device context
    bool operator==(const Note&) const = default;
};

std::vector<Note> g_notes;
// When set, the parent's answer to the colour requests, with this text background.
HBRUSH g_parentBrush = nullptr;
COLORREF g_parentBackground = 0;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        g_notes.push_back({message, LOWORD(wParam), HIWORD(wParam), lParam, false});
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        g_notes.push_back({message, 0, 0, lParam, GetObjectType((HGDIOBJ)wParam) == OBJ_DC});
        if (g_parentBrush) {
            SetTextColor((HDC)wParam, RGB(0, 0, 0));
            SetBkColor((HDC)wParam, g_parentBackground);
            return (LRESULT)g_parentBrush;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

Note Command(HWND edit, WORD code) {
    return Note{WM_COMMAND, (WORD)GetDlgCtrlID(edit), code, (LPARAM)edit, false};
}

// A subclass like the program's input fields: Tab and Enter never reach the control, and
// gaining the focus selects the whole text first.
WNDPROC g_editProc = nullptr;
int g_consumed = 0;
std::vector<std::pair<DWORD, DWORD>> g_selectionAfterFocus;

LRESULT CALLBACK InputSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && (wParam == 9 || wParam == 13)) {
        ++g_consumed;
        return 0;
    }
    if (message == WM_SETFOCUS) {
        SendMessageA(window, EM_SETSEL, 0, -1);
        LRESULT result = CallWindowProcA(g_editProc, window, message, wParam, lParam);
        DWORD start = 0, end = 0;
        SendMessageA(window, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        g_selectionAfterFocus.push_back({start, end});
        return result;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

// A subclass like the program's result fields: the focus is handed straight on.
HWND g_focusTarget = nullptr;

LRESULT CALLBACK OutputSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        SetFocus(g_focusTarget);
        return 0;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

class Edit : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_notes.clear();
        g_editProc = nullptr;
        g_consumed = 0;
        g_selectionAfterFocus.clear();
        g_focusTarget = nullptr;
        g_parentBrush = nullptr;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecorderProc;
        wc.lpszClassName = "Recorder";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        parent_ = CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        LOGFONTA log{};
        log.lfHeight = -11;
        strcpy(log.lfFaceName, "MS Sans Serif");
        font_ = CreateFontIndirectA(&log);
        ASSERT_NE(font_, nullptr);
        edit_ = MakeEdit(ES_AUTOHSCROLL, 200, kEditId, 10);
        other_ = MakeEdit(ES_AUTOHSCROLL, 200, kOtherId, 60);
        SetFocus(edit_);
        HeadlessPump();
        g_notes.clear();
    }
    void TearDown() override {
        HeadlessReset();
        g_parentBrush = nullptr;
        DeleteObject(font_);
    }

    HWND MakeEdit(DWORD style, int width, int id, int y, const char* text = "") {
        HWND edit =
            CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | style, 10, y,
                            width, 24, parent_, (HMENU)(INT_PTR)id, nullptr, nullptr);
        EXPECT_NE(edit, nullptr);
        SendMessageA(edit, WM_SETFONT, (WPARAM)font_, FALSE);
        return edit;
    }

    // Sets the text and the selection (anchor, caret), then forgets what the parent heard.
    void Set(HWND edit, const std::string& text, int anchor, int caret) {
        SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)text.c_str());
        SendMessageA(edit, EM_SETSEL, anchor, caret);
        HeadlessPump();
        g_notes.clear();
    }
    void Set(const std::string& text, int anchor, int caret) { Set(edit_, text, anchor, caret); }

    static std::string Text(HWND edit) {
        std::string text(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
        text.resize(SendMessageA(edit, WM_GETTEXT, text.size(), (LPARAM)text.data()));
        return text;
    }
    std::string Text() const { return Text(edit_); }

    std::pair<DWORD, DWORD> Sel(HWND edit) const {
        DWORD start = 99, end = 99;
        LRESULT result = SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        EXPECT_EQ(LOWORD(result), start);
        EXPECT_EQ(HIWORD(result), end);
        return {start, end};
    }
    std::pair<DWORD, DWORD> Sel() const { return Sel(edit_); }

    // The width of text in the edit's own font, as the edit itself measures.
    int Width(HWND edit, const std::string& text) const {
        HDC dc = GetDC(edit);
        HGDIOBJ previous = SelectObject(dc, (HFONT)SendMessageA(edit, WM_GETFONT, 0, 0));
        SIZE size{0, 0};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), (int)text.size(), &size));
        SelectObject(dc, previous);
        ReleaseDC(edit, dc);
        return size.cx;
    }

    // The screen point at client x of the edit, halfway down.
    static POINT At(HWND edit, int x) {
        POINT point{x, 8};
        ClientToScreen(edit, &point);
        return point;
    }
    // The screen point of the boundary before character i, with the text unscrolled: the
    // text starts one pixel in.
    POINT Boundary(HWND edit, size_t i) const {
        return At(edit, 1 + Width(edit, Text(edit).substr(0, i)));
    }

    static void Click(POINT point) {
        HeadlessClick(point.x, point.y);
        HeadlessPump();
    }

    static int ClientWidth(HWND edit) {
        RECT client;
        GetClientRect(edit, &client);
        return client.right;
    }

    // What the parent heard from edit: its notifications, or its colour requests.
    // How many pixels of the edit's client area inside box have the colour.
    static int Count(HWND edit, RECT box, COLORREF color) {
        HDC dc = GetDC(edit);
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x)
                count += GetPixel(dc, x, y) == color;
        }
        ReleaseDC(edit, dc);
        return count;
    }
    static int Area(const RECT& box) { return (box.right - box.left) * (box.bottom - box.top); }
    static COLORREF Pixel(HWND edit, int x, int y) {
        HDC dc = GetDC(edit);
        COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(edit, dc);
        return color;
    }
    static RECT Client(HWND edit) {
        RECT client;
        GetClientRect(edit, &client);
        return client;
    }

    std::vector<Note> NotesFrom(HWND edit, bool colours = false) const {
        std::vector<Note> notes;
        for (const Note& note : g_notes) {
            if (note.lParam == (LPARAM)edit && (note.message != WM_COMMAND) == colours)
                notes.push_back(note);
        }
        return notes;
    }

    HWND parent_ = nullptr;
    HWND edit_ = nullptr;
    HWND other_ = nullptr;
    HFONT font_ = nullptr;
};

void Press(int key) {
    HeadlessKeyPress(key);
    HeadlessPump();
}

void With(int modifier, int key) {
    HeadlessKeyDown(modifier);
    HeadlessKeyPress(key);
    HeadlessKeyUp(modifier);
    HeadlessPump();
}

void Type(const std::string& text) {
    HeadlessTypeText(text);
    HeadlessPump();
}

void SetClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    EXPECT_NE(SetClipboardData(CF_TEXT, block), nullptr);
    CloseClipboard();
}

std::optional<std::string> Clipboard() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

struct EditCase {
    const char* name;
    const char* text;
    int anchor, caret;
    std::function<void()> input;
    const char* expected;
    DWORD start, end;
};

TEST_F(Edit, TypingAndEditingKeys) {
    const EditCase cases[] = {
        {"types at the caret", "abcd", 2, 2, [] { Type("XY"); }, "abXYcd", 4, 4},
        {"types over the selection", "abcdef", 1, 4, [] { Type("Z"); }, "aZef", 2, 2},
        {"types over a backward selection", "abcdef", 4, 1, [] { Type("Z"); }, "aZef", 2, 2},
        {"bytes above 127 are characters", "ab", 2, 2, [] { Type("\xC0\xFF"); }, "ab\xC0\xFF", 4,
         4},
        {"Tab, Enter and Escape insert nothing", "ab", 1, 1,
         [] {
             Press(VK_TAB);
             Press(VK_RETURN);
             Press(VK_ESCAPE);
         },
         "ab", 1, 1},
        {"control characters and 127 insert nothing", "ab", 0, 2,
         [] {
             for (unsigned char c : {2, 10, 13, 9, 27, 31, 127})
                 HeadlessTypeChar(c);
             HeadlessPump();
         },
         "ab", 0, 2},
        {"Ctrl+Backspace deletes nothing", "abc", 2, 2, [] { With(VK_CONTROL, VK_BACK); }, "abc", 2,
         2},
        {"Backspace deletes before the caret", "abcd", 2, 2, [] { Press(VK_BACK); }, "acd", 1, 1},
        {"Backspace deletes the selection", "abcd", 3, 1, [] { Press(VK_BACK); }, "ad", 1, 1},
        {"Backspace at the start", "abcd", 0, 0, [] { Press(VK_BACK); }, "abcd", 0, 0},
        {"Delete deletes after the caret", "abcd", 1, 1, [] { Press(VK_DELETE); }, "acd", 1, 1},
        {"Delete deletes the selection", "abcd", 1, 3, [] { Press(VK_DELETE); }, "ad", 1, 1},
        {"Delete at the end", "abcd", 4, 4, [] { Press(VK_DELETE); }, "abcd", 4, 4},
        {"Left", "abcd", 2, 2, [] { Press(VK_LEFT); }, "abcd", 1, 1},
        {"Left at the start", "abcd", 0, 0, [] { Press(VK_LEFT); }, "abcd", 0, 0},
        {"Left collapses to the left end", "abcd", 1, 3, [] { Press(VK_LEFT); }, "abcd", 1, 1},
        {"Left collapses a backward selection", "abcd", 3, 1, [] { Press(VK_LEFT); }, "abcd", 1, 1},
        {"Right", "abcd", 2, 2, [] { Press(VK_RIGHT); }, "abcd", 3, 3},
        {"Right at the end", "abcd", 4, 4, [] { Press(VK_RIGHT); }, "abcd", 4, 4},
        {"Right collapses to the right end", "abcd", 3, 1, [] { Press(VK_RIGHT); }, "abcd", 3, 3},
        {"Shift+Left extends", "abcd", 3, 3,
         [] {
             With(VK_SHIFT, VK_LEFT);
             With(VK_SHIFT, VK_LEFT);
         },
         "abcd", 1, 3},
        {"Shift+Right crosses the anchor", "abcd", 2, 2,
         [] {
             With(VK_SHIFT, VK_LEFT);
             for (int i = 0; i < 3; ++i)
                 With(VK_SHIFT, VK_RIGHT);
         },
         "abcd", 2, 4},
        {"Shift+Home keeps the anchor", "abcd", 1, 3, [] { With(VK_SHIFT, VK_HOME); }, "abcd", 0,
         1},
        {"Shift+End keeps the anchor", "abcd", 3, 1, [] { With(VK_SHIFT, VK_END); }, "abcd", 3, 4},
        {"Home", "abcd", 1, 3, [] { Press(VK_HOME); }, "abcd", 0, 0},
        {"End", "abcd", 1, 2, [] { Press(VK_END); }, "abcd", 4, 4},
        {"Ctrl+A selects everything", "abcd", 1, 1, [] { With(VK_CONTROL, 'A'); }, "abcd", 0, 4},
        {"typed after Shift+Home replaces", "abcd", 4, 4,
         [] {
             With(VK_SHIFT, VK_LEFT);
             With(VK_SHIFT, VK_HOME);
             Type("x");
         },
         "x", 1, 1},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        Set(c.text, c.anchor, c.caret);
        c.input();
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(Sel(), std::make_pair(c.start, c.end));
    }
}

TEST_F(Edit, SelectionMessages) {
    struct Case {
        const char* name;
        WPARAM start;
        LPARAM end;
        DWORD selStart, selEnd;
        DWORD afterShiftLeftStart, afterShiftLeftEnd; // shows where the caret is
    };
    const Case cases[] = {
        {"0, -1 selects everything", 0, -1, 0, 5, 0, 4},
        {"forward: the caret at the end", 2, 4, 2, 4, 2, 3},
        {"backward: start is the anchor", 4, 2, 2, 4, 1, 4},
        {"start -1 keeps only the caret", (WPARAM)-1, 0, 3, 3, 2, 3},
        {"past the end is the end", 2, 100, 2, 5, 2, 4},
        {"empty", 1, 1, 1, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Set("hello", 1, 3);
        SendMessageA(edit_, EM_SETSEL, c.start, c.end);
        EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd));
        With(VK_SHIFT, VK_LEFT);
        EXPECT_EQ(Sel(), std::make_pair(c.afterShiftLeftStart, c.afterShiftLeftEnd));
        EXPECT_TRUE(NotesFrom(edit_).empty());
    }
    // The pointers may be left out.
    SendMessageA(edit_, EM_SETSEL, 4, 1);
    EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, 0), MAKELRESULT(1, 4));
    DWORD end = 0;
    EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, (LPARAM)&end), MAKELRESULT(1, 4));
    EXPECT_EQ(end, 4u);
}

TEST_F(Edit, GetTextFillsTheBufferAsFarAsItGoes) {
    Set("hello world", 0, 0); // 11 characters
    struct Case {
        WPARAM size;
        LRESULT copied;
        const char* expected; // nullptr: the buffer is untouched
    };
    const Case cases[] = {
        {0, 0, nullptr},         {1, 0, ""},
        {5, 4, "hell"},          {11, 10, "hello worl"},
        {12, 11, "hello world"}, {40, 11, "hello world"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[48];
        memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(SendMessageA(edit_, WM_GETTEXT, c.size, (LPARAM)buffer), c.copied);
        if (c.expected == nullptr) {
            EXPECT_EQ(buffer[0], '#');
            continue;
        }
        EXPECT_STREQ(buffer, c.expected);
        // Nothing written past the zero.
        EXPECT_EQ(buffer[c.copied + 1], '#');
    }
    EXPECT_EQ(SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0), 11);
    char small[4];
    EXPECT_EQ(GetWindowTextA(edit_, small, sizeof small), 3);
    EXPECT_STREQ(small, "hel");
}

TEST_F(Edit, TellsTheParentAboutChangesAndFocus) {
    struct Step {
        const char* name;
        std::function<void()> action;
        std::vector<std::pair<HWND*, WORD>> expected; // (which edit, code), in order
    };
    HWND* edit = &edit_;
    HWND* other = &other_;
    const Step steps[] = {
        {"WM_SETTEXT",
         [this] { SendMessageA(edit_, WM_SETTEXT, 0, (LPARAM) "hello"); },
         {{edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"WM_SETTEXT of the same text",
         [this] { SendMessageA(edit_, WM_SETTEXT, 0, (LPARAM) "hello"); },
         {{edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"a typed character", [] { Type("x"); }, {{edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"two typed characters",
         [] { Type("yz"); },
         {{edit, EN_UPDATE}, {edit, EN_CHANGE}, {edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"caret and selection moves",
         [this] {
             Press(VK_HOME);
             With(VK_SHIFT, VK_END);
             SendMessageA(edit_, EM_SETSEL, 1, 2);
             Press(VK_HOME);
         },
         {}},
        {"Backspace at the start", [] { Press(VK_BACK); }, {}},
        {"Delete", [] { Press(VK_DELETE); }, {{edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"replacing nothing with nothing",
         [this] { SendMessageA(edit_, EM_REPLACESEL, FALSE, (LPARAM) ""); },
         {}},
        {"EM_REPLACESEL",
         [this] { SendMessageA(edit_, EM_REPLACESEL, FALSE, (LPARAM) "ab"); },
         {{edit, EN_UPDATE}, {edit, EN_CHANGE}}},
        {"focus to the other edit",
         [this] { SetFocus(other_); },
         {{edit, EN_KILLFOCUS}, {other, EN_SETFOCUS}}},
        {"focus back by a click",
         [this] { Click(At(edit_, 5)); },
         {{other, EN_KILLFOCUS}, {edit, EN_SETFOCUS}}},
        {"a click in the focused edit", [this] { Click(At(edit_, 5)); }, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        g_notes.clear();
        step.action();
        std::vector<Note> expected;
        for (auto [window, code] : step.expected)
            expected.push_back(Command(*window, code));
        std::vector<Note> commands;
        for (const Note& note : g_notes) {
            if (note.message == WM_COMMAND)
                commands.push_back(note);
        }
        EXPECT_EQ(commands, expected);
    }
    // x, y and z typed at the start, x deleted, "ab" put in its place.
    EXPECT_EQ(Text(), "abyzhello");
    // A text given at creation is there without any notification.
    g_notes.clear();
    HWND made = MakeEdit(ES_AUTOHSCROLL, 100, 103, 120, "made");
    EXPECT_EQ(Text(made), "made");
    EXPECT_TRUE(NotesFrom(made).empty());
}

TEST_F(Edit, ClickPutsTheCaretAtTheNearestBoundary) {
    const std::string text = "Wim Lw.i 7,1";
    Set(text, 0, 0);
    for (size_t i = 0; i <= text.size(); ++i) {
        SCOPED_TRACE(i);
        Click(Boundary(edit_, i));
        EXPECT_EQ(Sel(), std::make_pair((DWORD)i, (DWORD)i));
        EXPECT_EQ(GetCapture(), nullptr);
        if (i == text.size())
            break;
        // Either side of the middle of the next character.
        int left = 1 + Width(edit_, text.substr(0, i));
        int right = 1 + Width(edit_, text.substr(0, i + 1));
        if (right - left < 4)
            continue;
        int middle = (left + right) / 2;
        Click(At(edit_, middle - 1));
        EXPECT_EQ(Sel().second, i);
        Click(At(edit_, middle + 1));
        EXPECT_EQ(Sel().second, i + 1);
    }
    // Past the end of the text, and in the left margin.
    Click(At(edit_, ClientWidth(edit_) - 2));
    EXPECT_EQ(Sel(), std::make_pair((DWORD)text.size(), (DWORD)text.size()));
    Click(At(edit_, 0));
    EXPECT_EQ(Sel(), std::make_pair(0u, 0u));
    // The same click twice is two clicks: the second puts the caret again.
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    Click(Boundary(edit_, 3));
    Click(Boundary(edit_, 3));
    EXPECT_EQ(Sel(), std::make_pair(3u, 3u));
}

TEST_F(Edit, DragSelectsFromWhereTheButtonWentDown) {
    const std::string text = "abcdefghij";
    struct Case {
        size_t from, to;
        DWORD start, end;
        DWORD afterShiftRightStart, afterShiftRightEnd; // shows the anchor and the caret
    };
    const Case cases[] = {
        {2, 6, 2, 6, 2, 7},
        {7, 3, 3, 7, 4, 7},
        {5, 5, 5, 5, 5, 6},
        {0, 10, 0, 10, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        Set(text, 0, 0);
        POINT down = Boundary(edit_, c.from), up = Boundary(edit_, c.to);
        HeadlessMouseMove(down.x, down.y);
        HeadlessMouseDown(down.x, down.y);
        HeadlessMouseMove((down.x + up.x) / 2, up.y);
        HeadlessMouseMove(up.x, up.y);
        HeadlessPump();
        EXPECT_EQ(GetCapture(), edit_);
        HeadlessMouseUp(up.x, up.y);
        HeadlessPump();
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(Sel(), std::make_pair(c.start, c.end));
        With(VK_SHIFT, VK_RIGHT);
        EXPECT_EQ(Sel(), std::make_pair(c.afterShiftRightStart, c.afterShiftRightEnd));
    }
    // Moving after the button went up selects nothing more.
    Set(text, 0, 0);
    Click(Boundary(edit_, 4));
    POINT later = Boundary(edit_, 8);
    HeadlessMouseMove(later.x, later.y);
    HeadlessPump();
    EXPECT_EQ(Sel(), std::make_pair(4u, 4u));
}

TEST_F(Edit, DoubleClickSelectsEverything) {
    Set("two words", 3, 3);
    POINT point = Boundary(edit_, 5);
    HeadlessDoubleClick(point.x, point.y);
    HeadlessPump();
    EXPECT_EQ(Sel(), std::make_pair(0u, 9u));
    EXPECT_EQ(GetCapture(), nullptr);
    // Also when the double click is what brings the focus.
    Set(other_, "more words", 2, 2);
    point = Boundary(other_, 4);
    HeadlessDoubleClick(point.x, point.y);
    HeadlessPump();
    EXPECT_EQ(GetFocus(), other_);
    EXPECT_EQ(Sel(other_), std::make_pair(0u, 10u));
    Type("x");
    EXPECT_EQ(Text(other_), "x");
}

// Double clicks reach only the classes that ask for them; a click elsewhere in between
// makes two single clicks.
std::vector<UINT> g_buttons;
LRESULT CALLBACK ButtonRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)
        g_buttons.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Edit, DoubleClickMessageOnlyForClassesThatAskForIt) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ButtonRecorder;
    wc.lpszClassName = "Single";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = "Double";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND single = CreateWindowExA(0, "Single", "", WS_CHILD | WS_VISIBLE, 10, 100, 50, 50, parent_,
                                  nullptr, nullptr, nullptr);
    HWND dbl = CreateWindowExA(0, "Double", "", WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, parent_,
                               nullptr, nullptr, nullptr);
    struct Case {
        const char* name;
        HWND window;
        bool moveBetween;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {"without CS_DBLCLKS",
         single,
         false,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {"with CS_DBLCLKS",
         dbl,
         false,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
        {"input between", dbl, true, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_buttons.clear();
        POINT point{20, 20};
        ClientToScreen(c.window, &point);
        if (c.moveBetween) {
            Click(point);
            Click(point);
        } else {
            HeadlessDoubleClick(point.x, point.y);
            HeadlessPump();
        }
        EXPECT_EQ(g_buttons, c.expected);
    }
    // A third click in a row is a single click again.
    g_buttons.clear();
    POINT point{20, 20};
    ClientToScreen(dbl, &point);
    HeadlessDoubleClick(point.x, point.y);
    HeadlessMouseDown(point.x, point.y);
    HeadlessMouseUp(point.x, point.y);
    HeadlessPump();
    EXPECT_EQ(g_buttons, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                            WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Edit, ClipboardKeysAndMessages) {
    struct Case {
        const char* name;
        const char* text;
        int anchor, caret;
        std::optional<std::string> clipboardBefore;
        std::function<void()> input;
        const char* expected;
        DWORD start, end;
        std::optional<std::string> clipboardAfter;
    };
    HWND edit = edit_;
    const Case cases[] = {
        {"Ctrl+A, Ctrl+C", "hello world", 3, 3, "old",
         [] {
             With(VK_CONTROL, 'A');
             With(VK_CONTROL, 'C');
         },
         "hello world", 0, 11, "hello world"},
        {"Ctrl+C without a selection", "hello", 2, 2, "old", [] { With(VK_CONTROL, 'C'); }, "hello",
         2, 2, "old"},
        {"Ctrl+X", "hello world", 5, 0, "old", [] { With(VK_CONTROL, 'X'); }, " world", 0, 0,
         "hello"},
        {"Ctrl+V replaces the selection", "hello", 1, 3, "XYZ", [] { With(VK_CONTROL, 'V'); },
         "hXYZlo", 4, 4, "XYZ"},
        {"paste stops at CR", "ab", 1, 1, "12\r\n34", [] { With(VK_CONTROL, 'V'); }, "a12b", 3, 3,
         "12\r\n34"},
        {"paste stops at LF", "ab", 2, 2, "12\n34", [] { With(VK_CONTROL, 'V'); }, "ab12", 4, 4,
         "12\n34"},
        {"paste of an empty clipboard", "ab", 0, 2, std::nullopt, [] { With(VK_CONTROL, 'V'); },
         "ab", 0, 2, std::nullopt},
        {"Shift+Delete cuts", "hello", 1, 4, "old", [] { With(VK_SHIFT, VK_DELETE); }, "ho", 1, 1,
         "ell"},
        {"Shift+Insert pastes", "ab", 1, 1, "Q", [] { With(VK_SHIFT, VK_INSERT); }, "aQb", 2, 2,
         "Q"},
        {"Ctrl+Insert copies", "hello", 0, 2, "old", [] { With(VK_CONTROL, VK_INSERT); }, "hello",
         0, 2, "he"},
        {"WM_COPY", "hello", 4, 1, "old", [edit] { SendMessageA(edit, WM_COPY, 0, 0); }, "hello", 1,
         4, "ell"},
        {"WM_CUT", "hello", 1, 4, "old", [edit] { SendMessageA(edit, WM_CUT, 0, 0); }, "ho", 1, 1,
         "ell"},
        {"WM_PASTE", "hello", 5, 5, "!", [edit] { SendMessageA(edit, WM_PASTE, 0, 0); }, "hello!",
         6, 6, "!"},
        {"WM_CLEAR leaves the clipboard alone", "hello", 1, 4, "old",
         [edit] { SendMessageA(edit, WM_CLEAR, 0, 0); }, "ho", 1, 1, "old"},
        {"cut keeps the text when the clipboard is busy", "hello", 0, 5, "old",
         [edit] {
             ASSERT_TRUE(OpenClipboard(nullptr));
             With(VK_CONTROL, 'X');
             SendMessageA(edit, WM_CUT, 0, 0);
             CloseClipboard();
         },
         "hello", 0, 5, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.clipboardBefore)
            SetClipboard(*c.clipboardBefore);
        else {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            CloseClipboard();
        }
        Set(c.text, c.anchor, c.caret);
        c.input();
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(Sel(), std::make_pair(c.start, c.end));
        EXPECT_EQ(Clipboard(), c.clipboardAfter);
    }
}

TEST_F(Edit, ReadOnlyFieldTakesNoEditingButCopies) {
    SendMessageA(edit_, EM_SETREADONLY, TRUE, 0);
    SetClipboard("pasted");
    Set("fixed", 1, 3);
    Type("x");
    Press(VK_BACK);
    Press(VK_DELETE);
    With(VK_SHIFT, VK_DELETE);
    With(VK_CONTROL, 'X');
    With(VK_CONTROL, 'V');
    SendMessageA(edit_, WM_PASTE, 0, 0);
    SendMessageA(edit_, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(), "fixed");
    EXPECT_TRUE(NotesFrom(edit_).empty());
    With(VK_CONTROL, 'C');
    EXPECT_EQ(Clipboard(), "ix");
    // The program can still change it.
    SendMessageA(edit_, EM_REPLACESEL, FALSE, (LPARAM) "-");
    EXPECT_EQ(Text(), "f-ed");
}

TEST_F(Edit, SubclassThatSwallowsTabAndEnter) {
    g_editProc = (WNDPROC)SetWindowLongA(edit_, GWL_WNDPROC, (LONG_PTR)InputSubclass);
    ASSERT_NE(g_editProc, nullptr);
    Set("", 0, 0);
    Type("12");
    Press(VK_TAB);
    Type("3");
    Press(VK_RETURN);
    Type("4");
    EXPECT_EQ(Text(), "1234");
    EXPECT_EQ(g_consumed, 2);
    EXPECT_EQ(Sel(), std::make_pair(4u, 4u));

    // A click that brings the focus: the focus handling selects everything first, then the
    // click puts the caret and empties the selection.
    SetFocus(other_);
    Set("hello world", 2, 2);
    g_selectionAfterFocus.clear();
    Click(Boundary(edit_, 3));
    EXPECT_EQ(GetFocus(), edit_);
    ASSERT_EQ(g_selectionAfterFocus.size(), 1u);
    EXPECT_EQ(g_selectionAfterFocus[0], std::make_pair(0u, 11u));
    EXPECT_EQ(Sel(), std::make_pair(3u, 3u));
    // Focus by the program: everything stays selected.
    SetFocus(other_);
    SetFocus(edit_);
    EXPECT_EQ(Sel(), std::make_pair(0u, 11u));
    Type("new");
    EXPECT_EQ(Text(), "new");
}

TEST_F(Edit, ClickOnFieldThatPassesTheFocusOn) {
    g_editProc = (WNDPROC)SetWindowLongA(other_, GWL_WNDPROC, (LONG_PTR)OutputSubclass);
    g_focusTarget = edit_;
    Set(edit_, "input", 2, 4);
    Set(other_, "result", 1, 1);
    Click(Boundary(other_, 4));
    EXPECT_EQ(GetFocus(), edit_);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Sel(other_), std::make_pair(1u, 1u));
    EXPECT_EQ(Sel(edit_), std::make_pair(2u, 4u));
    // Moving the mouse afterwards selects nothing in either.
    POINT point = Boundary(other_, 1);
    HeadlessMouseMove(point.x, point.y);
    HeadlessPump();
    EXPECT_EQ(Sel(other_), std::make_pair(1u, 1u));
    Type("x");
    EXPECT_EQ(Text(edit_), "inxt");
    EXPECT_EQ(Text(other_), "result");
}

TEST_F(Edit, AutoScrollKeepsTheCaretInViewAndTheTextWhole) {
    HWND narrow = MakeEdit(ES_AUTOHSCROLL, 60, 103, 120);
    SetFocus(narrow);
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += "0123456789";
    // The caret stays inside the field at every character.
    for (char c : text) {
        Type(std::string(1, c));
        POINT caret{-1, -1};
        ASSERT_TRUE(GetCaretPos(&caret));
        ASSERT_GT(caret.x, 0);
        ASSERT_LT(caret.x, ClientWidth(narrow));
    }
    ASSERT_GT(Width(narrow, text), ClientWidth(narrow));
    EXPECT_EQ(Text(narrow), text);
    // The end is in view: a click just inside the right edge reaches it, and the start has
    // scrolled out: a click at the left edge does not reach it.
    Click(At(narrow, ClientWidth(narrow) - 1));
    EXPECT_EQ(Sel(narrow).second, text.size());
    Click(At(narrow, 1));
    DWORD leftmost = Sel(narrow).second;
    EXPECT_GT(leftmost, 0u);
    // The characters between fit in the field.
    EXPECT_LE(Width(narrow, text.substr(leftmost)), ClientWidth(narrow));
    // Home brings the start back; End the end again.
    Press(VK_HOME);
    Click(At(narrow, 1));
    EXPECT_EQ(Sel(narrow).second, 0u);
    Press(VK_END);
    Click(At(narrow, ClientWidth(narrow) - 1));
    EXPECT_EQ(Sel(narrow).second, text.size());
    // Dragging out past the left edge scrolls back one character at each move.
    POINT start = At(narrow, 5);
    HeadlessMouseDown(start.x, start.y);
    for (int i = 0; i < (int)text.size(); ++i)
        HeadlessMouseMove(start.x - 20, start.y + (i % 2));
    HeadlessMouseUp(start.x - 20, start.y);
    HeadlessPump();
    EXPECT_EQ(Sel(narrow).first, 0u);
    Click(At(narrow, 1));
    EXPECT_EQ(Sel(narrow).second, 0u);
    EXPECT_EQ(Text(narrow), text);
}

TEST_F(Edit, WithoutAutoScrollTypingStopsAtTheRightEdge) {
    HWND fixed = MakeEdit(0, 60, 103, 120);
    SetFocus(fixed);
    g_notes.clear();
    std::string text(40, 'm');
    Type(text);
    std::string kept = Text(fixed);
    EXPECT_GT(kept.size(), 0u);
    EXPECT_LT(kept.size(), text.size());
    EXPECT_LE(Width(fixed, kept), ClientWidth(fixed) - 2);
    EXPECT_GT(Width(fixed, kept + "m"), ClientWidth(fixed) - 2);
    EXPECT_NE(std::find(g_notes.begin(), g_notes.end(), Command(fixed, EN_MAXTEXT)), g_notes.end());
}

TEST_F(Edit, TextLimit) {
    EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 32766);
    const std::string nearlyFull(32760, 'a');

    struct Case {
        const char* name;
        std::function<void()> input;
        size_t length;
        const char* tail;
    };
    const Case cases[] = {
        {"typing stops at the limit", [] { Type("0123456789"); }, 32766, "012345"},
        {"paste stops at the limit",
         [] {
             SetClipboard("0123456789");
             With(VK_CONTROL, 'V');
         },
         32766, "012345"},
        {"typing at the limit over a selection",
         [] {
             Type("0123456");
             With(VK_SHIFT, VK_LEFT);
             Type("X");
         },
         32766, "01234X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Set(nearlyFull, (int)nearlyFull.size(), (int)nearlyFull.size());
        c.input();
        std::string text = Text();
        EXPECT_EQ(text.size(), c.length);
        EXPECT_EQ(text.substr(text.size() - strlen(c.tail)), c.tail);
        EXPECT_NE(std::find(g_notes.begin(), g_notes.end(), Command(edit_, EN_MAXTEXT)),
                  g_notes.end());
    }

    // A lower limit binds the user, not the program.
    SendMessageA(edit_, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 5);
    Set("abc", 3, 3);
    Type("defg");
    EXPECT_EQ(Text(), "abcde");
    EXPECT_TRUE(SendMessageA(edit_, WM_SETTEXT, 0, (LPARAM) "longer text"));
    EXPECT_EQ(Text(), "longer text");
    SendMessageA(edit_, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 32766);
    SendMessageA(edit_, EM_LIMITTEXT, 100000, 0);
    EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 32766);

    // A program's text beyond what a line holds is cut there, and the call says so.
    const std::string tooLong(40000, 'b');
    EXPECT_FALSE(SendMessageA(edit_, WM_SETTEXT, 0, (LPARAM)tooLong.c_str()));
    EXPECT_EQ(SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0), 32766);
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    Type("c");
    EXPECT_EQ(SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0), 32766);
}

TEST_F(Edit, PaintAsksTheParentForColours) {
    struct Case {
        const char* name;
        DWORD style;
        bool disable;
        UINT expected;
    };
    const Case cases[] = {
        {"writable", ES_AUTOHSCROLL, false, WM_CTLCOLOREDIT},
        {"read-only", ES_AUTOHSCROLL | ES_READONLY, false, WM_CTLCOLORSTATIC},
        {"disabled", ES_AUTOHSCROLL, true, WM_CTLCOLORSTATIC},
    };
    int id = 200;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND edit = MakeEdit(c.style, 100, ++id, 120, "text");
        if (c.disable)
            EnableWindow(edit, FALSE);
        HeadlessPump();
        g_notes.clear();
        InvalidateRect(edit, nullptr, TRUE);
        UpdateWindow(edit);
        EXPECT_EQ(NotesFrom(edit, true),
                  (std::vector<Note>{{c.expected, 0, 0, (LPARAM)edit, true}}));
        DestroyWindow(edit);
    }
    // Turning read-only on and off by message changes the request.
    SendMessageA(edit_, EM_SETREADONLY, TRUE, 0);
    g_notes.clear();
    UpdateWindow(edit_);
    EXPECT_EQ(NotesFrom(edit_, true),
              (std::vector<Note>{{WM_CTLCOLORSTATIC, 0, 0, (LPARAM)edit_, true}}));
    SendMessageA(edit_, EM_SETREADONLY, FALSE, 0);
    g_notes.clear();
    UpdateWindow(edit_);
    EXPECT_EQ(NotesFrom(edit_, true),
              (std::vector<Note>{{WM_CTLCOLOREDIT, 0, 0, (LPARAM)edit_, true}}));
}

TEST_F(Edit, RepaintsWhenItsLookChanges) {
    Set("hello", 0, 0);
    struct Case {
        const char* name;
        std::function<void()> action;
        bool repaint;
    };
    HWND edit = edit_, other = other_;
    HFONT font = font_;
    const Case cases[] = {
        {"WM_SETTEXT", [edit] { SendMessageA(edit, WM_SETTEXT, 0, (LPARAM) "x"); }, true},
        {"a character", [edit] { SendMessageA(edit, WM_CHAR, 'y', 0); }, true},
        {"EM_SETSEL", [edit] { SendMessageA(edit, EM_SETSEL, 0, 1); }, true},
        {"a caret move", [edit] { SendMessageA(edit, WM_KEYDOWN, VK_END, 0); }, true},
        {"losing the focus", [other] { SetFocus(other); }, true},
        {"gaining the focus", [edit] { SetFocus(edit); }, true},
        {"WM_SETFONT without redraw",
         [edit, font] { SendMessageA(edit, WM_SETFONT, (WPARAM)font, FALSE); }, false},
        {"WM_SETFONT with redraw",
         [edit, font] { SendMessageA(edit, WM_SETFONT, (WPARAM)font, TRUE); }, true},
        {"WM_GETTEXT",
         [] {
             char buffer[8];
             SendMessageA(GetFocus(), WM_GETTEXT, 8, (LPARAM)buffer);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessPump();
        ValidateRect(edit_, nullptr);
        c.action();
        EXPECT_EQ(GetUpdateRect(edit_, nullptr, FALSE) != FALSE, c.repaint);
    }
    EXPECT_EQ((HFONT)SendMessageA(edit_, WM_GETFONT, 0, 0), font_);
    EXPECT_EQ(SendMessageA(edit_, WM_GETDLGCODE, 0, 0),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(Edit, CaretSitsAfterTheCharacterBeforeIt) {
    Set("hello", 3, 3);
    POINT caret{-1, -1};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, 1 + Width(edit_, "hel"));
    EXPECT_EQ(caret.y, 0);
    Press(VK_END);
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, 1 + Width(edit_, "hello"));
    // A click into the other field takes the caret there.
    Set(other_, "abc", 0, 0);
    Click(Boundary(other_, 2));
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, 1 + Width(other_, "ab"));
}

TEST_F(Edit, PaintShowsTheSelectionOnlyWhileFocused) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    Set("hello", 1, 3);
    int height = 0;
    {
        HDC dc = GetDC(edit_);
        HGDIOBJ previous = SelectObject(dc, font_);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        height = metrics.tmHeight;
        SelectObject(dc, previous);
        ReleaseDC(edit_, dc);
    }
    RECT client = Client(edit_);
    RECT box{1 + Width(edit_, "h"), 0, 1 + Width(edit_, "hel"), height};
    int inBox = Count(edit_, box, highlight);
    EXPECT_GT(inBox, 0);
    EXPECT_EQ(Count(edit_, client, highlight), inBox) << "highlight outside the selection";
    // Characters drawn over the backgrounds (glyph edges may be blended).
    EXPECT_LT(inBox, Area(box)) << "the el";
    RECT before{1, 0, box.left, height};
    EXPECT_LT(Count(edit_, before, GetSysColor(COLOR_WINDOW)), Area(before)) << "the h";
    EXPECT_EQ(Pixel(edit_, client.right - 2, client.bottom - 2), GetSysColor(COLOR_WINDOW));
    SetFocus(other_);
    HeadlessPump();
    EXPECT_EQ(Count(edit_, client, highlight), 0);
    EXPECT_LT(Count(edit_, box, GetSysColor(COLOR_WINDOW)), Area(box)) << "the el";
}

TEST_F(Edit, PaintFillsWithTheBrushThePartentGives) {
    const COLORREF pale = RGB(255, 255, 100);
    HBRUSH paleBrush = CreateSolidBrush(pale);
    struct Case {
        const char* name;
        bool readOnly;
        HBRUSH brush;
        COLORREF background;
    };
    const Case cases[] = {
        {"default for a writable field", false, nullptr, GetSysColor(COLOR_WINDOW)},
        {"default for a read-only field", true, nullptr, GetSysColor(COLOR_BTNFACE)},
        {"a brush handle", false, paleBrush, pale},
        {"a system colour number", false, (HBRUSH)(COLOR_BTNFACE + 1), GetSysColor(COLOR_BTNFACE)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_parentBrush = c.brush;
        g_parentBackground = c.background;
        SendMessageA(edit_, EM_SETREADONLY, c.readOnly, 0);
        Set("ab", 0, 0);
        UpdateWindow(edit_);
        RECT client = Client(edit_);
        EXPECT_EQ(Pixel(edit_, client.right - 2, client.bottom - 2), c.background);
        EXPECT_EQ(Pixel(edit_, 0, client.bottom - 1), c.background);
        // The characters are drawn on the text background the parent chose.
        RECT text{1, 0, 1 + Width(edit_, "ab"), client.bottom};
        EXPECT_GT(Count(edit_, text, c.background), 0);
        EXPECT_LT(Count(edit_, text, c.background), Area(text));
    }
    g_parentBrush = nullptr;
    DeleteObject(paleBrush);
}

} // namespace
