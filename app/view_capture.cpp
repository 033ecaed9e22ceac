#include "app/view_capture.h"

#include <cmath>
#include <stdexcept>

#include "app/mesh_wire.h"
#include "app/scene_limits.h"
#include "app/text.h"
#include "app/vehicle_parts.h"
#include "host/interface.h"
#include "host/viewport.h"

namespace {

// The object as a triangle mesh, deleted after use when the conversion made a new one.
class MeshOf {
public:
    MeshOf(Object* obj, TimeValue t) : from_(obj), tri_(static_cast<TriObject*>(obj->ConvertToType(t, triObjectClassID))) {}
    ~MeshOf() {
        if (tri_ != nullptr && tri_ != from_) tri_->DeleteThis();
    }
    MeshOf(const MeshOf&) = delete;
    MeshOf& operator=(const MeshOf&) = delete;
    const Mesh* Get() const { return tri_ != nullptr ? &tri_->GetMesh() : nullptr; }

private:
    Object* from_;
    TriObject* tri_;
};

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
        if (os.obj->CanConvertToType(triObjectClassID)) {
            DrawMesh(node, MeshOf(os.obj, t_).Get());
        } else {
            // The host asks for validity before drawing; objects refresh their caches then.
            os.obj->ObjectValidity(t_);
            os.obj->Display(t_, node, &vpt_, 0);
        }
        const auto& records = vpt_.getGW()->Records();
        if (records.size() == before) return;
        const std::string name = ToUtf8(node->GetName().c_str());
        for (std::size_t i = before; i < records.size(); ++i) Check(records[i], name);
        // A vehicle's body and wheels are named by their vehicle's entry.
        if (!IsVehiclePart(node)) legend_.push_back({name, NodeWireColor(node)});
    }

    // Edge by edge while the frame's mesh edges last, so that a vast mesh leaves room for the
    // rest; past that, its footprint.
    void DrawMesh(INode* node, const Mesh* mesh) {
        if (mesh == nullptr) return;
        GraphicsWindow* gw = vpt_.getGW();
        gw->setTransform(node->GetObjectTM(t_));
        gw->setColor(LINE_COLOR, NodeWireColor(node));
        if (const auto edges = MeshWireEdges(*mesh, meshEdgesLeft_)) {
            meshEdgesLeft_ -= edges->size();
            gw->startSegments();
            for (const auto& [a, b] : *edges) {
                const Point3 ends[2] = {mesh->verts[a], mesh->verts[b]};
                gw->segment(ends, 1);
            }
            gw->endSegments();
            return;
        }
        std::vector<Point3> corners = MeshFootprint(*mesh);
        gw->polyline(static_cast<int>(corners.size()), corners.data(), nullptr, 1, nullptr);
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
    std::size_t meshEdgesLeft_ = kMaxMeshWireEdges;
};

}  // namespace

Point3 NodeWireColor(INode* node) {
    const DWORD c = node->GetWireColor();
    return {(c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f};
}

ViewCapture CaptureView(Interface* ip, TimeValue t) {
    Capture capture(t);
    INode* root = ip->GetRootNode();
    for (int i = 0; i < root->NumberOfChildren(); ++i) capture.Node(root->GetChildNode(i));
    return capture.Result();
}
