#include "app/view_capture.h"

#include <cmath>
#include <stdexcept>

#include "app/scene_limits.h"
#include "app/text.h"
#include "host/interface.h"
#include "host/viewport.h"

namespace {

Point3 WireColor(INode* node) {
    const DWORD c = node->GetWireColor();
    return {(c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f};
}

class Capture {
public:
    explicit Capture(TimeValue t) : t_(t) {}

    void Node(INode* node) {
        if (!node->IsHidden()) Draw(node);
        for (int i = 0; i < node->NumberOfChildren(); ++i) Node(node->GetChildNode(i));
    }

    ViewCapture Result() { return {vpt_.getGW()->Records(), std::move(legend_)}; }

private:
    void Draw(INode* node) {
        ObjectState os = node->EvalWorldState(t_);
        if (os.obj == nullptr) return;
        const std::size_t before = vpt_.getGW()->Records().size();
        // The host asks for validity before drawing; objects refresh their caches then.
        os.obj->ObjectValidity(t_);
        os.obj->Display(t_, node, &vpt_, 0);
        const auto& records = vpt_.getGW()->Records();
        if (records.size() == before) return;
        const std::string name = ToUtf8(node->GetName().c_str());
        for (std::size_t i = before; i < records.size(); ++i) Check(records[i], name);
        legend_.push_back({name, WireColor(node)});
    }

    void Check(const DrawRecord& r, const std::string& name) {
        for (const Point3& p : r.points)
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
                throw std::runtime_error("node \"" + name + "\" cannot be drawn: its sizes or positions are too " +
                                         "large and give coordinates beyond the float range");
        points_ += r.points.size();
        if (points_ > kMaxPicturePoints)
            throw std::runtime_error("node \"" + name + "\": the picture passes " +
                                     std::to_string(kMaxPicturePoints) + " points; draw fewer lanes, knots or steps");
    }

    TimeValue t_;
    ViewExp vpt_;
    std::vector<LegendEntry> legend_;
    std::size_t points_ = 0;
};

}  // namespace

ViewCapture CaptureView(Interface* ip, TimeValue t) {
    Capture capture(t);
    INode* root = ip->GetRootNode();
    for (int i = 0; i < root->NumberOfChildren(); ++i) capture.Node(root->GetChildNode(i));
    return capture.Result();
}
