// The headless host's command line: a subcommand per task, each with its own --help.
#pragma once

#include <optional>
#include <ostream>
#include <string>

struct CommandLine {
    std::string modulePath;
    std::string command;  // "info", "render", "run" or "params"
    std::string scenePath;
    std::string outputPath;
    std::string savePath;  // empty: the scene is not saved
    long long frame = 0;
    // run
    std::string surfaceName;
    std::string csvPath;  // empty: no CSV
    std::optional<long long> startFrame;  // nullopt: as the panel has it
    std::optional<long long> endFrame;
    bool stopAnswer = true;  // the answer to "Stop Tracing?" after Ctrl-C
    bool load = false;       // play the scene's recorded motion back instead of tracing
};

// Nullopt when the program should stop now: after --help (exit code 0) or after an error that
// names the option and the bad value (exit code 2). Help goes to out, errors to err.
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, const std::string& defaultModule,
                                            std::ostream& out, std::ostream& err, int& exitCode);
