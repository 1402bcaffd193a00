// The trap solver: from the design, the number of turns and eight quantities that follow
// from it, as texts.
#pragma once

#include "calc/numtext.h"

// The nine result texts. Empty until a design first has a solution; a design without
// one leaves them as they were.
struct TrapResults {
    char turns[NUMBER_TEXT_SIZE];
    char coilLength[NUMBER_TEXT_SIZE];  // inch or cm
    char cableLength[NUMBER_TEXT_SIZE]; // the winding plus one inch; inch or cm
    char lengthToDiameter[NUMBER_TEXT_SIZE];
    char inductance[NUMBER_TEXT_SIZE];      // uH, three decimals
    char capacitance[NUMBER_TEXT_SIZE];     // pF
    char reactance[NUMBER_TEXT_SIZE];       // Ohm
    char lengthInfluence[NUMBER_TEXT_SIZE]; // kHz per inch or per cm of cable outside
    char turnInfluence[NUMBER_TEXT_SIZE];   // kHz per inch or per cm of cable wound on
};

extern TrapResults g_results;

// Resonant frequency in kHz of inductance (uH) and capacitance (pF).
double ResonantFrequency(double inductance, double capacitance);

// Inductance in uH of a single-layer coil by Wheeler's formula; inches.
double WheelerInductance(double diameter, double turns, double length);

// Solves the trap for g_design and writes g_results. g_design is bit for bit unchanged.
void SolveTrap();
