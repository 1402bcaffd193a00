// The build's resource tools: quorvin-rc on small scripts written here, and
// quorvin-icongen drawing the program's icon from its pixel map.
#include "tests/res/dialog_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1; // -1: did not exit normally
    std::string errors;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Runs program with arguments, its standard error going to errorsFile.
Outcome RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const fs::path& errorsFile) {
    std::vector<char*> argv;
    std::vector<std::string> all = {program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t child = 0;
    Outcome outcome;
    int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return outcome;
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    outcome.errors = ReadAll(errorsFile);
    return outcome;
}

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("quorvin-res-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome Rc(const std::string& script, const std::string& output) {
        return RunTool(QUORVIN_RC_PATH, {(dir / script).string(), (dir / output).string()},
                       dir / "errors.txt");
    }
    Outcome Icongen(const fs::path& map, const fs::path& icon) {
        return RunTool(QUORVIN_ICONGEN_PATH, {map.string(), icon.string()}, dir / "errors.txt");
    }

    fs::path dir;
};

// The suites carry "res" so that ctest -R res selects them.
using resTools = ToolTest;

// ---- quorvin-rc: faults ---------------------------------------------------------------

const char* const kIconHeader = "\0\0\1\0\1\0";

struct BadScript {
    const char* what;
    std::map<std::string, std::string> files; // the script is bad.rc
    const char* file;                         // the file the message names
    int line;
    const char* message;
};

