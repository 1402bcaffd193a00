#include "calc/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

struct ReadCase {
    const char* text;
    double value;
};

TEST(ReadNumber, FollowsTheGrammarOfAtof) {
    const ReadCase cases[] = {
        {"7.055", 7.055},
        {"  \t\n\v\f\r42", 42},
        {"+3", 3},
        {"-2.5", -2.5},
        {"1d2", 100},
        {"1D-2", 0.01},
        {"1E+2", 100},
        {"7,1", 7},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"+.e5", 0},
        {"", 0},
        {"abc", 0},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"infinity", 0},
        {"-inf", 0},
        {"12abc", 12},
        {"1e999", HUGE_VAL},
        {"-1e999", -HUGE_VAL},
        {"1e-999", 0},
        {"000123.4500", 123.45},
        {"0.000001e6", 1},
        {"1 2", 1},
        {"4.9e-324", 4.9e-324},
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"1.7976931348623159e308", HUGE_VAL},
        {"1e99999999999999999999", HUGE_VAL},
        {"0e99999999999999999999", 0},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ReadNumber, KeepsTheSignOfZero) {
    EXPECT_TRUE(std::signbit(ReadNumber("-0")));
    EXPECT_TRUE(std::signbit(ReadNumber("-0.000")));
    EXPECT_FALSE(std::signbit(ReadNumber("0")));
}

TEST(ScanNumber, StopsWhereTheNumberEnds) {
    const struct {
        const char* text;
        size_t consumed;
    } cases[] = {{"1.5e3x", 5}, {"1e", 1}, {"1e-", 1}, {"  -7,1", 4},
                 {"abc", 0},    {".", 0},  {"-", 0},   {"0x10", 1}};
    for (const auto& c : cases) {
        const char* end = nullptr;
        ScanNumber(c.text, &end);
        EXPECT_EQ(size_t(end - c.text), c.consumed) << '"' << c.text << '"';
    }
}

TEST(ReadNumber, IsCorrectlyRoundedForLongMantissas) {
    // Exactly half-way between 1 and the next double, then a hair above it.
    EXPECT_EQ(ReadNumber("1.00000000000000011102230246251565404236316680908203125"), 1.0);
    std::string above = "1.00000000000000011102230246251565404236316680908203125";
    above += std::string(900, '0') + "1";
    EXPECT_EQ(ReadNumber(above.c_str()), std::nextafter(1.0, 2.0));
    std::string manyDigits = "0." + std::string(2000, '3');
    EXPECT_EQ(ReadNumber(manyDigits.c_str()), 1.0 / 3.0);
}

TEST(ReadNumber, AgreesWithStrtodOnRandomTexts) {
    std::mt19937_64 random(12345);
    for (int i = 0; i < 20000; ++i) {
        double x;
        do {
            uint64_t bits = random();
            memcpy(&x, &bits, sizeof x);
        } while (!std::isfinite(x));
        char text[64];
        snprintf(text, sizeof text, "%.*g", int(random() % 18) + 1, x);
        EXPECT_EQ(ReadNumber(text), strtod(text, nullptr)) << text;
    }
}

TEST(ReadNumber, IgnoresTheLocale) {
    const char* old = setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr &&
        setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    char printed[16];
    snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5") << "the locale's decimal comma is in force";
    EXPECT_EQ(ReadNumber("7.055"), 7.055);
    EXPECT_EQ(ReadNumber("7,055"), 7);
    char text[NUMBER_TEXT_SIZE];
    FormatNumber(text, sizeof text, 7.055, 3);
    EXPECT_STREQ(text, "7.055");
    setlocale(LC_NUMERIC, saved.c_str());
}

struct FormatCase {
    double value;
    int decimals;
    const char* text;
};

TEST(FormatNumber, RoundsHalvesAwayFromZero) {
    const FormatCase cases[] = {
        {0.0625, 3, "0.063"},
        {-0.0625, 3, "-0.063"},
        {0.125, 2, "0.13"},
        {-0.125, 2, "-0.13"},
        {0.625, 2, "0.63"},
        {0.375, 2, "0.38"},
        {2.675, 2, "2.67"},
        {1.0005, 3, "1.000"},
        {0.9995, 3, "1.000"},
        {9.995, 2, "9.99"},
        {99.9375, 3, "99.938"},
        {9.9995, 3, "9.999"},
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {9.5, 0, "10"},
        {-99.5, 0, "-100"},
        {999.875, 2, "999.88"},
        {4503599627370495.5, 0, "4503599627370496"},
        {1125899906842623.875, 2, "1125899906842623.88"},
        {7.055, 3, "7.055"},
        {29.667, 3, "29.667"},
        {1.625, 3, "1.625"},
        {0.195, 3, "0.195"},
        {10.7749, 2, "10.77"},
        {123456789.0, 2, "123456789.00"},
    };
    for (const FormatCase& c : cases) {
        char text[NUMBER_TEXT_SIZE];
        FormatNumber(text, sizeof text, c.value, c.decimals);
        EXPECT_STREQ(text, c.text) << c.value << " with " << c.decimals;
    }
}

