// The command panel's automatic roll-ups: which object's block each open one shows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/param_map.h"
#include "host/win32.h"

class ReferenceMaker;
class IParamBlock2;

struct Rollup {
    int dialogId;
    int titleId;
    ReferenceMaker* owner;
    IParamBlock2* block;
    std::shared_ptr<IParamMap2> map;  // the roll-up's dialog and controls
};

// The roll-ups open now, in the order they were opened.
std::vector<Rollup>& OpenRollups();

// A page that a plug-in added to the command panel itself.
struct RollupPage {
    HWND window;
    std::wstring title;
    int dialogId;
    int category;
};

// The pages open now, in the order they were added.
std::vector<RollupPage>& OpenRollupPages();
// The open page with this title, or null.
HWND FindRollupPage(const std::wstring& title);
