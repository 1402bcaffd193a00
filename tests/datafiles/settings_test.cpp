#include "calc/design.h"
#include "calc/numtext.h"
#include "datafiles/settings.h"
#include "tests/support/tempdir.h"

#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

class SettingsTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        memset(&g_design, 0, sizeof g_design);
        StoreDefaultDesign();
    }
};

struct LoadCase {
    const char* name;
    const char* file;
    double frequency, formdiam, coaxdiam, capunit;
    bool metric;
    const char* coaxchoice;
};

TEST_F(SettingsTest, ReadsTheForgivingGrammar) {
    const LoadCase cases[] = {
        {"all six",
         "coaxchoice\tRG-58\nfrequency\t14.1\nformdiam\t2\ncoaxdiam\t0.2\n"
         "capunit\t30\nmetric\tyes\n",
         14.1, 2, 0.2, 30, true, "RG-58"},
        {"CR LF lines", "frequency\t14.1\r\nmetric\tyes\r\n", 14.1, 1.625, 0.195, 29.667, true, ""},
        {"keys in any case", "FREQUENCY\t7.1\nCoaxChoice\tx\n", 7.1, 1.625, 0.195, 29.667, false,
         "x"},
        {"a blank for the tab", "frequency 7.1\n", 7.1, 1.625, 0.195, 29.667, false, ""},
        {"two blanks keep one in the value", "coaxchoice  RG 58\nfrequency  7.2\n", 7.2, 1.625,
         0.195, 29.667, false, " RG 58"},
        {"two tabs", "frequency\t\t7.3\n", 7.3, 1.625, 0.195, 29.667, false, ""},
        {"leading blanks and tabs", " \t frequency\t7.4\n", 7.4, 1.625, 0.195, 29.667, false, ""},
        {"a key alone", "frequency\nfrequency\t \t\n", 7.055, 1.625, 0.195, 29.667, false, ""},
        {"a value that is no number", "capunit\tabc\n", 7.055, 1.625, 0.195, 0, false, ""},
        {"a value with a tab", "coaxchoice\tRG 58  \tjunk\nfrequency\t8\t9\n", 8, 1.625, 0.195,
         29.667, false, "RG 58"},
        {"the later line wins", "frequency\t1\nfrequency\t2\n", 2, 1.625, 0.195, 29.667, false, ""},
        {"no comment syntax", ";frequency\t1\n# frequency\t2\nfreq\t3\n", 7.055, 1.625, 0.195,
         29.667, false, ""},
        {"metric lowercase y", "metric\tyes\n", 7.055, 1.625, 0.195, 29.667, true, ""},
        {"metric Yes", "metric\tYes\n", 7.055, 1.625, 0.195, 29.667, false, ""},
        {"metric no", "metric\tyes\nmetric\tno\n", 7.055, 1.625, 0.195, 29.667, false, ""},
        {"metric with a leading blank", "metric  yes\n", 7.055, 1.625, 0.195, 29.667, false, ""},
        {"metric without formdiam", "metric\tyes\ncoaxdiam\t0.5\n", 7.055, 1.625, 0.5, 29.667, true,
         ""},
        {"a d exponent and a comma", "frequency\t71d-1\nformdiam\t2,5\n", 7.1, 2, 0.195, 29.667,
         false, ""},
        {"huge and tiny numbers", "frequency\t1e999\ncapunit\t-1e-999\n", HUGE_VAL, 1.625, 0.195,
         -0.0, false, ""},
    };
    for (const LoadCase& c : cases) {
        StoreDefaultDesign();
        g_design.metric = false;
        WriteFile(SETTINGS_FILE, c.file);
        LoadSettings();
        EXPECT_EQ(g_design.frequency, c.frequency) << c.name;
        EXPECT_EQ(g_design.formdiam, c.formdiam) << c.name;
        EXPECT_EQ(g_design.coaxdiam, c.coaxdiam) << c.name;
        EXPECT_EQ(g_design.capunit, c.capunit) << c.name;
        EXPECT_EQ(g_design.metric, c.metric) << c.name;
        EXPECT_STREQ(g_design.coaxchoice, c.coaxchoice) << c.name;
        EXPECT_EQ(g_design.selectedCable, 0) << c.name;
    }
}

TEST_F(SettingsTest, MissingFileChangesNothing) {
    LoadSettings();
    EXPECT_EQ(g_design.frequency, 7.055);
    EXPECT_STREQ(g_design.coaxchoice, "");
}

TEST_F(SettingsTest, LongNamesAndLinesStayInsideTheirStorage) {
    // A 150-character name is cut to 103; a 260-character line is read as two lines.
    std::string name(150, 'n');
    std::string longLine = "coaxchoice\t" + std::string(250, 'x') + "\tfrequency\t9\n";
    WriteFile(SETTINGS_FILE, "coaxchoice\t" + name + "\n");
    LoadSettings();
    EXPECT_EQ(std::string(g_design.coaxchoice), std::string(103, 'n'));

    WriteFile(SETTINGS_FILE, longLine + "frequency 1e308\n");
    LoadSettings();
    EXPECT_EQ(std::string(g_design.coaxchoice), std::string(103, 'x'));
    EXPECT_EQ(g_design.frequency, 1e308);
}