const BadScript kBadScripts[] = {
    {"an unknown statement",
     {{"bad.rc", "#include <windows.h>\nSTRINGTABLE\nBEGIN\nEND\n"}},
     "bad.rc",
     2,
     "unknown statement 'STRINGTABLE'"},
    {"an unknown style name",
     {{"bad.rc", "#include <windows.h>\n#pragma code_page(65001)\n1 DIALOGEX 0, 0, 100, 50\n"
                 "STYLE WS_CAPTION\nBEGIN\n    CONTROL \"x\", 10, \"Static\",\n"
                 "            WS_CHILD | WS_SHINY, 1, 2, 3, 4\nEND\n"}},
     "bad.rc",
     7,
     "unknown name 'WS_SHINY'"},
    {"a missing icon file",
     {{"bad.rc", "// the icon\n1 ICON \"missing.ico\"\n"}},
     "bad.rc",
     2,
     "cannot open icon file 'missing.ico'"},
    {"style names without <windows.h>",
     {{"bad.rc", "1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP\nBEGIN\nEND\n"}},
     "bad.rc",
     2,
     "unknown name 'WS_POPUP'"},
    {"a fault in an included header",
     {{"bad.rc", "#include \"ids.h\"\n"}, {"ids.h", "#define IDD_ONE 1\n#define IDD_TWO 2 3\n"}},
     "ids.h",
     2,
     "unexpected '3'"},
    {"a missing header",
     {{"bad.rc", "\n#include \"nothere.h\"\n"}},
     "bad.rc",
     2,
     "cannot find include file 'nothere.h'"},
    {"an unsupported preprocessor line",
     {{"bad.rc", "#ifdef X\n#endif\n"}},
     "bad.rc",
     1,
     "unsupported preprocessor line '#ifdef'"},
    {"non-ASCII text without the UTF-8 code page",
     {{"bad.rc", "1 DIALOGEX 0, 0, 10, 10\nCAPTION \"Ёж\"\nBEGIN\nEND\n"}},
     "bad.rc",
     2,
     "code_page(65001)"},
    {"another code page",
     {{"bad.rc", "#pragma code_page(1251)\n"}},
     "bad.rc",
     1,
     "code page 1251 is not supported"},
    {"text that is not UTF-8",
     {{"bad.rc", "#pragma code_page(65001)\n1 DIALOGEX 0, 0, 10, 10\nCAPTION \"\xD0\"\n"}},
     "bad.rc",
     3,
     "not valid UTF-8"},
    {"an unclosed comment",
     {{"bad.rc", "// fine\n/* open\n1 ICON \"x.ico\"\n"}},
     "bad.rc",
     2,
     "comment is not closed"},
    {"an unclosed quoted text",
     {{"bad.rc", "1 DIALOGEX 0, 0, 10, 10\n\nCAPTION \"open\n"}},
     "bad.rc",
     3,
     "not closed"},
    {"a DIALOG template", {{"bad.rc", "1 DIALOG 0, 0, 10, 10\n"}}, "bad.rc", 1, "use DIALOGEX"},
    {"an unknown resource identifier",
     {{"bad.rc", "IDD_NOPE DIALOGEX 0, 0, 10, 10\n"}},
     "bad.rc",
     1,
     "unknown name 'IDD_NOPE'"},
    {"an identifier defined twice",
     {{"bad.rc", "1 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n"}},
     "bad.rc",
     4,
     "defined twice"},
    {"a size beyond 16 bits",
     {{"bad.rc", "1 DIALOGEX 0, 0, 40000, 10\n"}},
     "bad.rc",
     1,
     "width 40000 is out of range"},
    {"a control identifier beyond 16 bits",
     {{"bad.rc",
       "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n CONTROL \"\", 70000, \"Edit\", 0, 1, 2, 3, 4\nEND\n"}},
     "bad.rc",
     3,
     "control identifier 70000 is out of range"},
    {"a number beyond 32 bits",
     {{"bad.rc", "1 DIALOGEX 0, 0, 10, 10\nSTYLE 0x100000000\n"}},
     "bad.rc",
     2,
     "does not fit in 32 bits"},
    {"DS_SETFONT without FONT",
     {{"bad.rc", "#include <windows.h>\n1 DIALOGEX 0, 0, 1, 1\nSTYLE DS_SETFONT\nBEGIN\nEND\n"}},
     "bad.rc",
     4,
     "DS_SETFONT needs a FONT statement"},
    {"a missing END",
     {{"bad.rc", "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n"}},
     "bad.rc",
     2,
     "END of the dialog is missing"},
    {"an unsupported control statement",
     {{"bad.rc", "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 2, 3, 4, 5\nEND\n"}},
     "bad.rc",
     3,
     "unsupported control statement 'LTEXT'"},
    {"a file that is not an icon",
     {{"bad.rc", "1 ICON \"bad.ico\"\n"}, {"bad.ico", "not an icon"}},
     "bad.rc",
     1,
     "icon file 'bad.ico': not an icon file"},
    {"an icon image beyond the end of its file",
     {{"bad.rc", "1 ICON \"short.ico\"\n"},
      {"short.ico", std::string(kIconHeader, 6) + std::string("\x20\x20\x10\0\1\0\4\0", 8) +
                        std::string("\xE8\x02\0\0\x16\0\0\0", 8) + "short"}},
     "bad.rc",
     1,
     "image 1 lies outside the file"},
};

TEST_F(resTools, RcReportsFaultsWithFileAndLineAndWritesNothing) {
    for (const BadScript& bad : kBadScripts) {
        SCOPED_TRACE(bad.what);
        for (const auto& [name, text] : bad.files)
            WriteAll(dir / name, text);
        Outcome outcome = Rc("bad.rc", "out.cpp");
        EXPECT_EQ(outcome.exitCode, 1);
        std::string prefix = (dir / bad.file).string() + ":" + std::to_string(bad.line) + ": ";
        EXPECT_EQ(outcome.errors.rfind(prefix, 0), 0u) << outcome.errors;
        EXPECT_NE(outcome.errors.find(bad.message), std::string::npos) << outcome.errors;
        EXPECT_FALSE(fs::exists(dir / "out.cpp"));
        for (const auto& file : bad.files)
            fs::remove(dir / file.first);
    }
}

