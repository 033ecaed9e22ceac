#include "app/run_outputs.h"

#include <cstdio>
#include <functional>

#include "app/text.h"
#include "app/vehicle_parts.h"
#include "app/view_capture.h"
#include "host/interface.h"

namespace {
void ForEachNode(INode* node, const std::function<void(INode*)>& visit) {
    visit(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i) ForEachNode(node->GetChildNode(i), visit);
}

std::vector<INode*> NodesWhere(Interface* ip, const std::function<bool(INode*)>& test) {
    std::vector<INode*> nodes;
    ForEachNode(ip->GetRootNode(), [&](INode* n) {
        if (test(n)) nodes.push_back(n);
    });
    return nodes;
}

template <class Visit>
void ForEachFrame(TimeValue start, TimeValue end, Visit visit) {
    const long long step = GetTicksPerFrame();
    for (long long t = start; t <= end; t += step) visit(static_cast<TimeValue>(t));
}

std::string Number(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    return buffer;
}
}  // namespace

std::string PartTransformsCsv(Interface* ip, TimeValue start, TimeValue end) {
    const std::vector<INode*> parts = NodesWhere(ip, IsVehiclePart);
    std::string csv = "frame,node,m00,m01,m02,m10,m11,m12,m20,m21,m22,m30,m31,m32\n";
    ForEachFrame(start, end, [&](TimeValue t) {
        for (INode* n : parts) {
            const Matrix3 m = n->GetNodeTM(t);
            csv += std::to_string(t / GetTicksPerFrame()) + ',' + ToUtf8(n->GetName().c_str());
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 3; ++c) csv += ',' + Number(m[r][c]);
            csv += '\n';
        }
    });
    return csv;
}

std::vector<DrawRecord> VehiclePaths(Interface* ip, TimeValue start, TimeValue end) {
    std::vector<DrawRecord> paths;
    for (INode* n : NodesWhere(ip, IsVehicleBody)) {
        DrawRecord path;
        path.kind = DrawRecord::Kind::Polyline;
        INode* vehicle = VehicleOfPart(n);
        path.color = NodeWireColor(vehicle != nullptr ? vehicle : n);
        ForEachFrame(start, end, [&](TimeValue t) { path.points.push_back(n->GetNodeTM(t).GetTrans()); });
        paths.push_back(std::move(path));
    }
    return paths;
}
