// The surfaces of the top-level windows: made on first use, resized with their windows,
// forgotten with them; and the caret laid over them while they are looked at, taken off
// again before anything is drawn, so that it never stays in the pixels.
#include "platform/draw_target.h"

#include <algorithm>
#include <map>

namespace {

constexpr uint32_t kBlank = 0x00FFFFFF; // what a surface shows before anything is drawn

struct SurfaceRecord {
    Surface surface;
    bool caretOn = false;
    RECT caretBox{0, 0, 0, 0}; // the surface pixels under the caret, kept in under
    std::vector<uint32_t> under;
};

std::map<HWND, SurfaceRecord>& Records() {
    static std::map<HWND, SurfaceRecord> records;
    return records;
}

// The root's surface size, or false when the handle is no top-level window.
bool RootSize(HWND root, int* width, int* height) {
    WindowDrawArea area;
    if (!root || !WmWindowDrawArea(root, false, &area) || area.root != root)
        return false;
    *width = area.rootWidth;
    *height = area.rootHeight;
    return true;
}

// Forgets the surfaces of windows that are gone.
void Prune() {
    auto& records = Records();
    for (auto it = records.begin(); it != records.end();) {
        int width, height;
        if (RootSize(it->first, &width, &height))
            ++it;
        else
            it = records.erase(it);
    }
}

void TakeCaretOff(SurfaceRecord& record) {
    if (!record.caretOn)
        return;
    Surface& surface = record.surface;
    const RECT& box = record.caretBox;
    int width = box.right - box.left;
    for (LONG y = box.top; y < box.bottom; ++y) {
        const uint32_t* source = record.under.data() + (size_t)(y - box.top) * width;
        std::copy(source, source + width,
                  surface.pixels.data() + (size_t)y * surface.width + box.left);
    }
    record.caretOn = false;
    record.under.clear();
    ++surface.version;
}

// The record of a root sized width x height: made, or resized keeping what fits.
SurfaceRecord& Sized(HWND root, int width, int height) {
    auto& records = Records();
    auto found = records.find(root);
    if (found == records.end()) {
        Prune();
        found = records.emplace(root, SurfaceRecord{}).first;
    }
    SurfaceRecord& record = found->second;
    Surface& surface = record.surface;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (surface.width != width || surface.height != height ||
        surface.pixels.size() != (size_t)width * height) {
        TakeCaretOff(record);
        std::vector<uint32_t> pixels((size_t)width * height, kBlank);
        int keepWidth = std::min(width, surface.width);
        int keepHeight = std::min(height, surface.height);
        for (int y = 0; y < keepHeight; ++y) {
            const uint32_t* source = surface.pixels.data() + (size_t)y * surface.width;
            std::copy(source, source + keepWidth, pixels.data() + (size_t)y * width);
        }
        surface.pixels = std::move(pixels);
        surface.width = width;
        surface.height = height;
        ++surface.version;
    }
    return record;
}

} // namespace

Surface* SurfaceForDrawing(HWND root, int width, int height) {
    SurfaceRecord& record = Sized(root, width, height);
    TakeCaretOff(record);
    ++record.surface.version;
    return &record.surface;
}

void SurfaceRemoveCaret() {
    for (auto& entry : Records())
        TakeCaretOff(entry.second);
}

void SurfaceShowCaret(HWND root) {
    auto found = Records().find(root);
    if (found == Records().end())
        return;
    SurfaceRecord& record = found->second;
    HWND owner = nullptr;
    RECT rect{0, 0, 0, 0};
    WindowDrawArea area;
    RectList parts;
    if (CaretVisibleRect(&owner, &rect) && WmWindowDrawArea(owner, false, &area) &&
        area.root == root) {
        RECT onSurface = RectOffset(rect, area.origin.x, area.origin.y);
        parts = RegionIntersect(area.visible, onSurface);
        parts = RegionIntersect(parts, RECT{0, 0, record.surface.width, record.surface.height});
    }
    RECT box = RegionBounds(parts);
    if (record.caretOn && EqualRect(&box, &record.caretBox))
        return; // already there
    TakeCaretOff(record);
    if (parts.empty())
        return;
    Surface& surface = record.surface;
    int width = box.right - box.left;
    record.under.resize((size_t)width * (box.bottom - box.top));
    for (LONG y = box.top; y < box.bottom; ++y) {
        const uint32_t* row = surface.pixels.data() + (size_t)y * surface.width;
        std::copy(row + box.left, row + box.right,
                  record.under.data() + (size_t)(y - box.top) * width);
    }
    // The caret inverts what it covers.
    for (const RECT& part : parts) {
        for (LONG y = part.top; y < part.bottom; ++y) {
            uint32_t* row = surface.pixels.data() + (size_t)y * surface.width;
            for (LONG x = part.left; x < part.right; ++x)
                row[x] ^= 0x00FFFFFF;
        }
    }
    record.caretBox = box;
    record.caretOn = true;
    ++surface.version;
}

const Surface* WindowSurface(HWND topLevel) {
    int width, height;
    if (!RootSize(topLevel, &width, &height))
        return nullptr;
    SurfaceRecord& record = Sized(topLevel, width, height);
    SurfaceShowCaret(topLevel);
    return &record.surface;
}
