// Inside the window manager: dialog templates read from their binary form, the extended
// one (DLGTEMPLATEEX) and the old one (DLGTEMPLATE). Texts come out in the code page.
#pragma once

#include "platform/winapi.h"

#include <cstddef>
#include <string>
#include <vector>

// A class, menu or text field: a name, or an ordinal (0xFFFF followed by a number).
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string text; // empty: none
};

struct DialogItemTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    TemplateName windowClass;
    TemplateName title;
    std::vector<BYTE> creationData; // the size word first, as a control receives it
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::string title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Reads a template of size bytes. false when it is malformed or does not fit in size:
// nothing beyond data + size is ever read.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& result);

// The class name that a predefined class atom in a template stands for ("Button" for
// 0x80...); nullptr for any other atom.
const char* PredefinedClassName(WORD atom);

// Makes the dialog a template describes, as CreateDialogParamA does with a resource.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC dialogProc, LPARAM initParam);
