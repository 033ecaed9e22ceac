#include "utility/wheel_order.h"

#include <utility>
#include <vector>

#include "common/box_helpers.h"
#include "host/node.h"

Box3 NodeWorldBox(INode* node) {
    Box3 box;
    const ObjectState os = node->EvalWorldState(0);
    Matrix3 tm = node->GetObjectTM(0);
    if (os.obj != nullptr) os.obj->GetDeformBBox(0, box, &tm, false);
    return box;
}

void OrderWheels(INode** wheels, int n) {
    std::vector<Point3> centres;
    for (int i = 0; i < n; ++i) centres.push_back(Box3Center(NodeWorldBox(wheels[i])));
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 1; i < n; ++i) {
            if (!(centres[i].y > centres[i - 1].y)) continue;
            std::swap(wheels[i], wheels[i - 1]);
            std::swap(centres[i], centres[i - 1]);
            swapped = true;
        }
    }
    for (int k = 0; k + 1 < n; k += 2)
        if (centres[k].x > centres[k + 1].x) std::swap(wheels[k], wheels[k + 1]);
}