TEST_F(resTools, RcRefusesAMissingScriptAndBadArguments) {
    Outcome missing = Rc("nothere.rc", "out.cpp");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.errors.rfind((dir / "nothere.rc").string() + ":", 0), 0u) << missing.errors;
    Outcome usage = RunTool(QUORVIN_RC_PATH, {"only-one-argument"}, dir / "errors.txt");
    EXPECT_NE(usage.exitCode, 0);
    EXPECT_NE(usage.errors.find("usage"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out.cpp"));
}

// ---- quorvin-rc: a sound script -------------------------------------------------------

struct Generated {
    std::vector<std::vector<uint8_t>> arrays;     // in source order
    std::vector<std::array<unsigned, 3>> entries; // type, name, array index
};

// The byte arrays and the table entries of a generated source.
Generated ParseGenerated(const std::string& source) {
    Generated out;
    std::istringstream lines(source);
    std::string line;
    bool inArray = false;
    while (std::getline(lines, line)) {
        if (line.find("const unsigned char kResource") != std::string::npos) {
            out.arrays.emplace_back();
            inArray = true;
        } else if (inArray && line == "};") {
            inArray = false;
        } else if (inArray) {
            std::istringstream items(line);
            std::string item;
            while (items >> item)
                out.arrays.back().push_back(uint8_t(std::stoul(item, nullptr, 16)));
        } else {
            unsigned type = 0, name = 0, index = 0;
            if (sscanf(line.c_str(), " {%u, %u, kResource%u,", &type, &name, &index) == 3)
                out.entries.push_back({type, name, index});
        }
    }
    return out;
}

TEST_F(resTools, RcCompilesWhatTheScriptSays) {
    WriteAll(dir / "ids.h", "#define IDD_SMALL 7 // the dialog\n"
                            "#define IDC_ONE (IDD_SMALL | 0x100)\n"
                            "#define IDI_FIRST 20\n");
    WriteAll(dir / "small.rc", "// A small template that uses what the compiler reads.\n"
                               "/* a comment\n   over two lines */\n"
                               "#include <windows.h>\n"
                               "#include \"ids.h\"\n"
                               "#pragma code_page(65001)\n"
                               "IDD_SMALL DIALOGEX 1, 2, 30, 40, 7\n"
                               "STYLE WS_POPUP | 0x0004\n"
                               "EXSTYLE WS_EX_TOPMOST\n"
                               "CLASS \"Small\"\n"
                               "CAPTION \"Say \"\"hi\"\" — ёж // not a comment\"\n"
                               "FONT 9, \"Face\"\n"
                               "BEGIN\n"
                               "    CONTROL \"a\\tb\", -1, \"button\", BS_GROUPBOX, -5, 6, 7, 8,\n"
                               "            WS_EX_CLIENTEDGE, 99\n"
                               "    CONTROL \"\", IDC_ONE, \"MyClass\", 0x00000001, 1, 2, 3, 4\n"
                               "END\n"
                               "IDI_FIRST ICON \"one.ico\"\n"
                               "21 ICON \"one.ico\"\n");
    fs::copy_file(fs::path(QUORVIN_SOURCE_DIR) / "res" / "trap.ico", dir / "one.ico");
    Outcome outcome = Rc("small.rc", "out.cpp");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
    EXPECT_EQ(outcome.errors, "");
    Generated generated = ParseGenerated(ReadAll(dir / "out.cpp"));

    // The table: the dialog, then each icon group followed by its image, numbered on.
    using Entry = std::array<unsigned, 3>;
    std::vector<Entry> entries = {{5, 7, 0}, {14, 20, 1}, {3, 1, 2}, {14, 21, 3}, {3, 2, 4}};
    ASSERT_EQ(generated.entries, entries);
    ASSERT_EQ(generated.arrays.size(), 5u);
    EXPECT_EQ(generated.arrays[1][6 + 12], 1) << "the first group names image 1";
    EXPECT_EQ(generated.arrays[3][6 + 12], 2) << "the second group names image 2";
    EXPECT_EQ(generated.arrays[4].size(), 744u);

    const std::vector<uint8_t>& bytes = generated.arrays[0];
    dialog_reader::Template t = dialog_reader::Read(bytes.data(), bytes.size());
    ASSERT_TRUE(t.ok);
    EXPECT_EQ(t.end, bytes.size());
    // CAPTION brings WS_CAPTION and FONT brings DS_SETFONT.
    EXPECT_EQ(t.style, 0x80000000u | 0x4u | 0x00C00000u | 0x40u);
    EXPECT_EQ(t.exStyle, 0x8u);
    EXPECT_EQ(t.helpId, 7u);
    EXPECT_EQ(t.x, 1);
    EXPECT_EQ(t.cy, 40);
    EXPECT_EQ(t.windowClass.text, u"Small");
    EXPECT_EQ(t.title, u"Say \"hi\" — ёж // not a comment");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 1) << "the default character set";
    EXPECT_EQ(t.typeface, u"Face");
    ASSERT_EQ(t.items.size(), 2u);

    // Every control is a visible child.
    const dialog_reader::Item& box = t.items[0];
    EXPECT_EQ(box.style, 0x50000007u);
    EXPECT_EQ(box.exStyle, 0x200u);
    EXPECT_EQ(box.helpId, 99u);
    EXPECT_EQ(box.x, -5);
    EXPECT_EQ(box.id, 0xFFFFu);
    EXPECT_TRUE(box.windowClass.isOrdinal);
    EXPECT_EQ(box.windowClass.ordinal, 0x80);
    EXPECT_EQ(box.title.text, u"a\tb");
    const dialog_reader::Item& custom = t.items[1];
    EXPECT_EQ(custom.style, 0x50000001u);
    EXPECT_EQ(custom.id, 0x107u);
    EXPECT_FALSE(custom.windowClass.isOrdinal);
    EXPECT_EQ(custom.windowClass.text, u"MyClass");
    EXPECT_EQ(custom.title.text, u"");
}

