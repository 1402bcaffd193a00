// The GDI object table: handles, lookup, DeleteObject, GetObjectA and GetObjectType.
#include "platform/gdi_objects.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Handles are multiples of four from kFirstHandle upwards, far above the small numbers that
// brush arguments use for system colours, and never reused.
constexpr uintptr_t kFirstHandle = 0x40000000;
constexpr uintptr_t kLastHandle = 0x7FFFFFFC;

struct Table {
    std::unordered_map<uintptr_t, GdiRef> objects;
    uintptr_t next = kFirstHandle;
};

Table& TheTable() {
    static Table table;
    return table;
}

// Copies an object's description into the caller's buffer, never more than size bytes.
int CopyOut(const void* source, size_t sourceSize, int size, LPVOID buffer) {
    if (!buffer)
        return (int)sourceSize;
    if (size <= 0)
        return 0;
    size_t count = std::min((size_t)size, sourceSize);
    memcpy(buffer, source, count);
    return (int)count;
}

} // namespace

HGDIOBJ GdiInsert(GdiRef object) {
    Table& table = TheTable();
    if (!object || table.next > kLastHandle)
        return nullptr;
    uintptr_t value = table.next;
    table.next += 4;
    object->handle = (HGDIOBJ)value;
    table.objects[value] = std::move(object);
    return (HGDIOBJ)value;
}

GdiRef GdiFindRef(HGDIOBJ handle, DWORD type) {
    Table& table = TheTable();
    auto found = table.objects.find((uintptr_t)handle);
    if (found == table.objects.end())
        return nullptr;
    if (type != 0 && found->second->type != type)
        return nullptr;
    return found->second;
}

GdiObject* GdiFind(HGDIOBJ handle, DWORD type) {
    Table& table = TheTable();
    auto found = table.objects.find((uintptr_t)handle);
    if (found == table.objects.end())
        return nullptr;
    if (type != 0 && found->second->type != type)
        return nullptr;
    return found->second.get();
}

void GdiErase(HGDIOBJ handle) {
    TheTable().objects.erase((uintptr_t)handle);
}

long GdiSelectionCount(const GdiRef& object) {
    // The table holds one reference and the caller another; every further one is a DC
    // state that has the object selected.
    return object ? object.use_count() - 2 : 0;
}

GdiDc* GdiFindDc(HDC dc) {
    GdiObject* object = GdiFind(dc, OBJ_DC);
    return object ? object->dc.get() : nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiRef object = GdiFindRef(handle);
    if (!object || object->type == OBJ_DC)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (GdiSelectionCount(object) > 0)
        return FALSE; // still selected into a device context: it stays
    GdiErase(handle);
    return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ handle) {
    GdiObject* object = GdiFind(handle);
    return object ? object->type : 0;
}

int WINAPI GetObjectA(HANDLE handle, int size, LPVOID buffer) {
    GdiObject* object = GdiFind(handle);
    if (!object)
        return 0;
    switch (object->type) {
    case OBJ_FONT:
        return CopyOut(&object->font, sizeof object->font, size, buffer);
    case OBJ_BRUSH:
        return CopyOut(&object->brush, sizeof object->brush, size, buffer);
    case OBJ_PEN:
        return CopyOut(&object->pen, sizeof object->pen, size, buffer);
    default:
        return 0;
    }
}
