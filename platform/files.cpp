// Files and the process: the few kernel calls beyond resources.
#include "platform/winapi.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// Makes what was written to path durable; true when it could be flushed.
bool SyncPath(const char* path, int flags) {
    int fd = open(path, flags);
    if (fd < 0)
        return false;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

std::string DirectoryOf(const char* path) {
    std::string text(path);
    size_t slash = text.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : text.substr(0, slash);
}

} // namespace

BOOL WINAPI MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags) {
    if (existing == nullptr || replacement == nullptr)
        return FALSE;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && access(replacement, F_OK) == 0)
        return FALSE;
    if ((flags & MOVEFILE_WRITE_THROUGH) && !SyncPath(existing, O_RDONLY))
        return FALSE;
    if (rename(existing, replacement) != 0)
        return FALSE;
    if (flags & MOVEFILE_WRITE_THROUGH)
        SyncPath(DirectoryOf(replacement).c_str(), O_RDONLY | O_DIRECTORY);
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
    return path != nullptr && unlink(path) == 0;
}

DWORD WINAPI GetCurrentProcessId(void) {
    return (DWORD)getpid();
}
