#include "datafiles/settings.h"

#include "calc/design.h"
#include "calc/numtext.h"
#include "datafiles/cabletable.h"
#include "platform/winapi.h"

#include <stdio.h>
#include <string.h>

#define SETTINGS_LINE_SIZE 200

static bool IsKeyEnd(char c) {
    return c == '\t' || c == ' ' || c == '\0';
}

void LoadSettings() {
    FILE* file = fopen(SETTINGS_FILE, "r");
    if (file == NULL)
        return;
    char line[SETTINGS_LINE_SIZE];
    while (fgets(line, sizeof line, file) != NULL) {
        TrimRight(line);

        // The key: the first run of characters that are neither tab nor blank.
        char* key = line;
        while (*key == '\t' || *key == ' ')
            ++key;
        if (*key == '\0')
            continue;
        char* value = key;
        while (!IsKeyEnd(*value))
            ++value;
        if (*value == '\0')
            continue;
        *value++ = '\0';

        // The value: after the character that ended the key, tabs skipped, blanks kept,
        // up to the next tab.
        while (*value == '\t')
            ++value;
        if (*value == '\0')
            continue;
        char* end = value;
        while (*end != '\0' && *end != '\t')
            ++end;
        *end = '\0';

        if (SameName(key, "coaxchoice")) {
            TrimRight(value);
            CopyName(g_design.coaxchoice, value, COAXCHOICE_SIZE);
        } else if (SameName(key, "frequency")) {
            g_design.frequency = ReadNumber(value);
        } else if (SameName(key, "formdiam")) {
            g_design.formdiam = ReadNumber(value);
        } else if (SameName(key, "coaxdiam")) {
            g_design.coaxdiam = ReadNumber(value);
        } else if (SameName(key, "capunit")) {
            g_design.capunit = ReadNumber(value);
        } else if (SameName(key, "metric")) {
            g_design.metric = value[0] == 'y';
        }
    }
    fclose(file);
}

// Appends "key<TAB>value<CR><LF>" at *end.
static void AppendLine(char** end, const char* key, const char* value) {
    size_t keyLength = strlen(key);
    size_t valueLength = strlen(value);
    memcpy(*end, key, keyLength);
    (*end)[keyLength] = '\t';
    memcpy(*end + keyLength + 1, value, valueLength);
    memcpy(*end + keyLength + 1 + valueLength, "\r\n", 2);
    *end += keyLength + valueLength + 3;
}

static void AppendNumber(char** end, const char* key, double value) {
    char text[NUMBER_TEXT_SIZE];
    FormatNumber(text, sizeof text, value, 3);
    AppendLine(end, key, text);
}

void SaveSettings() {
    if (g_design.coaxchoice[0] == '\0')
        return;

    // Six lines: the longest key, a tab, the longest value and CR LF each.
    static char contents[6 * (16 + NUMBER_TEXT_SIZE)];
    char* end = contents;
    AppendLine(&end, "coaxchoice", g_design.coaxchoice);
    AppendNumber(&end, "frequency", g_design.frequency);
    AppendNumber(&end, "formdiam", g_design.formdiam);
    AppendNumber(&end, "coaxdiam", g_design.coaxdiam);
    AppendNumber(&end, "capunit", g_design.capunit);
    AppendLine(&end, "metric", g_design.metric ? "yes" : "no");
    size_t length = (size_t)(end - contents);

    // Written beside the file first, then moved over it, so the old settings survive a
    // full disk or a crash half-way.
    char temporary[64];
    snprintf(temporary, sizeof temporary, "%s.%lu.tmp", SETTINGS_FILE,
             (unsigned long)GetCurrentProcessId());
    FILE* file = fopen(temporary, "wb");
    if (file == NULL)
        return;
    bool written = fwrite(contents, 1, length, file) == length;
    written = fflush(file) == 0 && written;
    written = fclose(file) == 0 && written;
    if (!written ||
        !MoveFileExA(temporary, SETTINGS_FILE, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(temporary);
}
