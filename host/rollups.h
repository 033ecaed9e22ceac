// The command panel's automatic roll-ups: which object's block each open one shows.
#pragma once

#include <vector>

class ReferenceMaker;
class IParamBlock2;

struct Rollup {
    int dialogId;
    int titleId;
    ReferenceMaker* owner;
    IParamBlock2* block;
};

// The roll-ups open now, in the order they were opened.
std::vector<Rollup>& OpenRollups();
