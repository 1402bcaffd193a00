// The desktop display's translation of SDL's events, checked without a desktop: the keys
// and typed text go through the real window manager, so that what it makes of them (the
// characters of the key messages) is checked along with what the display sends.
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_text.h"
#include "platform/sdl/sdl_video.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// ---- Building SDL events --------------------------------------------------------------

SDL_Event Key(Uint32 type, SDL_Scancode code, SDL_Keycode sym = SDLK_UNKNOWN, Uint16 mod = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = code;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return event;
}
SDL_Event Down(SDL_Scancode code, SDL_Keycode sym = SDLK_UNKNOWN, Uint16 mod = 0) {
    return Key(SDL_KEYDOWN, code, sym, mod);
}
SDL_Event Up(SDL_Scancode code, SDL_Keycode sym = SDLK_UNKNOWN, Uint16 mod = 0) {
    return Key(SDL_KEYUP, code, sym, mod);
}
SDL_Event Text(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, utf8, sizeof event.text.text);
    return event;
}
SDL_Event WindowEvent(Uint32 windowId, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = windowId;
    event.window.event = what;
    return event;
}

// ---- The desktop as the translation sees it ---------------------------------------------

constexpr Uint32 MainId = 7, PopupId = 8, ForeignId = 9;
const HWND MainWindow = reinterpret_cast<HWND>(0x100);
const HWND PopupWindow = reinterpret_cast<HWND>(0x200);

struct FakeDesktop : SdlWindowLookup {
    HWND WindowFor(Uint32 id) const override {
        return id == MainId ? MainWindow : id == PopupId ? PopupWindow : nullptr;
    }
    POINT ClientOrigin(HWND window) const override {
        return window == MainWindow ? POINT{3, 22} : POINT{100, 300};
    }
    bool TakesActivation(HWND window) const override { return window == MainWindow; }
    bool DesktopMinimized(HWND, bool now) override {
        bool news = now != minimized;
        minimized = now;
        return news;
    }
    bool minimized = false;
};

struct ListedEvents : SdlEventSource {
    explicit ListedEvents(const std::vector<SDL_Event>& list) : events(list) {}
    bool Peek(SDL_Event& event) override {
        if (next >= events.size())
            return false;
        event = events[next];
        return true;
    }
    void Drop() override { ++next; }
    const std::vector<SDL_Event>& events;
    size_t next = 0;
};

std::deque<DisplayEvent> Translate(SdlInput& input, const std::vector<SDL_Event>& events,
                                   FakeDesktop desktop = FakeDesktop()) {
    std::deque<DisplayEvent> out;
    ListedEvents source(events);
    while (source.next < events.size()) {
        SDL_Event event = events[source.next++];
        input.Translate(event, source, desktop, out);
    }
    return out;
}

// ---- Keys and text through the window manager ------------------------------------------

class FedDisplay : public Display {
  public:
    DisplayMetrics Metrics() const override { return DisplayMetrics{}; }
    bool NextEvent(DisplayEvent& event, bool) override {
        if (events.empty())
            return false;
        event = events.front();
        events.pop_front();
        return true;
    }
    bool ClipboardText(std::string&) const override { return false; }
    void SetClipboardText(const std::string*) override {}
    std::deque<DisplayEvent> events;
};

struct Received {
    std::string characters; // WM_CHAR
    std::vector<int> keys;  // WM_KEYDOWN
};
Received received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR)
        received.characters += (char)wParam;
    else if (message == WM_KEYDOWN)
        received.keys.push_back((int)wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class TypingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDisplay(&display);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "SdlTypingTest";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "SdlTypingTest", "", WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        SetFocus(window);
        received = Received{};
    }
    void TearDown() override {
        DestroyWindow(window);
        UnregisterClassA("SdlTypingTest", nullptr);
        InstallDisplay(nullptr);
    }
    // What the focus window receives from the events, taken as a message loop takes them.
    Received Type(const std::vector<SDL_Event>& events) {
        std::deque<DisplayEvent> translated = Translate(input, events);
        display.events.insert(display.events.end(), translated.begin(), translated.end());
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return received;
    }

    FedDisplay display;
    SdlInput input;
    HWND window = nullptr;
};

