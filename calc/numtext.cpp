#include "calc/numtext.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Significant digits kept when reading: more than the 767 that can ever decide the
// rounding of a double. Further non-zero digits are remembered as one sticky digit.
constexpr int kMaxDigits = 780;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t CopyTruncated(char* text, size_t size, const char* from, size_t length) {
    if (size == 0)
        return 0;
    if (length > size - 1)
        length = size - 1;
    memcpy(text, from, length);
    text[length] = '\0';
    return length;
}

} // namespace

double ScanNumber(const char* text, const char** end) {
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }

    // The value is 0.DIGITS times ten to the power exponent10.
    char digits[kMaxDigits + 32];
    int count = 0;
    bool sticky = false;
    long exponent10 = 0;
    bool sawDigit = false;
    auto takeDigit = [&](char c) {
        if (count < kMaxDigits)
            digits[count++] = c;
        else if (c != '0')
            sticky = true;
    };
    for (; IsDigit(*p); ++p) {
        sawDigit = true;
        if (count == 0 && *p == '0')
            continue;
        takeDigit(*p);
        if (exponent10 < 1000000)
            ++exponent10;
    }
    if (*p == '.') {
        const char* q = p + 1;
        for (; IsDigit(*q); ++q) {
            sawDigit = true;
            if (count == 0 && *q == '0') {
                if (exponent10 > -1000000)
                    --exponent10;
                continue;
            }
            takeDigit(*q);
        }
        if (sawDigit)
            p = q;
    }
    if (!sawDigit) {
        if (end)
            *end = text;
        return 0.0;
    }
    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (*q == '+' || *q == '-') {
            negativeExponent = *q == '-';
            ++q;
        }
        if (IsDigit(*q)) {
            long exponent = 0;
            for (; IsDigit(*q); ++q) {
                if (exponent < 10000000)
                    exponent = exponent * 10 + (*q - '0');
            }
            exponent10 += negativeExponent ? -exponent : exponent;
            p = q;
        }
    }
    if (end)
        *end = p;

    double value = 0.0;
    if (count == 0) {
        value = 0.0;
    } else if (exponent10 > 310) {
        value = HUGE_VAL;
    } else if (exponent10 < -330) {
        value = 0.0;
    } else {
        if (sticky)
            digits[count++] = '1';
        char number[kMaxDigits + 64];
        int length = 0;
        number[length++] = '0';
        number[length++] = '.';
        memcpy(number + length, digits, count);
        length += count;
        number[length++] = 'e';
        auto written = std::to_chars(number + length, number + sizeof number, exponent10);
        std::from_chars_result read =
            std::from_chars(number, written.ptr, value, std::chars_format::general);
        if (read.ec == std::errc::result_out_of_range)
            value = exponent10 > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

double ReadNumber(const char* text) {
    return ScanNumber(text, nullptr);
}

size_t FormatNumber(char* text, size_t size, double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > 3)
        decimals = 3;
    if (std::isnan(value)) {
        const char* spelled = std::signbit(value) ? "-nan" : "nan";
        return CopyTruncated(text, size, spelled, strlen(spelled));
    }
    if (std::isinf(value)) {
        const char* spelled = value < 0 ? "-inf" : "inf";
        return CopyTruncated(text, size, spelled, strlen(spelled));
    }

    char buffer[NUMBER_TEXT_SIZE + 8];
    // An exact tie at the last decimal is value = odd / 2^(decimals+1): scaling by a
    // power of two is exact, so the test is exact too. Ties are the only values where
    // rounding half to even (what to_chars does) and half away from zero differ.
    double scaled = std::ldexp(value, decimals + 1);
    bool tie = std::fabs(scaled) < 9007199254740992.0 && scaled == std::trunc(scaled) &&
               std::fmod(scaled, 2.0) != 0.0;
    if (!tie) {
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                    decimals);
        return CopyTruncated(text, size, buffer, result.ptr - buffer);
    }

    // The tie's exact text has one more decimal, a final 5: drop it and round the
    // remaining digits up in magnitude.
    auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, value, std::chars_format::fixed,
                                decimals + 1);
    char* first = buffer + 1;
    char* last = result.ptr - 1; // the final '5'
    char* digit = last - 1;
    for (;; --digit) {
        if (digit >= first && *digit == '.')
            continue;
        if (digit < first || *digit == '-') {
            // Carry out of the leading digit: 9.99 becomes 10.00.
            ++digit;
            memmove(digit + 1, digit, last - digit);
            *digit = '1';
            ++last;
            if (first > digit)
                first = digit;
            break;
        }
        if (*digit == '9') {
            *digit = '0';
            continue;
        }
        ++*digit;
        break;
    }
    size_t length = last - first;
    if (decimals == 0 && first[length - 1] == '.')
        --length;
    return CopyTruncated(text, size, first, length);
}
