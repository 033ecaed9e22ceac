// Ctrl-C outside the trace: the program ends at once with a short message and exit code 130,
// after removing the temporary files it holds, so that an interrupted command leaves nothing
// behind. During the trace, the run's own handler takes Ctrl-C as the bar's cancel instead.
#pragma once

#include <string>

// Installs the handler for the rest of the program.
void ExitOnInterrupt();

// The files that the handler removes. Hold is false when no more can be held or the path is too long.
bool HoldForInterrupt(const std::string& path);
void ReleaseForInterrupt(const std::string& path);

// While one lives, a Ctrl-C waits until it ends, so that the work it guards is never cut in half.
class InterruptsDeferred {
public:
    InterruptsDeferred();
    ~InterruptsDeferred();
    InterruptsDeferred(const InterruptsDeferred&) = delete;
    InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;
};
