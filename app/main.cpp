// The headless host: loads the plug-in module and shows what a user of the host would see.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/module_library.h"
#include "app/module_report.h"

namespace {
void Usage() {
    std::cerr << "usage: marlovan [--module PATH] info\n"
                 "  info    load the module and list its description, SDK version and classes\n";
}

std::string DefaultModulePath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("Marlovan.dlo") : (exe.parent_path() / "Marlovan.dlo").string();
}
}  // namespace

int main(int argc, char** argv) {
    std::string modulePath = DefaultModulePath();
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--module" && i + 1 < argc) {
            modulePath = argv[++i];
        } else if (command.empty() && arg[0] != '-') {
            command = arg;
        } else {
            Usage();
            return 2;
        }
    }
    if (command != "info") {
        Usage();
        return 2;
    }
    try {
        const ModuleLibrary module(modulePath);
        PrintModuleReport(module, std::cout);
    } catch (const std::exception& e) {
        std::cerr << "marlovan: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
