// Icons and cursors: the system's own, and icon groups from the program's resources.
#include "platform/window_manager.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

namespace {

struct IconRecord {
    int width = 0;
    int height = 0;
    std::vector<BYTE> image; // the RT_ICON resource: a DIB with its mask; empty for system ones
};

struct IconTable {
    std::map<HICON, IconRecord> icons;
    // Loaded icons are shared: one handle per instance, name and size.
    std::map<std::tuple<HINSTANCE, std::string, int, int, int>, HICON> loaded;
    uintptr_t lastHandle = 0x7A0000;
};

IconTable& Icons() {
    static IconTable table;
    return table;
}

constexpr WORD RtGroupCursor = 12;

std::string NameKey(LPCSTR name) {
    if (!IS_INTRESOURCE(name))
        return std::string(name);
    char number[8];
    snprintf(number, sizeof number, "#%u", (unsigned)LOWORD(name));
    return number;
}

HICON Remember(const std::tuple<HINSTANCE, std::string, int, int, int>& key, IconRecord record) {
    IconTable& table = Icons();
    table.lastHandle += 4;
    HICON handle = reinterpret_cast<HICON>(table.lastHandle);
    table.icons[handle] = std::move(record);
    table.loaded[key] = handle;
    return handle;
}

HICON Cached(const std::tuple<HINSTANCE, std::string, int, int, int>& key) {
    auto found = Icons().loaded.find(key);
    return found == Icons().loaded.end() ? nullptr : found->second;
}

// A picture the system provides: kind 0 icons, 1 cursors.
HICON SystemPicture(LPCSTR name, int kind) {
    if (!IS_INTRESOURCE(name))
        return nullptr;
    WORD id = LOWORD(name);
    bool known = kind == 0 ? (id >= 32512 && id <= 32517)
                           : ((id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651));
    if (!known)
        return nullptr;
    auto key = std::make_tuple((HINSTANCE) nullptr, NameKey(name), kind, 0, 0);
    if (HICON handle = Cached(key))
        return handle;
    IconRecord record;
    record.width = record.height = GetSystemMetrics(kind == 0 ? SM_CXICON : SM_CXCURSOR);
    return Remember(key, std::move(record));
}

bool ResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, const BYTE** data, DWORD* size) {
    HRSRC resource = FindResourceA(instance, name, type);
    if (resource == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(instance, resource);
    *data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    *size = SizeofResource(instance, resource);
    return *data != nullptr;
}

WORD Word(const BYTE* p) {
    return (WORD)(p[0] | p[1] << 8);
}

// An icon of an icon group, the image nearest to width x height (0: the first).
HICON GroupIcon(HINSTANCE instance, LPCSTR name, int width, int height) {
    auto key = std::make_tuple(instance, NameKey(name), 0, width, height);
    if (HICON handle = Cached(key))
        return handle;
    const BYTE* group;
    DWORD groupSize;
    if (!ResourceBytes(instance, name, RT_GROUP_ICON, &group, &groupSize) || groupSize < 6)
        return nullptr;
    WORD count = Word(group + 4);
    if (Word(group + 2) != 1 || count == 0 || groupSize < 6 + 14u * count)
        return nullptr;
    int best = -1;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        int w = entry[0] ? entry[0] : 256, h = entry[1] ? entry[1] : 256;
        long score = width > 0 ? std::labs(w - width) + std::labs(h - height) : i;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    const BYTE* entry = group + 6 + 14 * best;
    const BYTE* image;
    DWORD imageSize;
    if (!ResourceBytes(instance, MAKEINTRESOURCEA(Word(entry + 12)), RT_ICON, &image, &imageSize) ||
        imageSize < 40)
        return nullptr;
    IconRecord record;
    record.width = entry[0] ? entry[0] : 256;
    record.height = entry[1] ? entry[1] : 256;
    record.image.assign(image, image + imageSize);
    return Remember(key, std::move(record));
}

} // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr)
        return nullptr;
    if (instance == nullptr)
        return SystemPicture(name, 0);
    return GroupIcon(instance, name, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr)
        return nullptr;
    if (instance == nullptr)
        return SystemPicture(name, 1);
    // The program's resources hold no cursors; one found would still be taken.
    auto key = std::make_tuple(instance, NameKey(name), 1, 0, 0);
    if (HICON handle = Cached(key))
        return handle;
    const BYTE* data;
    DWORD size;
    if (!ResourceBytes(instance, name, MAKEINTRESOURCEA(RtGroupCursor), &data, &size))
        return nullptr;
    IconRecord record;
    record.width = record.height = GetSystemMetrics(SM_CXCURSOR);
    return Remember(key, std::move(record));
}

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height,
                         UINT flags) {
    if (name == nullptr)
        return nullptr;
    switch (type) {
    case IMAGE_ICON:
        if (instance == nullptr)
            return SystemPicture(name, 0);
        if (width == 0 && (flags & LR_DEFAULTSIZE))
            width = GetSystemMetrics(SM_CXICON);
        if (height == 0 && (flags & LR_DEFAULTSIZE))
            height = GetSystemMetrics(SM_CYICON);
        return GroupIcon(instance, name, width, height);
    case IMAGE_CURSOR:
        return LoadCursorA(instance, name);
    default:
        return nullptr; // no bitmaps
    }
}

BOOL GetIconImage(HICON icon, int* width, int* height, std::vector<BYTE>* image) {
    auto found = Icons().icons.find(icon);
    if (found == Icons().icons.end())
        return FALSE;
    if (width)
        *width = found->second.width;
    if (height)
        *height = found->second.height;
    if (image)
        *image = found->second.image;
    return TRUE;
}
