#include "host/hold.h"

#include <algorithm>

Hold theHold;

void Hold::Begin() { ++depth_; }

void Hold::Accept(const wchar_t* name) {
    if (depth_ == 0 || --depth_ > 0) return;
    if (!open_.empty()) steps_.push_back({name != nullptr ? name : L"", std::move(open_)});
    open_.clear();
}

void Hold::Put(RestoreObj* edit) {
    std::unique_ptr<RestoreObj> owned(edit);
    if (depth_ > 0 && owned != nullptr) open_.push_back(std::move(owned));
}

void Hold::Forget(const void* target) {
    const auto concerns = [target](const std::unique_ptr<RestoreObj>& e) { return e->Target() == target; };
    std::erase_if(open_, concerns);
    for (Step& step : steps_) std::erase_if(step.edits, concerns);
    std::erase_if(steps_, [](const Step& s) { return s.edits.empty(); });
}

bool Hold::Undo() {
    if (steps_.empty()) return false;
    Step step = std::move(steps_.back());
    steps_.pop_back();
    RestoreAll(step.edits);
    return true;
}

std::vector<std::wstring> Hold::UndoNames() const {
    std::vector<std::wstring> names;
    for (const Step& step : steps_) names.push_back(step.name);
    return names;
}

void Hold::Reset() {
    depth_ = 0;
    open_.clear();
    steps_.clear();
}

void Hold::RestoreAll(std::vector<std::unique_ptr<RestoreObj>>& edits) {
    // Latest first, so that several edits of one value end at the oldest.
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) (*it)->Restore(1);
}