// ---- quorvin-icongen ------------------------------------------------------------------

TEST_F(resTools, IcongenReproducesTheProgramsIconFromItsMap) {
    fs::path source = QUORVIN_SOURCE_DIR;
    std::string expected = ReadAll(source / "res" / "trap.ico");
    ASSERT_EQ(expected.size(), 766u);

    Outcome outcome = Icongen(source / "res" / "trap.icon.txt", dir / "trap.ico");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
    EXPECT_TRUE(ReadAll(dir / "trap.ico") == expected) << "res/trap.ico is not the map's icon";

    // The same map with Windows line ends draws the same icon.
    std::string map = ReadAll(source / "res" / "trap.icon.txt"), crlf;
    for (char c : map)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteAll(dir / "crlf.txt", crlf);
    outcome = Icongen(dir / "crlf.txt", dir / "crlf.ico");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
    EXPECT_TRUE(ReadAll(dir / "crlf.ico") == expected);
}

TEST_F(resTools, IcongenRejectsMalformedMaps) {
    const std::string row(32, '.');
    auto rows = [&](int count) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += row + "\n";
        return text;
    };
    struct BadMap {
        std::string map;
        int line;
        const char* message;
    };
    const BadMap maps[] = {
        {rows(31), 32, "31 lines"},
        {rows(33), 33, "more than 32 lines"},
        {rows(4) + row.substr(1) + "\n" + rows(27), 5, "32 characters"},
        {rows(2) + "..G" + row.substr(3) + "\n" + rows(29), 3, "unknown pixel 'G'"},
    };
    for (const BadMap& bad : maps) {
        SCOPED_TRACE(bad.message);
        WriteAll(dir / "bad.txt", bad.map);
        Outcome outcome = Icongen(dir / "bad.txt", dir / "bad.ico");
        EXPECT_EQ(outcome.exitCode, 1);
        std::string prefix = (dir / "bad.txt").string() + ":" + std::to_string(bad.line) + ": ";
        EXPECT_EQ(outcome.errors.rfind(prefix, 0), 0u) << outcome.errors;
        EXPECT_NE(outcome.errors.find(bad.message), std::string::npos) << outcome.errors;
        EXPECT_FALSE(fs::exists(dir / "bad.ico"));
    }
}

} // namespace
