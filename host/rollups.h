// The command panel's automatic roll-ups: which object's block each open one shows.
#pragma once

#include <memory>
#include <vector>

#include "host/param_map.h"

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
