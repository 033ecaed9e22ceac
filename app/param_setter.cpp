#include "app/param_setter.h"

#include "app/frame_time.h"
#include "app/json_reader.h"
#include "app/text.h"
#include "host/param_block.h"

namespace {

bool IsNumberKey(const std::string& key) {
    return !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
}

std::string ParamNames(const ParamBlockDesc2& desc) {
    std::string names;
    for (int i = 0; i < desc.Count(); ++i) {
        const ParamDef& def = desc.Param(i);
        names += (i == 0 ? "" : ", ") + std::to_string(def.id) + " \"" + ToUtf8(def.internalName.c_str()) + "\"";
    }
    return "(parameters: " + (names.empty() ? std::string("none") : names) + ")";
}

const ParamDef& FindDef(const JsonPlace& place, const std::string& key, const ParamBlockDesc2& desc) {
    if (IsNumberKey(key)) {
        // Compared as text, so that no ID wraps into another.
        for (int i = 0; i < desc.Count(); ++i)
            if (std::to_string(desc.Param(i).id) == key) return desc.Param(i);
        place.Fail("no parameter with ID " + key + " " + ParamNames(desc));
    }
    const ParamDef* found = nullptr;
    const std::wstring name = FromUtf8(key);
    for (int i = 0; i < desc.Count(); ++i) {
        if (desc.Param(i).internalName != name) continue;
        if (found != nullptr) place.Fail("several parameters are named \"" + key + "\": give the ID instead");
        found = &desc.Param(i);
    }
    if (found == nullptr) place.Fail("unknown parameter \"" + key + "\" " + ParamNames(desc));
    return *found;
}

void SetOne(const JsonPlace& v, const ParamDef& def, IParamBlock2* block, int tab) {
    switch (def.type) {
        case TYPE_FLOAT:
        case TYPE_WORLD: block->SetValue(def.id, 0, static_cast<float>(v.FiniteNumber()), tab); break;
        case TYPE_INT:
        case TYPE_TIMEVALUE: block->SetValue(def.id, 0, v.Integer(), tab); break;
        case TYPE_BOOL: block->SetValue(def.id, 0, v.Boolean() ? 1 : 0, tab); break;
        case TYPE_POINT3: block->SetValue(def.id, 0, v.Vector3(), tab); break;
        default: v.Fail("this parameter cannot be set from a scene file");
    }
}

void SetKeys(const JsonPlace& keys, const ParamDef& def, IParamBlock2* block) {
    keys.ExpectArray();
    if ((def.flags & P_ANIMATABLE) == 0) keys.Fail("this parameter is not animatable");
    for (std::size_t i = 0; i < keys.Size(); ++i) {
        const JsonPlace key = keys.Item(i);
        if (!key.Value().is_array() || key.Size() != 2) key.Fail("expected [frame, value]");
        const double value = def.type == TYPE_INT ? key.Item(1).Integer() : key.Item(1).FiniteNumber();
        block->SetKey(def.id, ReadFrame(key.Item(0)), value);
    }
}

void SetParam(const JsonPlace& v, const ParamDef& def, IParamBlock2* block) {
    if (def.tableSize != 1 || (def.flags & P_TABLE) != 0) {
        v.ExpectArray();
        if (v.Size() != static_cast<std::size_t>(def.tableSize))
            v.Fail("expected " + std::to_string(def.tableSize) + " entries");
        for (int i = 0; i < def.tableSize; ++i) SetOne(v.Item(static_cast<std::size_t>(i)), def, block, i);
    } else if (v.Value().is_object()) {
        v.ExpectObject({"keys"});
        SetKeys(v["keys"], def, block);
    } else {
        SetOne(v, def, block, 0);
    }
}

}  // namespace

void SetParams(const JsonPlace& params, IParamBlock2* block) {
    params.ExpectObject();
    for (auto it = params.Value().begin(); it != params.Value().end(); ++it) {
        const JsonPlace place = params.Member(it.key(), it.value());
        if (block == nullptr) place.Fail("this object has no parameters");
        SetParam(place, FindDef(place, it.key(), *block->GetDesc()), block);
    }
}
