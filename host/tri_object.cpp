#include "host/tri_object.h"

ReferenceTarget* TriObject::Clone(RemapDir& remap) {
    auto* copy = new TriObject;
    copy->mesh = mesh;
    BaseClone(this, copy, remap);
    return copy;
}
