// The run's user interface on a terminal: the progress bar as a line of text, Ctrl-C as the
// bar's cancel, message boxes printed and answered from the command line. Where the output is
// no terminal (a log, a pipe) the bar is a line of its own at each quarter, not redrawn per percent.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class TerminalRunUi {
public:
    // stopAnswer answers "Stop Tracing?"; boxes with an OK button are printed and noted.
    TerminalRunUi(std::ostream& err, bool stopAnswer, bool terminal);
    ~TerminalRunUi();
    TerminalRunUi(const TerminalRunUi&) = delete;
    TerminalRunUi& operator=(const TerminalRunUi&) = delete;

    // The texts of the error boxes shown, in order.
    const std::vector<std::string>& Errors() const { return errors_; }

private:
    std::ostream& err_;
    std::vector<std::string> errors_;
    int percent_ = -1;
    void (*previousHandler_)(int) = nullptr;
};
