// What the host's plug-in manager would show of a loaded module.
#pragma once

#include <ostream>

class ModuleLibrary;

void PrintModuleReport(const ModuleLibrary& module, std::ostream& out);
