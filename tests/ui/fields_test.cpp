#include "tests/support/mainwindow.h"

#include "platform/codepage.h"

#include <cmath>

namespace {

class FieldsTest : public MainWindowTest {};

HWND Ring(int index) {
    return g_focusRing[index];
}

TEST_F(FieldsTest, TabAndEnterStepAroundTheFourInputs) {
    const struct {
        int from;
        int key;
        bool shift;
        int to;
    } cases[] = {
        {0, VK_TAB, false, 1},    {1, VK_TAB, false, 2},    {2, VK_TAB, false, 3},
        {3, VK_TAB, false, 0},    {0, VK_TAB, true, 3},     {3, VK_TAB, true, 2},
        {2, VK_RETURN, false, 3}, {3, VK_RETURN, false, 0}, {0, VK_RETURN, true, 3},
        {1, VK_RETURN, true, 0},
    };
    Start();
    for (const auto& c : cases) {
        SetFocus(Ring(c.from));
        HeadlessPump();
        ASSERT_EQ(g_focusIndex, c.from);
        Press(c.key, c.shift);
        EXPECT_EQ(GetFocus(), Ring(c.to)) << c.from << " key " << c.key << " shift " << c.shift;
        EXPECT_EQ(g_focusIndex, c.to);
        EXPECT_EQ(g_lastFocus, Ring(c.to));
        // The field reached has its whole text selected, and nothing was typed into it.
        std::string text = Text(Ring(c.to));
        EXPECT_EQ(Selection(Ring(c.to)), (DWORD)MAKELONG(0, text.size()));
        EXPECT_EQ(text.find_first_of("\t\r"), std::string::npos);
    }
}

TEST_F(FieldsTest, EveryStepReadsAllFourInputsAndRecomputes) {
    Start();
    // Typed but not yet taken in: the design still holds the defaults.
    Retype("7,1");
    SetFocus(g_capunitEdit);
    Retype("30");
    EXPECT_EQ(g_design.frequency, 7.055);
    Press(VK_TAB); // from the capacitance field: all four are read
    EXPECT_EQ(g_design.frequency, 7.0);
    EXPECT_EQ(g_design.capunit, 30.0);
    EXPECT_EQ(Text(g_frequencyEdit), "7,1"); // the text stays as typed

    char expected[NUMBER_TEXT_SIZE];
    TrapResults solved = g_results;
    g_design.frequency = 7.0;
    SolveTrap();
    strcpy(expected, g_results.turns);
    EXPECT_STREQ(solved.turns, expected);
    EXPECT_EQ(Text(g_turnsEdit), expected);

    // A step with nothing changed still recomputes: results typed over come back.
    SetWindowTextA(g_turnsEdit, "x");
    Press(VK_RETURN);
    EXPECT_EQ(Text(g_turnsEdit), expected);
}

TEST_F(FieldsTest, OnlyTheFirst24CharactersCount) {
    Start();
    Retype("123456789012345678901234567");
    Press(VK_TAB);
    EXPECT_EQ(g_design.frequency, 123456789012345678901234.0);
    EXPECT_EQ(Text(g_frequencyEdit), "123456789012345678901234567");
}

TEST_F(FieldsTest, ClicksMoveTheCurrentInputButNotTheLastStep) {
    Start();
    Press(VK_TAB); // to the form diameter: the last step's target
    Click(g_capunitEdit);
    EXPECT_EQ(GetFocus(), g_capunitEdit);
    EXPECT_EQ(g_focusIndex, 3);
    EXPECT_EQ(g_lastFocus, g_formdiamEdit);

    // A click into a result field hands the focus straight back to the current input.
    for (HWND result : {g_turnsEdit, g_reactanceEdit, g_lengthToDiameterEdit}) {
        Click(result);
        EXPECT_EQ(GetFocus(), g_capunitEdit);
        EXPECT_EQ(g_focusIndex, 3);
    }
    // Leaving a field with the mouse does not read it.
    Retype("99");
    Click(g_frequencyEdit);
    EXPECT_EQ(g_design.capunit, 29.667);
}

TEST_F(FieldsTest, LabelsFollowTheUnitSystem) {
    Start();
    const int labels[] = {IDC_FORMDIAM_UNIT,     IDC_COAXDIAM_UNIT,    IDC_CAPUNIT_UNIT,
                          IDC_COILLENGTH_UNIT,   IDC_CABLELENGTH_UNIT, IDC_LENGTHINFLUENCE_UNIT,
                          IDC_TURNINFLUENCE_UNIT};
    const char* imperial[] = {"inches", "inches",   "pF/foot", "inches",
                              "inches", "kHz/inch", "kHz/inch"};
    const char* metric[] = {"cm", "cm", "pF/m", "cm", "cm", "kHz/cm", "kHz/cm"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Text(GetDlgItem(main_, labels[i])), imperial[i]);
    SetMetricLabels(main_);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Text(GetDlgItem(main_, labels[i])), metric[i]);
    EXPECT_EQ(AnsiToUtf8(Text(GetDlgItem(main_, IDC_INDUCTANCE_UNIT))), "мкГн")
        << "fixed labels stay";
}