struct TypingCase {
    const char* what;
    std::vector<SDL_Event> events;
    std::string characters;
    std::vector<int> keys;
};

TEST_F(TypingTest, EveryCharacterArrivesOnceWhateverTheLayout) {
    const SDL_Scancode A = SDL_SCANCODE_A, Q = SDL_SCANCODE_Q, Shift = SDL_SCANCODE_LSHIFT;
    const TypingCase cases[] = {
        {"a plain letter", {Down(A), Text("a"), Up(A)}, "a", {'A'}},
        {"Shift and a letter",
         {Down(Shift), Down(A), Text("A"), Up(A), Up(Shift)},
         "A",
         {VK_SHIFT, 'A'}},
        {"Shift and a digit", {Down(Shift), Down(SDL_SCANCODE_1), Text("!")}, "!", {VK_SHIFT, '1'}},
        {"a held key repeating", {Down(A), Text("a"), Down(A), Text("a"), Up(A)}, "aa", {'A', 'A'}},
        {"digits and the point",
         {Down(SDL_SCANCODE_1), Text("1"), Up(SDL_SCANCODE_1), Down(SDL_SCANCODE_PERIOD), Text("."),
          Up(SDL_SCANCODE_PERIOD)},
         "1.",
         {'1', VK_OEM_PERIOD}},
        {"the space bar",
         {Down(SDL_SCANCODE_SPACE), Text(" "), Up(SDL_SCANCODE_SPACE)},
         " ",
         {VK_SPACE}},
        {"a Cyrillic layout", {Down(A), Text("ф"), Up(A)}, "\xF4", {}},
        {"a Cyrillic layout's point on the slash key",
         {Down(SDL_SCANCODE_SLASH), Text("."), Up(SDL_SCANCODE_SLASH)},
         ".",
         {}},
        {"a character the code page lacks", {Down(A), Text("\xE3\x82\x83"), Up(A)}, "", {}},
        {"AltGr choosing a character",
         {Down(SDL_SCANCODE_RALT, SDLK_MODE), Down(Q), Text("@"), Up(Q),
          Up(SDL_SCANCODE_RALT, SDLK_MODE)},
         "@",
         {}},
        {"a dead key, then the letter it makes",
         {Down(SDL_SCANCODE_GRAVE), Up(SDL_SCANCODE_GRAVE), Down(SDL_SCANCODE_E), Text("ё")},
         "\xB8",
         {}},
        {"an input method's text on its own", {Text("МГц")}, "\xCC\xC3\xF6", {}},
        {"Ctrl+C",
         {Down(SDL_SCANCODE_LCTRL), Down(SDL_SCANCODE_C), Up(SDL_SCANCODE_C),
          Up(SDL_SCANCODE_LCTRL)},
         "\x03",
         {VK_CONTROL, 'C'}},
        {"Ctrl+V on a Cyrillic layout",
         {Down(SDL_SCANCODE_RCTRL), Down(SDL_SCANCODE_V), Up(SDL_SCANCODE_V),
          Up(SDL_SCANCODE_RCTRL)},
         "\x16",
         {VK_CONTROL, 'V'}},
        {"Alt and a letter, which the desktop also types",
         {Down(SDL_SCANCODE_LALT), Down(A), Text("a"), Up(A), Up(SDL_SCANCODE_LALT)},
         "",
         {}},
        {"Enter, Tab, Backspace and Escape",
         {Down(SDL_SCANCODE_RETURN), Up(SDL_SCANCODE_RETURN), Down(SDL_SCANCODE_TAB),
          Up(SDL_SCANCODE_TAB), Down(SDL_SCANCODE_BACKSPACE), Up(SDL_SCANCODE_BACKSPACE),
          Down(SDL_SCANCODE_ESCAPE), Up(SDL_SCANCODE_ESCAPE)},
         "\r\t\b\x1B",
         {VK_RETURN, VK_TAB, VK_BACK, VK_ESCAPE}},
        {"the keypad with Num Lock",
         {Down(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM), Text("7"),
          Up(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM)},
         "7",
         {VK_NUMPAD7}},
        {"the keypad without Num Lock",
         {Down(SDL_SCANCODE_KP_7), Up(SDL_SCANCODE_KP_7), Down(SDL_SCANCODE_KP_PERIOD)},
         "",
         {VK_HOME, VK_DELETE}},
        {"arrows and function keys",
         {Down(SDL_SCANCODE_LEFT), Down(SDL_SCANCODE_PAGEDOWN), Down(SDL_SCANCODE_F1),
          Down(SDL_SCANCODE_F12)},
         "",
         {VK_LEFT, VK_NEXT, VK_F1, VK_F1 + 11}},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.what);
        received = Received{};
        Received got = Type(c.events);
        EXPECT_EQ(got.characters, c.characters);
        EXPECT_EQ(got.keys, c.keys);
        // Whatever the case left down goes up again before the next.
        std::vector<SDL_Event> releases;
        for (const SDL_Event& event : c.events) {
            if (event.type == SDL_KEYDOWN)
                releases.push_back(Key(SDL_KEYUP, event.key.keysym.scancode, event.key.keysym.sym,
                                       event.key.keysym.mod));
        }
        Type(releases);
    }
}