TEST_F(SettingsTest, WritesTheSixLinesExactly) {
    strcpy(g_design.coaxchoice, "RG-58C/U (Belden 8262)");
    g_design.frequency = 14.0625; // a tie at three decimals rounds away from zero
    SaveSettings();
    EXPECT_EQ(ReadFile(SETTINGS_FILE), "coaxchoice\tRG-58C/U (Belden 8262)\r\n"
                                       "frequency\t14.063\r\n"
                                       "formdiam\t1.625\r\n"
                                       "coaxdiam\t0.195\r\n"
                                       "capunit\t29.667\r\n"
                                       "metric\tno\r\n");
    EXPECT_EQ(Files(), std::vector<std::string>{SETTINGS_FILE});
}

TEST_F(SettingsTest, RoundTripsThroughThreeDecimals) {
    strcpy(g_design.coaxchoice, "  RG-8X  ");
    g_design.frequency = 7.05549;
    g_design.formdiam = -4.0005;
    g_design.coaxdiam = 1e150;
    g_design.capunit = 97.332677164965;
    g_design.metric = true;
    SaveSettings();

    memset(&g_design, 0, sizeof g_design);
    LoadSettings();
    EXPECT_STREQ(g_design.coaxchoice, "  RG-8X"); // trailing blanks are lost
    EXPECT_EQ(g_design.frequency, 7.055);
    EXPECT_EQ(g_design.formdiam, -4.0); // -4.0005 lies below the half
    EXPECT_EQ(g_design.coaxdiam, 1e150);
    EXPECT_EQ(g_design.capunit, 97.333);
    EXPECT_TRUE(g_design.metric);
}

TEST_F(SettingsTest, AHugeValueIsWrittenWholeAndReadFromItsFirst199Characters) {
    strcpy(g_design.coaxchoice, "x");
    g_design.coaxdiam = 1e300;
    SaveSettings();
    std::string written = ReadFile(SETTINGS_FILE);
    size_t start = written.find("coaxdiam\t") + 9;
    size_t end = written.find("\r\n", start);
    EXPECT_EQ(end - start, 305u); // 301 digits, the point and three decimals
    EXPECT_EQ(ReadNumber(written.substr(start, end - start).c_str()), 1e300);

    LoadSettings();
    EXPECT_EQ(g_design.coaxdiam, 1e189); // 190 digits fit in the line after the key
    EXPECT_EQ(g_design.capunit, 29.667); // the rest of the long line is ignored
}

TEST_F(SettingsTest, WritesNothingWithoutAChosenCable) {
    SaveSettings();
    EXPECT_FALSE(Exists(SETTINGS_FILE));
    WriteFile(SETTINGS_FILE, "frequency\t3.5\n");
    SaveSettings();
    EXPECT_EQ(ReadFile(SETTINGS_FILE), "frequency\t3.5\n");
}

// Runs SaveSettings in a child process under conditions that make writing fail.
void SaveInChild(void (*prepare)()) {
    pid_t child = fork();
    if (child == 0) {
        prepare();
        SaveSettings();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
}

const char kOldSettings[] = "coaxchoice\told\r\nfrequency\t3.500\r\n";

TEST_F(SettingsTest, AFailedWriteKeepsThePreviousFile) {
    strcpy(g_design.coaxchoice, "new");
    WriteFile(SETTINGS_FILE, kOldSettings);
    // The file system refuses to let the file grow past 20 bytes: the write fails part-way.
    SaveInChild([] {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {20, 20};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(ReadFile(SETTINGS_FILE), kOldSettings);
    EXPECT_EQ(Files(), std::vector<std::string>{SETTINGS_FILE});
}

TEST_F(SettingsTest, AnUnwritableDirectoryKeepsThePreviousFile) {
    strcpy(g_design.coaxchoice, "new");
    WriteFile(SETTINGS_FILE, kOldSettings);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
    SaveInChild([] {
        // The superuser writes anywhere: give up that right first.
        if (geteuid() == 0 && setuid(65534) != 0)
            _exit(1);
    });
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadFile(SETTINGS_FILE), kOldSettings);
    EXPECT_EQ(Files(), std::vector<std::string>{SETTINGS_FILE});
}

TEST_F(SettingsTest, ASuccessfulSaveReplacesTheFileWhole) {
    WriteFile(SETTINGS_FILE, std::string(5000, 'z'));
    strcpy(g_design.coaxchoice, "RG-213");
    SaveSettings();
    std::string written = ReadFile(SETTINGS_FILE);
    EXPECT_EQ(written.substr(0, 20), "coaxchoice\tRG-213\r\nf");
    EXPECT_EQ(written.find('z'), std::string::npos);
    EXPECT_EQ(Files(), std::vector<std::string>{SETTINGS_FILE});
}

} // namespace
