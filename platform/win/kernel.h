// Resources and the few kernel calls the program makes.
#pragma once

#include "platform/win/types.h"

#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)

// Resources come from the program's own resource table (the res library); the instance
// is the program's module handle.
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL data);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
HMODULE WINAPI GetModuleHandleA(LPCSTR name); // NULL: the program itself

// number * numerator / denominator, rounded half away from zero; -1 when denominator is 0.
int WINAPI MulDiv(int number, int numerator, int denominator);

// Global memory, as the clipboard hands it over.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes);
LPVOID WINAPI GlobalLock(HGLOBAL memory);
BOOL WINAPI GlobalUnlock(HGLOBAL memory);
HGLOBAL WINAPI GlobalFree(HGLOBAL memory);
size_t WINAPI GlobalSize(HGLOBAL memory);

// Files and the process.
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008
BOOL WINAPI MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags);
BOOL WINAPI DeleteFileA(LPCSTR path);
DWORD WINAPI GetCurrentProcessId(void);
