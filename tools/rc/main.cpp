// quorvin-rc: compiles a resource script into a C++ source holding the binary resources.
//
//   quorvin-rc [-I DIR]... SCRIPT OUTPUT.cpp
//
// Faults in the script are reported as "file:line: message" and give exit code 1; the
// output is written only when the whole script is sound.
#include "tools/rc/binary.h"
#include "tools/rc/emit.h"
#include "tools/rc/script.h"

#include <cstdio>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> includeDirs;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-I" && i + 1 < argc)
            includeDirs.push_back(argv[++i]);
        else if (arg.size() > 2 && arg.compare(0, 2, "-I") == 0)
            includeDirs.push_back(arg.substr(2));
        else
            files.push_back(arg);
    }
    if (files.size() != 2 || files[0].empty() || files[0][0] == '-') {
        std::cerr << "usage: quorvin-rc [-I DIR]... SCRIPT OUTPUT.cpp\n";
        return 2;
    }
    std::string source;
    try {
        auto resources = rc::EncodeResources(rc::ReadScript(files[0], includeDirs));
        source = rc::GenerateSource(resources, fs::path(files[0]).filename().string());
    } catch (const rc::ScriptError& error) {
        std::cerr << error.where().file << ":" << error.where().line << ": " << error.what()
                  << "\n";
        return 1;
    }
    fs::path output = files[1];
    fs::path partial = output;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << source;
        out.close();
        if (!out) {
            std::cerr << "quorvin-rc: cannot write " << partial.string() << "\n";
            std::error_code ignored;
            fs::remove(partial, ignored);
            return 1;
        }
    }
    std::error_code error;
    fs::rename(partial, output, error);
    if (error) {
        std::cerr << "quorvin-rc: cannot write " << output.string() << ": " << error.message()
                  << "\n";
        return 1;
    }
    return 0;
}
