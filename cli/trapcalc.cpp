// trapcalc: the trap calculator on the command line.
//
//   trapcalc FREQUENCY FORMDIAM COAXDIAM CAPUNIT [--metric]   one design, labelled results
//   trapcalc < designs                                        many designs, one a line
#include "calc/design.h"
#include "calc/numtext.h"
#include "calc/trap.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kUsage[] =
    "Usage: trapcalc FREQUENCY FORMDIAM COAXDIAM CAPUNIT [--metric]\n"
    "       trapcalc < DESIGNS\n"
    "\n"
    "Calculates a coaxial-cable trap: a coil of coax wound close on a form, resonating\n"
    "at FREQUENCY (MHz) with the capacitance of its own cable.\n"
    "\n"
    "With arguments it solves one design and prints the nine results with their units.\n"
    "FORMDIAM and COAXDIAM are the coil form's and the cable's outer diameters in inches\n"
    "(cm with --metric); CAPUNIT is the cable's capacitance in pF per foot (pF per metre\n"
    "with --metric).\n"
    "\n"
    "Without arguments it reads designs from standard input, one a line: frequency, form\n"
    "diameter, coax diameter, capacitance and 0 (imperial) or 1 (metric), separated by\n"
    "blanks or tabs. For each line it prints the nine result texts separated by tabs:\n"
    "turns, coil length, cable length, length/diameter, inductance, capacitance,\n"
    "reactance, length influence, turn influence. A design without a solution repeats\n"
    "the previous line's texts (empty before the first solution). Blank lines are\n"
    "skipped. A malformed line stops the run with exit status 2.\n";

void SetDesign(double frequency, double formdiam, double coaxdiam, double capunit, bool metric) {
    g_design.frequency = frequency;
    g_design.formdiam = formdiam;
    g_design.coaxdiam = coaxdiam;
    g_design.capunit = capunit;
    g_design.metric = metric;
}

// Reads a whole argument as a number; false when anything is left over.
bool ReadArgument(const char* text, double* value) {
    const char* end;
    *value = ScanNumber(text, &end);
    return end != text && *end == '\0';
}

int SolveOne(int argc, char** argv) {
    const char* numbers[4];
    int count = 0;
    bool metric = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--metric") == 0) {
            metric = true;
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            fprintf(stderr, "trapcalc: unknown option '%s'\n%s", argv[i], kUsage);
            return 2;
        } else if (count < 4) {
            numbers[count++] = argv[i];
        } else {
            fprintf(stderr, "trapcalc: too many arguments\n%s", kUsage);
            return 2;
        }
    }
    if (count != 4) {
        fprintf(stderr, "trapcalc: expected four numbers, got %d\n%s", count, kUsage);
        return 2;
    }
    static const char* const names[4] = {"FREQUENCY", "FORMDIAM", "COAXDIAM", "CAPUNIT"};
    double values[4];
    for (int i = 0; i < 4; ++i) {
        if (!ReadArgument(numbers[i], &values[i])) {
            fprintf(stderr, "trapcalc: %s is not a number: '%s'\n", names[i], numbers[i]);
            return 2;
        }
    }
    SetDesign(values[0], values[1], values[2], values[3], metric);
    SolveTrap();
    if (g_results.turns[0] == '\0') {
        fprintf(stderr, "trapcalc: no winding resonates with this design\n");
        return 1;
    }
    const char* length = metric ? "cm" : "inches";
    const char* influence = metric ? "kHz/cm" : "kHz/inch";
    printf("Turns:             %s\n", g_results.turns);
    printf("Coil length:       %s %s\n", g_results.coilLength, length);
    printf("Cable length:      %s %s\n", g_results.cableLength, length);
    printf("Length/diameter:   %s\n", g_results.lengthToDiameter);
    printf("Inductance:        %s uH\n", g_results.inductance);
    printf("Capacitance:       %s pF\n", g_results.capacitance);
    printf("Reactance:         %s Ohm\n", g_results.reactance);
    printf("Length influence:  %s %s\n", g_results.lengthInfluence, influence);
    printf("Turn influence:    %s %s\n", g_results.turnInfluence, influence);
    return 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Splits line into at most max blank- or tab-separated fields, in place; returns how many
// fields the line has (which can be more than max).
int SplitFields(char* line, char** fields, int max) {
    int count = 0;
    char* p = line;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (*p == '\0')
            return count;
        if (count < max)
            fields[count] = p;
        ++count;
        while (*p != '\0' && !IsBlank(*p))
            ++p;
        if (*p != '\0')
            *p++ = '\0';
    }
}

void Append(char*& out, const char* text) {
    size_t length = strlen(text);
    memcpy(out, text, length);
    out += length;
}

int SolveMany() {
    // Output is gathered in a large buffer; one line is at most nine texts and tabs.
    static char output[1 << 20];
    const size_t lineRoom = 9 * NUMBER_TEXT_SIZE + 16;
    char* out = output;

    char* line = nullptr;
    size_t capacity = 0;
    long lineNumber = 0;
    int status = 0;
    while (getline(&line, &capacity, stdin) >= 0) {
        ++lineNumber;
        char* fields[5];
        int count = SplitFields(line, fields, 5);
        if (count == 0)
            continue;
        if (count != 5) {
            fprintf(stderr, "trapcalc: line %ld: expected 5 fields, found %d\n", lineNumber, count);
            status = 2;
            break;
        }
        if (strcmp(fields[4], "0") != 0 && strcmp(fields[4], "1") != 0) {
            fprintf(stderr,
                    "trapcalc: line %ld: the fifth field must be 0 (imperial) or 1 "
                    "(metric), not '%s'\n",
                    lineNumber, fields[4]);
            status = 2;
            break;
        }
        SetDesign(ReadNumber(fields[0]), ReadNumber(fields[1]), ReadNumber(fields[2]),
                  ReadNumber(fields[3]), fields[4][0] == '1');
        SolveTrap();

        if ((size_t)(output + sizeof output - out) < lineRoom) {
            fwrite(output, 1, out - output, stdout);
            out = output;
        }
        const char* texts[9] = {g_results.turns,        g_results.coilLength,
                                g_results.cableLength,  g_results.lengthToDiameter,
                                g_results.inductance,   g_results.capacitance,
                                g_results.reactance,    g_results.lengthInfluence,
                                g_results.turnInfluence};
        for (int i = 0; i < 9; ++i) {
            if (i > 0)
                *out++ = '\t';
            Append(out, texts[i]);
        }
        *out++ = '\n';
    }
    free(line);
    fwrite(output, 1, out - output, stdout);
    fflush(stdout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            fputs(kUsage, stdout);
            return 0;
        }
    }
    if (argc > 1)
        return SolveOne(argc, argv);
    return SolveMany();
}
