// "run": trace a scene as a user does with the panel's "Trace", or play a saved run back, and
// write what the user would look at.
#pragma once

#include <ostream>

struct CommandLine;
class ModuleLibrary;

// The exit code: 0, or 1 when the run showed an error (and nothing was written). errTerminal
// says whether err is a terminal, where the progress bar redraws itself in place.
int RunCommand(const ModuleLibrary& module, const CommandLine& cl, std::ostream& out, std::ostream& err,
               bool errTerminal);