TEST(SdlInputKeys, AKeyReleasedAfterNumLockChangedReleasesWhatWasPressed) {
    SdlInput input;
    std::deque<DisplayEvent> out = Translate(
        input, {Down(SDL_SCANCODE_KP_4, SDLK_KP_4, KMOD_NUM), Text("4"), Up(SDL_SCANCODE_KP_4)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].type, DisplayEventType::KeyUp);
    EXPECT_EQ(out[1].key, VK_NUMPAD4);
}

// ---- The mouse and the windows --------------------------------------------------------

TEST(SdlInputMouse, PointsAreOnTheScreenAndDoubleClicksAreCounted) {
    SdlInput input;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = MainId;
    motion.motion.x = 10;
    motion.motion.y = 5;
    SDL_Event popupMotion = motion;
    popupMotion.motion.windowID = PopupId;
    SDL_Event foreign = motion;
    foreign.motion.windowID = ForeignId;
    auto click = [](Uint32 type, Uint8 button, Uint8 clicks) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = MainId;
        event.button.button = button;
        event.button.clicks = clicks;
        event.button.x = 40;
        event.button.y = 60;
        return event;
    };
    std::deque<DisplayEvent> out =
        Translate(input, {motion, popupMotion, foreign, click(SDL_MOUSEBUTTONDOWN, 1, 1),
                          click(SDL_MOUSEBUTTONUP, 1, 1), click(SDL_MOUSEBUTTONDOWN, 1, 2),
                          click(SDL_MOUSEBUTTONDOWN, 1, 3), click(SDL_MOUSEBUTTONDOWN, 3, 4),
                          click(SDL_MOUSEBUTTONDOWN, 4, 1)});
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[0].type, DisplayEventType::MouseMove);
    EXPECT_EQ(out[0].point.x, 13);
    EXPECT_EQ(out[0].point.y, 27);
    EXPECT_EQ(out[1].point.x, 110);
    EXPECT_EQ(out[1].point.y, 305);
    EXPECT_EQ(out[2].type, DisplayEventType::ButtonDown);
    EXPECT_EQ(out[2].point.x, 43);
    EXPECT_EQ(out[2].point.y, 82);
    EXPECT_EQ(out[2].clicks, 1);
    EXPECT_EQ(out[3].type, DisplayEventType::ButtonUp);
    EXPECT_EQ(out[4].clicks, 2);
    EXPECT_EQ(out[5].clicks, 1);
    EXPECT_EQ(out[6].button, MouseButton::Right);
    EXPECT_EQ(out[6].clicks, 2);
}

