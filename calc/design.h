// The design being calculated: four inputs, the unit system they are held in, and the
// cable chosen from the cable table.
#pragma once

#include <stdint.h>

// Room for a cable name of 103 single-byte characters and its terminating zero.
#define COAXCHOICE_SIZE 104

// Unit conversion factors. Each pair is reciprocal only to double precision.
#define CM_PER_INCH 2.54
#define INCHES_PER_CM 0.39370078740157477  // 1 / 2.54 evaluated in double
#define FEET_PER_METRE 3.280839895         // nine decimals, not 1 / 0.3048
#define METRES_PER_FOOT 0.3048000000012192 // 1 / 3.280839895 evaluated in double

// The built-in design: a 7.055 MHz trap of 0.195 inch cable, 29.667 pF per foot, wound
// on a 1.625 inch form.
#define DEFAULT_FREQUENCY 7.055
#define DEFAULT_FORMDIAM 1.625
#define DEFAULT_COAXDIAM 0.195
#define DEFAULT_CAPUNIT 29.667

struct TrapDesign {
    double frequency; // MHz in both unit systems
    double formdiam;  // coil form diameter: inch, or cm when metric
    double coaxdiam;  // cable outer diameter: inch, or cm when metric
    double capunit;   // cable capacitance: pF per foot, or pF per metre when metric
    bool metric;
    int32_t selectedCable;            // cable table row last applied; 0 when none
    char coaxchoice[COAXCHOICE_SIZE]; // name of the chosen cable; empty when none
};

extern TrapDesign g_design;

// Stores the built-in design. The unit system is left as it is.
void StoreDefaultDesign();

// Switches the unit system, converting formdiam, coaxdiam and capunit with one
// multiplication each. frequency, selectedCable and coaxchoice are left alone.
void ToggleUnits();
