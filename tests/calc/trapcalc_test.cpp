// trapcalc from the outside: lines in, texts out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    std::string out;
    std::string err;
    int status;
};

Outcome RunTrapcalc(const std::string& args, const std::string& input) {
    char dir[] = "/tmp/trapcalc_testXXXXXX";
    if (!mkdtemp(dir))
        return {"", "mkdtemp failed", -1};
    std::string base(dir);
    std::ofstream(base + "/in") << input;
    std::string command = std::string(TRAPCALC_PATH) + " " + args + " <" + base + "/in >" + base +
                          "/out 2>" + base + "/err";
    int status = system(command.c_str());
    auto slurp = [](const std::string& path) {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    Outcome run{slurp(base + "/out"), slurp(base + "/err"),
                WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    std::string cleanup = "rm -rf " + base;
    if (system(cleanup.c_str()) != 0)
        run.err += "(cleanup failed)";
    return run;
}

const char kDefaults[] = "10.77\t2.10\t62.57\t1.15\t3.290\t154.69\t145.83\t55.71\t135.92\n";
const char kMetric[] = "10.77\t5.33\t158.93\t1.15\t3.290\t154.69\t145.83\t21.93\t53.51\n";

TEST(Trapcalc, SolvesOneDesignALine) {
    Outcome run = RunTrapcalc("", "7.055 1.625 0.195 29.667 0\n"
                                  "\n"
                                  "  7.055\t4.1275  0.4953\t97.332677164965 1\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kDefaults) + kMetric);
}

TEST(Trapcalc, CarriesTextsOverDesignsWithoutASolution) {
    Outcome run = RunTrapcalc("", "0 1.625 0.195 29.667 0\n"
                                  "7.055 1.625 0.195 29.667 0\n"
                                  "7.055 1.625 0.195 0 1\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string("\t\t\t\t\t\t\t\t\n") + kDefaults + kDefaults);
}

TEST(Trapcalc, ReadsNumbersAsTheWindowDoes) {
    Outcome run = RunTrapcalc("", "7055d-3 1.625 .195x 29.667 0\n");
    EXPECT_EQ(run.out, kDefaults);
}

TEST(Trapcalc, StopsAtAMalformedLine) {
    const struct {
        const char* input;
        const char* message;
    } cases[] = {
        {"7.055 1.625 0.195 29.667 0\n7.055 1.625 0.195 29.667\n", "line 2"},
        {"7.055 1.625 0.195 29.667 0 9\n", "line 1"},
        {"\n\n7.055 1.625 0.195 29.667 metric\n", "line 3"},
        {"7.055 1.625 0.195 29.667 2\n", "line 1"},
    };
    for (const auto& c : cases) {
        Outcome run = RunTrapcalc("", c.input);
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    Outcome partial = RunTrapcalc("", "7.055 1.625 0.195 29.667 0\nbad\n");
    EXPECT_EQ(partial.out, kDefaults);
}

TEST(Trapcalc, LabelsOneDesignGivenAsArguments) {
    Outcome imperial = RunTrapcalc("7.055 1.625 0.195 29.667", "");
    EXPECT_EQ(imperial.status, 0);
    EXPECT_NE(imperial.out.find("2.10 inches"), std::string::npos) << imperial.out;
    EXPECT_NE(imperial.out.find("135.92 kHz/inch"), std::string::npos) << imperial.out;
    EXPECT_NE(imperial.out.find("3.290 uH"), std::string::npos) << imperial.out;

    Outcome metric = RunTrapcalc("7.055 4.1275 0.4953 97.332677164965 --metric", "");
    EXPECT_EQ(metric.status, 0);
    EXPECT_NE(metric.out.find("5.33 cm"), std::string::npos) << metric.out;
    EXPECT_NE(metric.out.find("53.51 kHz/cm"), std::string::npos) << metric.out;
}

TEST(Trapcalc, RejectsBadArguments) {
    const char* cases[] = {"7.055 1.625 0.195", "7.055 1.625 0.195 29.667 5",
                           "7.055 1.625 x 29.667", "7.055 1.625 0.195 29.667 --imperial"};
    for (const char* args : cases) {
        Outcome run = RunTrapcalc(args, "");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.err.empty()) << args;
    }
    Outcome none = RunTrapcalc("0 1.625 0.195 29.667", "");
    EXPECT_EQ(none.status, 1);
    Outcome help = RunTrapcalc("--help", "");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: trapcalc"), std::string::npos);
}

} // namespace