TEST(SdlInputMouse, TheWheelTurnsAwayFromTheUserWhateverTheDesktopsDirection) {
    SdlInput input;
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = MainId;
    wheel.wheel.y = 2;
    wheel.wheel.mouseX = 5;
    wheel.wheel.mouseY = 6;
    SDL_Event flipped = wheel;
    flipped.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    SDL_Event sideways = wheel;
    sideways.wheel.y = 0;
    sideways.wheel.x = 1;
    std::deque<DisplayEvent> out = Translate(input, {wheel, flipped, sideways});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].type, DisplayEventType::Wheel);
    EXPECT_EQ(out[0].wheelDelta, 2 * WHEEL_DELTA);
    EXPECT_EQ(out[0].point.x, 8);
    EXPECT_EQ(out[0].point.y, 28);
    EXPECT_EQ(out[1].wheelDelta, -2 * WHEEL_DELTA);
}

TEST(SdlInputWindows, TheUsersRequestsBecomeTheWindowsEvents) {
    struct Case {
        const char* what;
        std::vector<SDL_Event> events;
        bool minimized;
        std::vector<DisplayEventType> expected;
    };
    using T = DisplayEventType;
    const Case cases[] = {
        {"focus gained", {WindowEvent(MainId, SDL_WINDOWEVENT_FOCUS_GAINED)}, false, {T::Activate}},
        {"a pop-up is never activated",
         {WindowEvent(PopupId, SDL_WINDOWEVENT_FOCUS_GAINED)},
         false,
         {}},
        {"focus lost to another program",
         {WindowEvent(MainId, SDL_WINDOWEVENT_FOCUS_LOST)},
         false,
         {T::Deactivate}},
        {"focus passed to a window of the program",
         {WindowEvent(MainId, SDL_WINDOWEVENT_FOCUS_LOST),
          WindowEvent(PopupId, SDL_WINDOWEVENT_FOCUS_GAINED)},
         false,
         {}},
        {"the close box", {WindowEvent(MainId, SDL_WINDOWEVENT_CLOSE)}, false, {T::Close}},
        {"minimised by the user",
         {WindowEvent(MainId, SDL_WINDOWEVENT_MINIMIZED)},
         false,
         {T::Minimize}},
        {"minimised by the program", {WindowEvent(MainId, SDL_WINDOWEVENT_MINIMIZED)}, true, {}},
        {"restored by the user",
         {WindowEvent(MainId, SDL_WINDOWEVENT_RESTORED)},
         true,
         {T::Restore}},
        {"restored by the program", {WindowEvent(MainId, SDL_WINDOWEVENT_RESTORED)}, false, {}},
        {"a window not the program's", {WindowEvent(ForeignId, SDL_WINDOWEVENT_CLOSE)}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SdlInput input;
        FakeDesktop desktop;
        desktop.minimized = c.minimized;
        std::vector<DisplayEventType> got;
        for (const DisplayEvent& event : Translate(input, c.events, desktop)) {
            got.push_back(event.type);
            EXPECT_EQ(event.window, MainWindow);
        }
        EXPECT_EQ(got, c.expected);
    }
}

// ---- Text, icons, the resolution ------------------------------------------------------

TEST(SdlText, TypedTextKeepsWhatTheCodePageHolds) {
    const struct {
        const char* utf8;
        const char* expected;
    } cases[] = {
        {"14.1", "14.1"},
        {"ёЁ€№", "\xB8\xA8\x88\xB9"},
        {"a\xF0\x9F\x98\x80z", "az"}, // an emoji
        {"a\x80z\xC3", "az"},         // a stray continuation byte, a cut sequence
        {"\xC0\xAF", ""},             // an overlong slash
        {"?", "?"},                   // a question mark is one
        {"\t\x7F", ""},               // control characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypedCharacters(c.utf8), c.expected) << c.utf8;
}

// A 32 x 32 icon of 4 bits per pixel: blue (palette 12) everywhere but the top left
// pixel, red (palette 9); the top row transparent from x = 16 on.
std::vector<BYTE> SampleIcon() {
    std::vector<BYTE> image(744, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            image[at + i] = (BYTE)(value >> (8 * i));
    };
    put32(0, 40);
    put32(4, 32);
    put32(8, 64);
    image[12] = 1;
    image[14] = 4;
    const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                  0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                  0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) {
        image[40 + 4 * i] = (BYTE)palette[i];             // blue
        image[40 + 4 * i + 1] = (BYTE)(palette[i] >> 8);  // green
        image[40 + 4 * i + 2] = (BYTE)(palette[i] >> 16); // red
    }
    for (size_t i = 104; i < 104 + 512; ++i)
        image[i] = 0xCC;
    image[104 + 31 * 16] = 0x9C; // the top row is stored last
    image[616 + 31 * 4 + 2] = 0xFF;
    image[616 + 31 * 4 + 3] = 0xFF;
    return image;
}

TEST(SdlIcon, TheImageIsReadTopDownWithTheMaskAsTransparency) {
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(DecodeIconImage(SampleIcon(), 32, 32, pixels));
    ASSERT_EQ(pixels.size(), 32u * 32u);
    EXPECT_EQ(pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels[1], 0xFF0000FFu);
    EXPECT_EQ(pixels[15], 0xFF0000FFu);
    EXPECT_EQ(pixels[16], 0u);
    EXPECT_EQ(pixels[31], 0u);
    EXPECT_EQ(pixels[32], 0xFF0000FFu);
    EXPECT_EQ(pixels[32 * 32 - 1], 0xFF0000FFu);
}

TEST(SdlIcon, AnImageNotOfItsStatedFormIsRefused) {
    std::vector<uint32_t> pixels;
    std::vector<BYTE> cut = SampleIcon();
    cut.resize(743);
    EXPECT_FALSE(DecodeIconImage(cut, 32, 32, pixels));
    EXPECT_FALSE(DecodeIconImage(SampleIcon(), 16, 16, pixels)); // not the size it says
    std::vector<BYTE> compressed = SampleIcon();
    compressed[16] = 2;
    EXPECT_FALSE(DecodeIconImage(compressed, 32, 32, pixels));
    std::vector<BYTE> longHeader = SampleIcon();
    longHeader[1] = 0x10; // a header of 4136 bytes, longer than the image
    EXPECT_FALSE(DecodeIconImage(longHeader, 32, 32, pixels));
    std::vector<BYTE> bigPalette = SampleIcon();
    bigPalette[32] = 200; // more colours than 4 bits can choose
    EXPECT_FALSE(DecodeIconImage(bigPalette, 32, 32, pixels));
    EXPECT_FALSE(DecodeIconImage({}, 32, 32, pixels));
}

TEST(SdlVideo, TheXftResolutionIsReadFromTheResourceString) {
    const struct {
        const char* resources;
        int dpi;
    } cases[] = {
        {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 144},
        {"Xft.dpi: 120.5", 121},
        {"Xft.dpi:\t96\nXft.dpi:\t192\n", 192},
        {"*dpi:\t144\nXft.dpiX:\t144\n", 0},
        {"Xft.dpi:\tlarge\n", 0},
        {"Xft.dpi:\t99999999999999999999\n", 0},
        {"", 0},
        {nullptr, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XftDpiFrom(c.resources), c.dpi) << (c.resources ? c.resources : "(none)");
}

} // namespace
