#include "host/class_desc.h"

#include <algorithm>
#include <memory>
#include <new>

#include "host/rollups.h"

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

void ClassDesc2::BeginEditParams(IObjParam*, ReferenceMaker* obj, unsigned long, Animatable*) {
    if (obj == nullptr) return;
    for (ParamBlockDesc2* desc : blocks_) {
        if ((desc->Flags() & P_AUTO_UI) == 0) continue;
        auto* block = static_cast<IParamBlock2*>(obj->GetReference(desc->RefNo()));
        auto map = std::make_shared<IParamMap2>(desc, block, HInstance());
        OpenRollups().push_back({desc->DialogId(), desc->TitleId(), obj, block, std::move(map)});
    }
}

void ClassDesc2::EndEditParams(IObjParam*, ReferenceMaker* obj, unsigned long, Animatable*) {
    // Taken out first: closing a dialog may call back into the plug-in.
    std::vector<Rollup> closing;
    auto& open = OpenRollups();
    for (auto it = open.begin(); it != open.end();) {
        if (it->owner == obj) {
            closing.push_back(std::move(*it));
            it = open.erase(it);
        } else {
            ++it;
        }
    }
}
