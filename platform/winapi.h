// The one platform header the application includes. On Windows it is the system's own;
// everywhere else it is our implementation of the same API: the subset of USER, GDI,
// WinHelp and the resource calls that the program makes, with the real names, types,
// constants and signatures.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/win/types.h"
#include "platform/win/kernel.h"
#include "platform/win/user.h"
#include "platform/win/gdi.h"
#endif
