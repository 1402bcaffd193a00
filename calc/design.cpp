#include "calc/design.h"

TrapDesign g_design;

void StoreDefaultDesign() {
    g_design.frequency = DEFAULT_FREQUENCY;
    g_design.coaxdiam = DEFAULT_COAXDIAM;
    g_design.capunit = DEFAULT_CAPUNIT;
    g_design.formdiam = DEFAULT_FORMDIAM;
    g_design.selectedCable = 0;
    g_design.coaxchoice[0] = '\0';
}

void ToggleUnits() {
    if (!g_design.metric) {
        g_design.coaxdiam = g_design.coaxdiam * CM_PER_INCH;
        g_design.metric = true;
        g_design.formdiam = g_design.formdiam * CM_PER_INCH;
        g_design.capunit = g_design.capunit * FEET_PER_METRE;
    } else {
        g_design.coaxdiam = g_design.coaxdiam * INCHES_PER_CM;
        g_design.metric = false;
        g_design.formdiam = g_design.formdiam * INCHES_PER_CM;
        g_design.capunit = g_design.capunit * METRES_PER_FOOT;
    }
}
