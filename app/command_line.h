// The headless host's command line.
#pragma once

#include <optional>
#include <string>

struct CommandLine {
    std::string modulePath;
    std::string command;  // "info" or "render"
    std::string scenePath;
    std::string outputPath;
    std::string savePath;  // empty: the scene is not saved
    int frame = 0;
};

// Nullopt, after printing the usage, when the words do not make a command.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, const std::string& defaultModule);
