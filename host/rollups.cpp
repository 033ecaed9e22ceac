#include "host/rollups.h"

std::vector<Rollup>& OpenRollups() {
    static std::vector<Rollup> open;
    return open;
}

std::vector<RollupPage>& OpenRollupPages() {
    static std::vector<RollupPage> open;
    return open;
}

HWND FindRollupPage(const std::wstring& title) {
    for (const RollupPage& page : OpenRollupPages())
        if (page.title == title) return page.window;
    return nullptr;
}
