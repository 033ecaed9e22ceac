#include <algorithm>
#include <memory>
#include <vector>

#include "host/hold.h"
#include "host/interface.h"

namespace {
bool Listed(INodeTab& nodes, INode* node) {
    for (int i = 0; i < nodes.Count(); ++i)
        if (nodes[i] == node) return true;
    return false;
}

// In scene order: a listed node, and with expand every node below one, parents first.
void CollectSources(INode* node, INodeTab& nodes, bool expand, bool below, std::vector<INode*>& out) {
    const bool listed = Listed(nodes, node);
    if (listed || (expand && below)) out.push_back(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        CollectSources(node->GetChildNode(i), nodes, expand, below || listed, out);
}

// Undoing a clone deletes the clones that are still in the scene.
class CloneRestore : public RestoreObj {
public:
    CloneRestore(Interface* ip, std::vector<ULONG> handles) : ip_(ip), handles_(std::move(handles)) {}
    void Restore(int) override {
        for (auto it = handles_.rbegin(); it != handles_.rend(); ++it) ip_->DeleteNode(ip_->GetINodeByHandle(*it));
    }
    const void* Target() const override { return ip_; }

private:
    Interface* ip_;
    std::vector<ULONG> handles_;
};
}  // namespace

INode* Interface::CloneOne(INode* source, INode* parent, CloneType cloneType, RemapDir& remap) {
    Object* obj = source->GetObjectRef();
    if (cloneType == NODE_COPY && obj != nullptr)
        if (ReferenceTarget* copy = remap.CloneRef(obj)) obj = static_cast<Object*>(copy);
    std::wstring name = source->GetName();
    MakeNameUnique(name);
    INode* node = CreateObjectNode(obj, parent);
    node->SetName(name);
    if (ReferenceTarget* control = remap.CloneRef(source->GetTMController()))
        node->SetTMController(static_cast<Control*>(control));
    else
        node->SetNodeTM(time_, source->GetNodeTM(time_));
    // Shared: world-space modifiers are not copied, and so none is lost.
    if (IDerivedObject* wsm = source->GetWSMDerivedObject())
        for (int i = wsm->NumModifiers() - 1; i >= 0; --i)
            node->AddWSModifier(static_cast<WSModifier*>(wsm->GetModifier(i)));
    node->SetObjOffset(source->GetObjOffset());
    node->SetWireColor(source->GetWireColor());
    node->Hide(source->IsHidden());
    node->Freeze(source->IsFrozen());
    return node;
}

bool Interface::CloneNodes(INodeTab& nodes, Point3& offset, bool expandHierarchies, CloneType cloneType,
                           INodeTab* resultSource, INodeTab* resultTarget) {
    std::vector<INode*> sources;
    for (int i = 0; i < root_->NumberOfChildren(); ++i)
        CollectSources(root_->GetChildNode(i), nodes, expandHierarchies, false, sources);
    RemapDir remap;
    std::vector<INode*> targets;
    std::vector<ULONG> handles;
    for (INode* source : sources) {
        const auto parentAt = std::find(sources.begin(), sources.end(), source->GetParentNode());
        const bool top = parentAt == sources.end();
        INode* parent = top ? source->GetParentNode() : targets[static_cast<std::size_t>(parentAt - sources.begin())];
        INode* clone = CloneOne(source, parent, cloneType, remap);
        // A controller that follows something else ignores this, as it ignores any setting.
        if (top) clone->SetNodeTM(time_, source->GetNodeTM(time_) * TransMatrix(offset));
        targets.push_back(clone);
        handles.push_back(clone->GetHandle());
        if (resultSource != nullptr) resultSource->Append(1, &source);
        if (resultTarget != nullptr) resultTarget->Append(1, &clone);
    }
    if (theHold.Holding() && !handles.empty()) theHold.Put(new CloneRestore(this, std::move(handles)));
    return !targets.empty();
}
