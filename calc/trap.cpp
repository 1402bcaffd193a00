#include "calc/trap.h"

#include "calc/cubic.h"
#include "calc/design.h"

#include <cmath>

TrapResults g_results;

double ResonantFrequency(double inductance, double capacitance) {
    return 1000000.0 / (std::sqrt(inductance * capacitance) * 6.283185307179586);
}

double WheelerInductance(double diameter, double turns, double length) {
    return (diameter * diameter * turns * turns) / (diameter * 18.0 + length * 40.0);
}

namespace {

void WriteTexts(double n, double scale) {
    const double df = g_design.formdiam;
    const double dc = g_design.coaxdiam;
    const double cp = g_design.capunit;
    const double f = g_design.frequency;

    const double cable = ((df + dc) * n) * 3.141592653589793 + 1.0;
    const double ctot = (cable * cp) * 0.08333333333333333;
    const double l = 1.0 / ((f * 0.006283185307179586) * (f * 0.006283185307179586) * ctot);
    const double coil = dc * n;

    FormatNumber(g_results.turns, sizeof g_results.turns, n, 2);
    FormatNumber(g_results.coilLength, sizeof g_results.coilLength, coil * scale, 2);
    FormatNumber(g_results.cableLength, sizeof g_results.cableLength, cable * scale, 2);
    FormatNumber(g_results.lengthToDiameter, sizeof g_results.lengthToDiameter,
                 (dc * n) / (df + dc), 2);
    FormatNumber(g_results.inductance, sizeof g_results.inductance, l, 3);
    FormatNumber(g_results.reactance, sizeof g_results.reactance, (f * l) * 6.283185307179586, 2);
    FormatNumber(g_results.capacitance, sizeof g_results.capacitance, ctot, 2);

    // One more inch of cable outside the winding adds the capacitance of one inch.
    const double oneInch = cp * 0.08333333333333333;
    const double fr = ResonantFrequency(l, ctot);
    FormatNumber(g_results.lengthInfluence, sizeof g_results.lengthInfluence,
                 (fr - ResonantFrequency(l, ctot + oneInch)) / scale, 2);

    // One more inch wound on adds 1/(pi * form diameter) turns and lengthens the winding.
    const double e = 1.0 / (df * 3.141592653589793);
    const double l2 = WheelerInductance(df + dc, n + e, coil + dc * e);
    FormatNumber(g_results.turnInfluence, sizeof g_results.turnInfluence,
                 (ResonantFrequency(l, ctot) - ResonantFrequency(l2, ctot + oneInch)) / scale, 2);
}

} // namespace

void SolveTrap() {
    const double coaxdiam = g_design.coaxdiam;
    const double formdiam = g_design.formdiam;
    const double capunit = g_design.capunit;

    // Inside, everything is inches, pF per foot and MHz.
    double scale = 1.0;
    if (g_design.metric) {
        g_design.coaxdiam = g_design.coaxdiam * INCHES_PER_CM;
        g_design.formdiam = g_design.formdiam * INCHES_PER_CM;
        g_design.capunit = g_design.capunit * METRES_PER_FOOT;
        scale = CM_PER_INCH;
    }

    const double dc = g_design.coaxdiam;
    const double cp = g_design.capunit;
    const double diameter = g_design.formdiam + dc;
    const double w = g_design.frequency * 6.283185307179586;
    double coef[4];
    coef[0] = ((w * w) * (diameter * diameter)) * diameter * cp * 3.141592653589793;
    coef[1] = ((w * w) * (diameter * diameter)) * cp;
    coef[2] = dc * (-480000000.0);
    coef[3] = diameter * (-216000000.0);

    CubicRoots roots;
    SolveCubic(coef, &roots);

    // Every real, non-negative root writes the texts: the last one accepted wins.
    for (int slot = 0; slot < 3; ++slot) {
        if (roots.imagPart[slot] == 0 && roots.realPart[slot] >= 0)
            WriteTexts(roots.realPart[slot], scale);
    }

    g_design.coaxdiam = coaxdiam;
    g_design.formdiam = formdiam;
    g_design.capunit = capunit;
}
