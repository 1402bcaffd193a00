#include "tests/support/mainwindow.h"

#include "platform/winhelp_log.h"

namespace {

class MainWndTest : public MainWindowTest {};

TEST_F(MainWndTest, ColoursOnlyTheResultFields) {
    Start();
    HDC dc = GetDC(main_);
    const struct {
        HWND control;
        UINT message;
        bool highlighted;
    } cases[] = {
        {g_frequencyEdit, WM_CTLCOLOREDIT, false}, {g_capunitEdit, WM_CTLCOLOREDIT, false},
        {g_cableList, WM_CTLCOLOREDIT, false},     {g_turnsEdit, WM_CTLCOLOREDIT, true},
        {g_reactanceEdit, WM_CTLCOLOREDIT, true},  {g_turnInfluenceEdit, WM_CTLCOLOREDIT, true},
    };
    for (const auto& c : cases) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        LRESULT brush = SendMessageA(main_, c.message, (WPARAM)dc, (LPARAM)c.control);
        if (c.highlighted) {
            EXPECT_EQ(brush, (LRESULT)g_highlightBrush);
            EXPECT_EQ(GetTextColor(dc), 0u);
            EXPECT_EQ(GetBkColor(dc), HIGHLIGHT_COLOR);
        } else {
            EXPECT_EQ(brush, (LRESULT)GetSysColorBrush(COLOR_WINDOW));
            EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
            EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
        }
    }
    // Statics get the button-face value 16 and keep the DC's colours.
    SetTextColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageA(main_, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)g_titleStatic), 16);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    ReleaseDC(main_, dc);
}

TEST_F(MainWndTest, ASelectionChangeWithoutACurrentItemChangesNothing) {
    Start("(own values)\t0\t0\nRG-58\t30\t0.2\n");
    strcpy(g_design.coaxchoice, "before");
    SendMessageA(g_cableList, CB_SETCURSEL, (WPARAM)-1, 0);
    TrapDesign before = g_design;
    EXPECT_EQ(SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_CABLECHOICE, CBN_SELCHANGE),
                           (LPARAM)g_cableList),
              0);
    EXPECT_EQ(memcmp(&before, &g_design, sizeof before), 0);
}

TEST_F(MainWndTest, ChoosingACableAppliesItAndRewritesTheCableFields) {
    Start("(own values)\t0\t0\nRG-58\t30\t0.2\n");
    SetFocus(g_formdiamEdit);
    SetFocus(g_coaxdiamEdit);
    Retype("5");
    SendMessageA(g_cableList, CB_SETCURSEL, 1, 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_CABLECHOICE, CBN_SELCHANGE),
                 (LPARAM)g_cableList);
    HeadlessPump();
    EXPECT_STREQ(g_design.coaxchoice, "RG-58");
    EXPECT_EQ(g_design.selectedCable, 1);
    EXPECT_EQ(Text(g_coaxdiamEdit), "0.200");
    EXPECT_EQ(Text(g_capunitEdit), "30.000");
    EXPECT_EQ(GetFocus(), g_coaxdiamEdit) << "the current input gets the focus back";

    // Row 0 records its name and rewrites the two fields from the design, applying nothing.
    SetFocus(g_capunitEdit);
    Retype("12");
    SendMessageA(g_cableList, CB_SETCURSEL, 0, 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_CABLECHOICE, CBN_SELCHANGE),
                 (LPARAM)g_cableList);
    EXPECT_STREQ(g_design.coaxchoice, "(own values)");
    EXPECT_EQ(g_design.selectedCable, 1);
    EXPECT_EQ(Text(g_capunitEdit), "30.000");
}

TEST_F(MainWndTest, UnitCommandsSwitchOnlyWhenNeeded) {
    Start();
    Press(VK_TAB); // the last step reached the form diameter
    Click(g_capunitEdit);
    SendMessageA(main_, WM_COMMAND, IDC_IMPERIAL, 0); // already imperial: nothing
    EXPECT_EQ(GetFocus(), g_capunitEdit);
    EXPECT_EQ(Text(GetDlgItem(main_, IDC_CAPUNIT_UNIT)), "pF/foot");

    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_METRIC, 77), 12345);
    EXPECT_TRUE(g_design.metric);
    EXPECT_EQ(Text(GetDlgItem(main_, IDC_CAPUNIT_UNIT)), "pF/m");
    EXPECT_EQ(Text(g_formdiamEdit), "4.128"); // 1.625 x 2.54 = 4.1275, shown rounded
    EXPECT_EQ(Text(g_coilLengthEdit), "5.33");
    EXPECT_EQ(GetFocus(), g_formdiamEdit) << "the focus goes to the last step's input";

    SendMessageA(main_, WM_COMMAND, IDC_IMPERIAL, 0);
    EXPECT_FALSE(g_design.metric);
    EXPECT_EQ(Text(g_coaxdiamEdit), "0.195");
    EXPECT_EQ(Text(g_coilLengthEdit), "2.10");
}

TEST_F(MainWndTest, HelpExitAndDestructionTalkToTheHelpEngine) {
    Start();
    ClearWinHelpCalls();
    SendMessageA(main_, WM_COMMAND, IDC_HELPCMD, 0);
    ASSERT_EQ(WinHelpCalls().size(), 1u);
    EXPECT_EQ(WinHelpCalls()[0].helpFile, "trap.hlp");
    EXPECT_EQ(WinHelpCalls()[0].command, (UINT)HELP_CONTEXT);
    EXPECT_EQ(WinHelpCalls()[0].data, 1u);

    SendMessageA(main_, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(IsWindow(main_)) << "Exit posts the close request";
    int exitCode = -1;
    EXPECT_TRUE(HeadlessPump(&exitCode));
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(WinHelpCalls().size(), 2u);
    EXPECT_EQ(WinHelpCalls()[1].command, (UINT)HELP_QUIT);
    EXPECT_FALSE(Exists("Quorvin.ini")) << "no cable chosen, nothing saved";
}

} // namespace
