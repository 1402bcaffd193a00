// The process's entry point on the headless display: WinMain with the program's instance
// and the arguments as its command line.
#include "platform/headless/headless.h"

#include <string>

int main(int argc, char** argv) {
    HeadlessInstall();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
}