TEST_F(FieldsTest, InputsOfAnySizeAreShownInFull) {
    Start();
    g_design.formdiam = -1e300;
    ShowInputs();
    std::string text = Text(g_formdiamEdit);
    EXPECT_EQ(text.size(), 306u);
    EXPECT_EQ(text.substr(text.size() - 4), ".000");
    EXPECT_EQ(Text(g_frequencyEdit), "7.055");
}

const char kTable[] = "(own values)\t29.667\t0.195\n"
                      "RG-58\t29.667\t0.195\n"
                      "Four decimals\t30\t0.1945\n";

TEST_F(FieldsTest, TheCableListFallsBackWhenTheCableValuesChange) {
    const struct {
        const char* name;
        bool metric;
        int row;
        int field; // 0: none changed, else the ring index changed before the step
        const char* typed;
        int selectedAfter;
    } cases[] = {
        {"imperial, untouched", false, 1, 0, "", 1},
        {"metric, untouched: the rounded columns match", true, 1, 0, "", 1},
        {"imperial, diameter changed", false, 1, 2, "0.2", 0},
        {"metric, capacitance changed", true, 1, 3, "97", 0},
        {"form diameter changed only", false, 1, 1, "2", 1},
        {"four decimals fall back at the first step", false, 2, 0, "", 0},
        {"the same value typed again keeps it", false, 1, 2, "0.195", 1},
    };
    for (const auto& c : cases) {
        BuildWindow();
        g_design.metric = c.metric;
        Start(kTable);
        SendMessageA(g_cableList, CB_SETCURSEL, c.row, 0);
        ApplyCable(c.row);
        if (c.field != 0) {
            SetFocus(Ring(c.field));
            Retype(c.typed);
        }
        Press(VK_TAB);
        EXPECT_EQ(SendMessageA(g_cableList, CB_GETCURSEL, 0, 0), c.selectedAfter) << c.name;
        EXPECT_EQ(g_design.selectedCable, c.row) << c.name << ": the applied row is kept";
    }
}

TEST_F(FieldsTest, TypingTheCableValuesBackDoesNotSelectItAgain) {
    Start(kTable);
    SendMessageA(g_cableList, CB_SETCURSEL, 1, 0);
    ApplyCable(1);
    SetFocus(g_coaxdiamEdit);
    Retype("0.3");
    Press(VK_TAB);
    ASSERT_EQ(SendMessageA(g_cableList, CB_GETCURSEL, 0, 0), 0);
    SetFocus(g_coaxdiamEdit);
    Retype("0.195");
    Press(VK_TAB);
    EXPECT_EQ(SendMessageA(g_cableList, CB_GETCURSEL, 0, 0), 0);
}

} // namespace
