// Keys to characters through TranslateMessage, and the key state as the thread takes its
// input.
#include "platform/headless/headless.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KeyRecord {
    UINT message;
    WPARAM wParam;
    bool shiftDown; // GetKeyState as the message was handled
    bool controlDown;
};

std::vector<KeyRecord> g_keys;

LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        g_keys.push_back({message, wParam, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0});
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessageKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_keys.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = KeyProc;
        wc.lpszClassName = "Keys";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        window_ = CreateWindowExA(0, "Keys", "k", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        SetFocus(window_);
    }
    void TearDown() override { HeadlessReset(); }

    // The characters that pressing key with the modifiers gives.
    std::vector<WPARAM> Characters(int key, const std::vector<int>& modifiers) {
        g_keys.clear();
        for (int modifier : modifiers)
            HeadlessKeyDown(modifier);
        HeadlessKeyPress(key);
        for (int modifier : modifiers)
            HeadlessKeyUp(modifier);
        EXPECT_FALSE(HeadlessPump());
        std::vector<WPARAM> characters;
        for (const KeyRecord& r : g_keys)
            if (r.message == WM_CHAR)
                characters.push_back(r.wParam);
        return characters;
    }

    HWND window_ = nullptr;
};

TEST_F(MessageKeys, TranslateMessageFollowsTheKeyTable) {
    const std::vector<int> none, shift{VK_SHIFT}, control{VK_CONTROL};
    struct Case {
        int key;
        std::vector<int> modifiers;
        std::vector<WPARAM> characters;
    } cases[] = {
        {VK_TAB, none, {9}},          {VK_TAB, shift, {9}},        {VK_TAB, control, {}},
        {VK_RETURN, none, {13}},      {VK_RETURN, shift, {13}},    {VK_RETURN, control, {10}},
        {VK_BACK, none, {8}},         {VK_BACK, shift, {8}},       {VK_BACK, control, {0x7F}},
        {VK_ESCAPE, none, {27}},      {VK_ESCAPE, shift, {27}},    {VK_ESCAPE, control, {27}},
        {VK_LEFT, none, {}},          {VK_UP, shift, {}},          {VK_HOME, control, {}},
        {VK_END, none, {}},           {VK_DELETE, none, {}},       {VK_F4, none, {}},
        {VK_SHIFT, none, {}},         {'A', none, {'a'}},          {'A', shift, {'A'}},
        {'A', control, {1}},          {'C', control, {3}},         {'V', control, {22}},
        {'X', control, {24}},         {'Z', control, {26}},        {'7', none, {'7'}},
        {'7', shift, {'&'}},          {'0', shift, {')'}},         {VK_SPACE, none, {' '}},
        {VK_OEM_PERIOD, none, {'.'}}, {VK_OEM_COMMA, none, {','}}, {VK_OEM_MINUS, none, {'-'}},
        {VK_OEM_PLUS, shift, {'+'}},  {VK_DECIMAL, none, {'.'}},   {VK_NUMPAD5, none, {'5'}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Characters(c.key, c.modifiers), c.characters)
            << "key " << c.key << " with " << c.modifiers.size() << " modifier(s)";
}

TEST_F(MessageKeys, CharacterArrivesAfterItsKeyDownWithTheKeyStateOfThatMoment) {
    HeadlessKeyDown(VK_SHIFT);
    HeadlessKeyPress(VK_TAB);
    HeadlessKeyUp(VK_SHIFT);
    HeadlessKeyDown(VK_CONTROL);
    HeadlessKeyPress('A');
    HeadlessKeyUp(VK_CONTROL);
    HeadlessKeyPress(VK_RETURN);
    EXPECT_FALSE(HeadlessPump());

    struct Expected {
        UINT message;
        WPARAM wParam;
        bool shift, control;
    } expected[] = {
        {WM_KEYDOWN, VK_SHIFT, true, false},
        {WM_KEYDOWN, VK_TAB, true, false},
        {WM_CHAR, 9, true, false},
        {WM_KEYUP, VK_TAB, true, false},
        {WM_KEYUP, VK_SHIFT, false, false},
        {WM_KEYDOWN, VK_CONTROL, false, true},
        {WM_KEYDOWN, 'A', false, true},
        {WM_CHAR, 1, false, true},
        {WM_KEYUP, 'A', false, true},
        {WM_KEYUP, VK_CONTROL, false, false},
        {WM_KEYDOWN, VK_RETURN, false, false},
        {WM_CHAR, 13, false, false},
        {WM_KEYUP, VK_RETURN, false, false},
    };
    ASSERT_EQ(g_keys.size(), std::size(expected));
    for (size_t i = 0; i < g_keys.size(); ++i) {
        EXPECT_EQ(g_keys[i].message, expected[i].message) << i;
        EXPECT_EQ(g_keys[i].wParam, expected[i].wParam) << i;
        EXPECT_EQ(g_keys[i].shiftDown, expected[i].shift) << i;
        EXPECT_EQ(g_keys[i].controlDown, expected[i].control) << i;
    }
}

TEST_F(MessageKeys, KeyStateChangesAsTheInputIsTakenNotAsItArrives) {
    HeadlessKeyDown(VK_SHIFT);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "still in the queue";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "looked at, not taken";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    HeadlessKeyUp(VK_SHIFT);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(0x1000), 0);
}

TEST_F(MessageKeys, TranslateMessageAnswersForEveryKeyMessageOnly) {
    MSG keyUp{window_, WM_KEYUP, VK_LEFT, 0, 0, {0, 0}};
    MSG keyDown{window_, WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
    MSG other{window_, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&keyUp));
    EXPECT_TRUE(TranslateMessage(&keyDown));
    EXPECT_FALSE(TranslateMessage(&other));
    EXPECT_FALSE(TranslateMessage(nullptr));
}

TEST_F(MessageKeys, TypedCharactersGoToTheFocusWindow) {
    HeadlessTypeText("7,1\xe9"); // the last one is a Cyrillic letter in the code page
    EXPECT_FALSE(HeadlessPump());
    std::string typed;
    for (const KeyRecord& r : g_keys)
        if (r.message == WM_CHAR)
            typed.push_back((char)r.wParam);
    EXPECT_EQ(typed, "7,1\xe9");
}

TEST_F(MessageKeys, AltMakesSystemKeysAndAltF4Closes) {
    HeadlessKeyDown(VK_MENU);
    HeadlessKeyPress(VK_F4);
    HeadlessKeyUp(VK_MENU);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_GE(g_keys.size(), 2u);
    EXPECT_EQ(g_keys[0].message, (UINT)WM_SYSKEYDOWN);
    EXPECT_EQ(g_keys[1].message, (UINT)WM_SYSKEYDOWN);
    EXPECT_EQ(g_keys[1].wParam, (WPARAM)VK_F4);
    EXPECT_FALSE(IsWindow(window_)) << "Alt+F4 asked the window to close";
}

TEST_F(MessageKeys, WithoutAFocusKeysGoToTheActiveWindowAsSystemKeys) {
    SetFocus(nullptr);
    ASSERT_EQ(GetActiveWindow(), window_);
    HeadlessKeyPress('Q');
    EXPECT_FALSE(HeadlessPump());
    ASSERT_EQ(g_keys.size(), 3u);
    EXPECT_EQ(g_keys[0].message, (UINT)WM_SYSKEYDOWN);
    EXPECT_EQ(g_keys[1].message, (UINT)WM_SYSCHAR);
    EXPECT_EQ(g_keys[2].message, (UINT)WM_SYSKEYUP);
}

} // namespace
