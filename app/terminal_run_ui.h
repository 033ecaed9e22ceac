// The run's user interface on a terminal: the progress bar as a line of text, Ctrl-C as the
// bar's cancel, message boxes printed and answered from the command line. Where the output is
// no terminal (a log, a pipe) the bar is a line of its own at each quarter, not redrawn per percent.
#pragma once

#include <ostream>
#include <string>
#include <vector>

long long SteadyMs();

class TerminalRunUi {
public:
    // stopAnswer answers "Stop Tracing?", but a second Ctrl-C within two seconds of the one
    // before always answers Yes; the seconds are counted on clockMs (milliseconds), the steady
    // clock unless a test sets its own. A Ctrl-C before the bar opens (during placement) is kept
    // for it. Boxes with an OK button are printed and noted.
    TerminalRunUi(std::ostream& err, bool stopAnswer, bool terminal, long long (*clockMs)() = SteadyMs);
    ~TerminalRunUi();
    TerminalRunUi(const TerminalRunUi&) = delete;
    TerminalRunUi& operator=(const TerminalRunUi&) = delete;

    // The texts of the error boxes shown, in order.
    const std::vector<std::string>& Errors() const { return errors_; }
    // The bar's updates since it opened: one per frame the run stepped.
    int Updates() const { return updates_; }

private:
    std::ostream& err_;
    std::vector<std::string> errors_;
    int percent_ = -1;
    int updates_ = 0;
    void (*previousHandler_)(int) = nullptr;
};
