#include "app/param_docs.h"

#include <cstdio>
#include <string>

#include "app/class_directory.h"
#include "app/text.h"
#include "host/class_desc.h"

namespace {

// Plain floats carry no unit in their block: the unit the objects read them in, by parameter ID
// and name, for one class or (null) every class.
struct FloatUnit {
    const char* className;
    ParamID id;
    const char* param;
    const char* unit;
};
const FloatUnit kFloatUnits[] = {
    {"BusStop", 0, "Width", "scene units, the bay's full width along local X"},
    {"BusStop", 1, "Width", "scene units, the bay's full length along local Y (the \"Length:\" control)"},
    {"Parking", 0, "Width", "scene units, the full extent along local X"},
    {"Parking", 1, "Width", "scene units, the full extent along local Y (the \"Length:\" control)"},
    {"Parking", 2, "Access_Angle", "degrees"},
    {nullptr, 0, "Width", "scene units, half the extent along local X"},
    {nullptr, 1, "Width", "scene units, half the extent along local Y (the \"Length:\" control)"},
    {"Marlovan Road", 5, "Max_Speed", "km/h"},
    {"Marlovan Cross", 2, "Max_Speed", "km/h"},
    {"SpeedLimiter", 2, "Speed", "km/h"},
    {"Vehicle", 3, "Acceleration", "m/s²"},
    {"Vehicle", 4, "Maneuverable", "km/h"},
    {"Vehicle", 5, "Max_Speed", "km/h"},
    {"Vehicle", 11, "Stop_Time", "seconds"},
};

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", v);
    return buf;
}

std::string TypeText(const std::string& className, const ParamDef& def) {
    switch (def.type) {
        case TYPE_WORLD: return "float, scene units";
        case TYPE_INT: return "integer";
        case TYPE_BOOL: return "boolean";
        case TYPE_TIMEVALUE: return "integer, ticks";
        case TYPE_INODE: return "node (not set from a scene file)";
        case TYPE_MATRIX3: return "matrix (not set from a scene file)";
        case TYPE_POINT3: return "[x, y, z]";
        case TYPE_FLOAT: break;
    }
    for (const FloatUnit& u : kFloatUnits)
        if ((u.className == nullptr || className == u.className) && def.id == u.id &&
            ToUtf8(def.internalName.c_str()) == u.param)
            return std::string("float, ") + u.unit;
    return "float";
}

void PrintDefault(const ParamDef& def, std::ostream& out) {
    const ParamValue& v = def.defaultValue;
    switch (def.type) {
        case TYPE_FLOAT:
        case TYPE_WORLD: out << Number(v.f); break;
        case TYPE_BOOL: out << (v.i != 0 ? "true" : "false"); break;
        case TYPE_INT:
        case TYPE_TIMEVALUE: out << v.i; break;
        case TYPE_POINT3: out << '[' << Number(v.p.x) << ", " << Number(v.p.y) << ", " << Number(v.p.z) << ']'; break;
        case TYPE_INODE: out << "none"; break;
        case TYPE_MATRIX3: out << "identity"; break;
    }
}

void PrintBlock(const std::string& className, const ParamBlockDesc2& block, std::ostream& out) {
    out << "| ID | name | type | default | range | animatable |\n|---|---|---|---|---|---|\n";
    for (int i = 0; i < block.Count(); ++i) {
        const ParamDef& def = block.Param(i);
        out << "| " << def.id << " | \"" << ToUtf8(def.internalName.c_str()) << "\" | ";
        if (def.flags & P_TABLE) out << "table of " << def.tableSize << ": ";
        out << TypeText(className, def) << " | ";
        PrintDefault(def, out);
        out << " | ";
        if (def.hasRange) out << Number(def.rangeLow) << " to " << Number(def.rangeHigh);
        out << " | " << ((def.flags & P_ANIMATABLE) ? "yes" : "no") << " |\n";
    }
}

}  // namespace

void PrintParamDocs(const ClassDirectory& classes, std::ostream& out) {
    for (ClassDesc* desc : classes.All()) {
        auto* desc2 = dynamic_cast<ClassDesc2*>(desc);
        if (desc2 == nullptr || desc2->NumParamBlockDescs() == 0) continue;
        const std::string name = ToUtf8(desc->ClassName());
        out << "\n### \"" << name << "\"\n";
        for (int b = 0; b < desc2->NumParamBlockDescs(); ++b) {
            out << '\n';
            PrintBlock(name, *desc2->GetParamBlockDesc(b), out);
        }
    }
}
