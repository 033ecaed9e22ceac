#include "host/object.h"

void ObjectState::TakeOwnership(Object* o) {
    obj = o;
    owned_ = o != nullptr ? std::shared_ptr<Object>(o, [](Object* p) { p->DeleteThis(); }) : nullptr;
}