TEST(FormatNumber, CarriesTheSignOfValuesThatRoundToZero) {
    const FormatCase cases[] = {{-0.0, 3, "-0.000"},    {-0.0004, 3, "-0.000"},
                                {-0.0005, 3, "-0.001"}, {-0.004, 2, "-0.00"},
                                {0.0, 2, "0.00"},       {-4.9e-324, 3, "-0.000"}};
    for (const FormatCase& c : cases) {
        char text[NUMBER_TEXT_SIZE];
        FormatNumber(text, sizeof text, c.value, c.decimals);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(FormatNumber, SpellsNonFiniteValues) {
    const FormatCase cases[] = {{HUGE_VAL, 2, "inf"},
                                {-HUGE_VAL, 3, "-inf"},
                                {std::nan(""), 2, "nan"},
                                {-std::nan(""), 3, "-nan"}};
    for (const FormatCase& c : cases) {
        char text[NUMBER_TEXT_SIZE];
        FormatNumber(text, sizeof text, c.value, c.decimals);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(FormatNumber, WritesTheLargestDoublesWhole) {
    char text[NUMBER_TEXT_SIZE + 8];
    memset(text, 'x', sizeof text);
    size_t length = FormatNumber(text, NUMBER_TEXT_SIZE, -1.7976931348623157e308, 3);
    EXPECT_EQ(length, 314u);
    EXPECT_EQ(strlen(text), 314u);
    EXPECT_EQ(std::string(text, 5), "-1797");
    EXPECT_EQ(std::string(text + 310), ".000");
    EXPECT_EQ(text[NUMBER_TEXT_SIZE], 'x'); // nothing written past the storage

    length = FormatNumber(text, NUMBER_TEXT_SIZE, 1e308, 3);
    EXPECT_EQ(length, 313u);
    EXPECT_EQ(ReadNumber(text), 1e308);
}

TEST(FormatNumber, CutsShortOnlyIntoATooSmallBufferAndNeverOverruns) {
    char text[8];
    memset(text, 'x', sizeof text);
    FormatNumber(text, 5, 123456.789, 3);
    EXPECT_STREQ(text, "1234");
    EXPECT_EQ(text[5], 'x');
    EXPECT_EQ(FormatNumber(text, 0, 1.0, 2), 0u);
}

// The exact decimal expansion of a double, rounded by hand with halves away from zero.
std::string ReferenceFormat(double value, int decimals) {
    static char exact[1200];
    snprintf(exact, sizeof exact, "%.1100f", std::fabs(value));
    std::string digits(exact);
    size_t point = digits.find('.');
    std::string kept = digits.substr(0, point + 1 + decimals);
    bool up = digits[point + 1 + decimals] >= '5';
    if (up) {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[i] == '.')
                continue;
            if (kept[i] == '9') {
                kept[i] = '0';
                continue;
            }
            ++kept[i];
            break;
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
    }
    if (decimals == 0)
        kept.pop_back();
    return (std::signbit(value) ? "-" : "") + kept;
}

TEST(FormatNumber, AgreesWithTheExactExpansionOnRandomValues) {
    std::mt19937_64 random(777);
    std::uniform_real_distribution<double> magnitude(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        double x = std::pow(10.0, magnitude(random));
        if (random() & 1)
            x = -x;
        // Every fourth value is a tie or next to one.
        if (i % 4 == 0)
            x = std::ldexp(std::round(std::ldexp(x, 4)) + 0.5, -4);
        if (i % 8 == 1)
            x = std::nextafter(std::ldexp(std::round(std::ldexp(x, 3)) + 0.5, -3), 0.0);
        int decimals = 2 + int(random() % 2);
        char text[NUMBER_TEXT_SIZE];
        FormatNumber(text, sizeof text, x, decimals);
        ASSERT_EQ(text, ReferenceFormat(x, decimals)) << x;
    }
}

} // namespace
