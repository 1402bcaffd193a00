// Finding the program's resources: FindResourceA, LoadResource, LockResource,
// SizeofResource, and the program's module handle.
#include "platform/winapi.h"

#include "platform/resource_table.h"

namespace {

// The program's one module; its address is the instance handle.
HINSTANCE__ programModule = {};

bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == &programModule;
}

// The integer identifier a type or name stands for: MAKEINTRESOURCEA(n), or the text
// "#n" with n in decimal. Any other text names a resource by its name, and the program
// holds none of those. Zero is no identifier.
bool ResourceNumber(LPCSTR name, WORD* number) {
    if (IS_INTRESOURCE(name)) {
        *number = LOWORD(name);
        return *number != 0;
    }
    if (name[0] != '#' || name[1] == '\0')
        return false;
    unsigned long value = 0;
    for (const char* digit = name + 1; *digit; ++digit) {
        if (*digit < '0' || *digit > '9')
            return false;
        value = value * 10 + unsigned(*digit - '0');
        if (value > 0xFFFF)
            return false;
    }
    *number = WORD(value);
    return value != 0;
}

// The table entry a resource handle stands for, or nullptr when it is none of ours.
const ResourceEntry* EntryOf(HRSRC resource) {
    for (const ResourceEntry& entry : ResourceTable())
        if (reinterpret_cast<const void*>(resource) == &entry)
            return &entry;
    return nullptr;
}

} // namespace

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    WORD nameNumber = 0, typeNumber = 0;
    if (!IsProgramModule(module) || name == nullptr || type == nullptr ||
        !ResourceNumber(name, &nameNumber) || !ResourceNumber(type, &typeNumber))
        return nullptr;
    for (const ResourceEntry& entry : ResourceTable())
        if (entry.type == typeNumber && entry.name == nameNumber)
            return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&entry));
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    const ResourceEntry* entry = EntryOf(resource);
    if (!IsProgramModule(module) || entry == nullptr)
        return nullptr;
    // Resources are read-only, as in a Windows module.
    return const_cast<unsigned char*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) {
    return data;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    const ResourceEntry* entry = EntryOf(resource);
    if (!IsProgramModule(module) || entry == nullptr)
        return 0;
    return entry->size;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
    // Only the program itself is loaded.
    return name == nullptr ? &programModule : nullptr;
}
