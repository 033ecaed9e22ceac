#include "host/class_desc.h"

#include <new>

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) const {
    for (ParamBlockDesc2* desc : blocks_)
        if (desc->ID() == id) return desc;
    return nullptr;
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    if (owner == nullptr) return;
    for (ParamBlockDesc2* desc : blocks_) {
        if ((desc->Flags() & P_AUTO_CONSTRUCT) == 0) continue;
        // An allocation failure leaves the reference empty; the owner copes with a null block.
        auto* block = new (std::nothrow) IParamBlock2(desc);
        if (block != nullptr) owner->ReplaceReference(desc->RefNo(), block);
    }
}
