// The program on the desktop: WinMain with the program's instance and the arguments as
// its command line, its windows shown through the desktop display. Without a desktop the
// program's window cannot be created, which the program itself reports.
#include "platform/sdl/sdl.h"
#include "platform/winapi.h"

#include <string>

int main(int argc, char** argv) {
    InstallSdlDisplay();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    CloseSdlDisplay();
    return result;
}
