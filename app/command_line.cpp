#include "app/command_line.h"

#include <filesystem>
#include <iostream>

namespace {
void Usage() {
    std::cerr << "usage: marlovan [--module PATH] info\n"
                 "       marlovan [--module PATH] render SCENE [-o OUT.svg] [--frame N] [--save SAVED]\n"
                 "  info    load the module and list its description, SDK version and classes\n"
                 "  render  build the scene (a scene file or a saved scene) and write the viewport's\n"
                 "          top view as SVG; --save also saves the scene with its recorded motion\n";
}

bool ParseInt(const std::string& text, int& out) {
    try {
        std::size_t used = 0;
        out = std::stoi(text, &used);
        return used == text.size();
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, char** argv, const std::string& defaultModule) {
    CommandLine cl;
    cl.modulePath = defaultModule;
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--module" && hasValue) {
            cl.modulePath = argv[++i];
        } else if (arg == "-o" && hasValue) {
            cl.outputPath = argv[++i];
        } else if (arg == "--save" && hasValue) {
            cl.savePath = argv[++i];
        } else if (arg == "--frame" && hasValue) {
            ok = ParseInt(argv[++i], cl.frame);
        } else if (!arg.empty() && arg[0] != '-' && cl.command.empty()) {
            cl.command = arg;
        } else if (!arg.empty() && arg[0] != '-' && cl.command == "render" && cl.scenePath.empty()) {
            cl.scenePath = arg;
        } else {
            ok = false;
        }
    }
    ok = ok && (cl.command == "info" || (cl.command == "render" && !cl.scenePath.empty()));
    if (!ok) {
        Usage();
        return std::nullopt;
    }
    if (cl.command == "render" && cl.outputPath.empty())
        cl.outputPath = std::filesystem::path(cl.scenePath).stem().string() + ".svg";
    return cl;
}
