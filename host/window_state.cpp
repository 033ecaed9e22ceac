// What a test sees of a window of the host: the record kept beside the window itself.
#include "host/testing.h"

HostWindowState HostWindowStateOf(HWND hwnd) {
    const Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return {};
    return {true,    w->className, w->enabled,    w->invalidations, w->eraseAsked, w->paintOps,
            w->text, w->check,     w->buttonType, w->highlight,     w->spinner};
}
