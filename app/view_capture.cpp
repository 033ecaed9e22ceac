#include "app/view_capture.h"

#include "host/interface.h"
#include "host/viewport.h"

namespace {
void DrawNode(INode* node, TimeValue t, ViewExp& vpt) {
    if (!node->IsHidden()) {
        ObjectState os = node->EvalWorldState(t);
        if (os.obj != nullptr) {
            // The host asks for validity before drawing; objects refresh their caches then.
            os.obj->ObjectValidity(t);
            os.obj->Display(t, node, &vpt, 0);
        }
    }
    for (int i = 0; i < node->NumberOfChildren(); ++i) DrawNode(node->GetChildNode(i), t, vpt);
}
}  // namespace

std::vector<DrawRecord> CaptureView(Interface* ip, TimeValue t) {
    ViewExp vpt;
    INode* root = ip->GetRootNode();
    for (int i = 0; i < root->NumberOfChildren(); ++i) DrawNode(root->GetChildNode(i), t, vpt);
    return vpt.getGW()->Records();
}
