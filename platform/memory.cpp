// Global memory blocks (the clipboard's currency) and MulDiv.
#include "platform/winapi.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace {

// Live blocks and their sizes; a handle is the block's address.
std::unordered_map<void*, size_t>& Blocks() {
    static std::unordered_map<void*, size_t> blocks;
    return blocks;
}

} // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes) {
    void* block =
        (flags & GMEM_ZEROINIT) ? calloc(bytes ? bytes : 1, 1) : malloc(bytes ? bytes : 1);
    if (block)
        Blocks()[block] = bytes;
    return block;
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
    return Blocks().count(memory) ? memory : nullptr;
}

BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
    (void)memory;
    return FALSE; // no lock count is kept: the block is always unlocked afterwards
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    auto found = Blocks().find(memory);
    if (found == Blocks().end())
        return memory;
    Blocks().erase(found);
    free(memory);
    return nullptr;
}

size_t WINAPI GlobalSize(HGLOBAL memory) {
    auto found = Blocks().find(memory);
    return found == Blocks().end() ? 0 : found->second;
}

int WINAPI MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    long long product = (long long)number * numerator;
    // Round half away from zero, with the sign of the exact quotient.
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = product < 0 ? -product : product;
    long long divisor = denominator < 0 ? -(long long)denominator : denominator;
    long long quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > 0x7fffffffLL)
        return -1;
    return negative ? (int)-quotient : (int)quotient;
}
