// Names that scripts use for controls and keys.
#include "script.h"

#include "res/resource.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Named {
    const char* name;
    int value;
};

const Named kControls[] = {
    {"IDC_FREQUENCY", IDC_FREQUENCY},
    {"IDC_CAPUNIT", IDC_CAPUNIT},
    {"IDC_COAXDIAM", IDC_COAXDIAM},
    {"IDC_FORMDIAM", IDC_FORMDIAM},
    {"IDC_FORMDIAM_UNIT", IDC_FORMDIAM_UNIT},
    {"IDC_COAXDIAM_UNIT", IDC_COAXDIAM_UNIT},
    {"IDC_CAPUNIT_UNIT", IDC_CAPUNIT_UNIT},
    {"IDC_COILLENGTH_UNIT", IDC_COILLENGTH_UNIT},
    {"IDC_TURNS", IDC_TURNS},
    {"IDC_LENGTHINFLUENCE", IDC_LENGTHINFLUENCE},
    {"IDC_CABLELENGTH", IDC_CABLELENGTH},
    {"IDC_COILLENGTH", IDC_COILLENGTH},
    {"IDC_LENGTHTODIAMETER", IDC_LENGTHTODIAMETER},
    {"IDC_CABLELENGTH_UNIT", IDC_CABLELENGTH_UNIT},
    {"IDC_LENGTHINFLUENCE_UNIT", IDC_LENGTHINFLUENCE_UNIT},
    {"IDC_REACTANCE", IDC_REACTANCE},
    {"IDC_CAPACITANCE", IDC_CAPACITANCE},
    {"IDC_INDUCTANCE", IDC_INDUCTANCE},
    {"IDC_INDUCTANCE_UNIT", IDC_INDUCTANCE_UNIT},
    {"IDC_CAPACITANCE_UNIT", IDC_CAPACITANCE_UNIT},
    {"IDC_REACTANCE_UNIT", IDC_REACTANCE_UNIT},
    {"IDC_TURNINFLUENCE_UNIT", IDC_TURNINFLUENCE_UNIT},
    {"IDC_METRIC", IDC_METRIC},
    {"IDC_IMPERIAL", IDC_IMPERIAL},
    {"IDC_TITLE", IDC_TITLE},
    {"IDC_HELPCMD", IDC_HELPCMD},
    {"IDC_EXIT", IDC_EXIT},
    {"IDC_TURNINFLUENCE", IDC_TURNINFLUENCE},
    {"IDC_CABLECHOICE", IDC_CABLECHOICE},
};

const Named kKeys[] = {
    {"Tab", VK_TAB},       {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Backspace", VK_BACK},
    {"Delete", VK_DELETE}, {"Left", VK_LEFT},    {"Right", VK_RIGHT},   {"Up", VK_UP},
    {"Down", VK_DOWN},     {"Home", VK_HOME},    {"End", VK_END},       {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT}, {"F4", VK_F4},        {"Space", VK_SPACE},
};

} // namespace

bool ControlIdFromName(const std::string& name, int* id) {
    for (const Named& control : kControls) {
        if (name == control.name) {
            *id = control.value;
            return true;
        }
    }
    if (name.empty() || name.size() > 9)
        return false;
    for (char c : name) {
        if (c < '0' || c > '9')
            return false;
    }
    *id = atoi(name.c_str());
    return true;
}

std::string ControlName(int id) {
    for (const Named& control : kControls) {
        if (control.value == id)
            return control.name;
    }
    return std::to_string(id);
}

bool ParseKeyCombo(const std::string& text, KeyCombo* combo) {
    std::string rest = text;
    *combo = KeyCombo();
    for (;;) {
        if (rest.rfind("Shift+", 0) == 0) {
            combo->shift = true;
            rest.erase(0, 6);
        } else if (rest.rfind("Ctrl+", 0) == 0) {
            combo->control = true;
            rest.erase(0, 5);
        } else if (rest.rfind("Alt+", 0) == 0) {
            combo->alt = true;
            rest.erase(0, 4);
        } else {
            break;
        }
    }
    for (const Named& key : kKeys) {
        if (rest == key.name) {
            combo->key = key.value;
            return true;
        }
    }
    if (rest.size() == 1) {
        char c = rest[0];
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            combo->key = c;
            return true;
        }
    }
    return false;
}
