#include "app/scene_loader.h"

#include <fstream>
#include <sstream>

#include "app/class_directory.h"
#include "app/ground_mesh_reader.h"
#include "app/json_reader.h"
#include "app/param_setter.h"
#include "app/scene_error.h"
#include "app/text.h"
#include "app/transform_reader.h"
#include "host/class_desc.h"
#include "host/interface.h"
#include "host/spline_shape.h"

namespace {

void ReadUnits(const JsonPlace& units) {
    const std::string unit = units.String();
    static const std::pair<const char*, double> kUnits[] = {
        {"mm", 0.001}, {"cm", 0.01}, {"m", 1.0}, {"km", 1000.0}, {"in", 0.0254}, {"ft", 0.3048}};
    for (const auto& [name, metres] : kUnits)
        if (unit == name) return SetSceneUnitMetres(metres);
    units.Fail("unknown unit \"" + unit + "\" (mm, cm, m, km, in or ft)");
}

void ReadFrameRate(const JsonPlace& rate) {
    const int fps = rate.Integer();
    if (fps <= 0 || TICKS_PER_SECOND % fps != 0)
        rate.Fail("the frame rate must divide " + std::to_string(TICKS_PER_SECOND) + " ticks per second");
    SetTicksPerFrame(TICKS_PER_SECOND / fps);
}

SplineKnot ReadKnot(const JsonPlace& k) {
    if (k.Value().is_array()) {
        const Point3 p = k.Vector3();
        return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p);
    }
    k.ExpectObject({"point", "in", "out", "type"});
    const Point3 p = k["point"].Vector3();
    const std::string type = k.Has("type") ? k["type"].String() : "corner";
    if (type == "corner") return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p);
    if (type != "bezier") k["type"].Fail("knot type must be \"corner\" or \"bezier\"");
    const Point3 in = k.Has("in") ? k["in"].Vector3() : p;
    const Point3 out = k.Has("out") ? k["out"].Vector3() : p;
    return SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, p, in, out);
}

SplineShape* ReadSplineShape(const JsonPlace& obj) {
    obj.ExpectObject({"class", "steps", "optimize", "splines"});
    auto shape = std::make_unique<SplineShape>();
    if (obj.Has("steps")) {
        shape->shape.steps = obj["steps"].Integer();
        if (shape->shape.steps < 0 || shape->shape.steps > 100) obj["steps"].Fail("steps run from 0 to 100");
    }
    if (obj.Has("optimize")) shape->shape.optimize = obj["optimize"].Boolean();
    const JsonPlace splines = obj["splines"];
    splines.ExpectArray();
    for (std::size_t i = 0; i < splines.Size(); ++i) {
        const JsonPlace s = splines.Item(i);
        s.ExpectObject({"closed", "knots"});
        Spline3D* spline = shape->shape.NewSpline();
        if (s.Has("closed")) spline->SetClosed(s["closed"].Boolean());
        const JsonPlace knots = s["knots"];
        knots.ExpectArray();
        for (std::size_t k = 0; k < knots.Size(); ++k) spline->AddKnot(ReadKnot(knots.Item(k)));
    }
    return shape.release();
}

// Makes an object of a module class; the caller gives it to the scene at once.
template <class T>
T* CreateFromModule(const JsonPlace& place, const ClassDirectory& classes, SClass_ID superClass,
                    std::initializer_list<const char*> keys) {
    place.ExpectObject(keys);
    const std::string name = place["class"].String();
    ClassDesc* desc = classes.Find(FromUtf8(name), superClass);
    if (desc == nullptr) place["class"].Fail("unknown class \"" + name + "\" (known: " + classes.Names(superClass) + ")");
    T* made = static_cast<T*>(desc->Create(FALSE));
    if (made == nullptr) place.Fail("the class could not make an object");
    return made;
}

Object* ReadObject(const JsonPlace& obj, const ClassDirectory& classes) {
    if (obj.Has("class") && obj["class"].String() == "SplineShape") return ReadSplineShape(obj);
    if (Object* ground = ReadGroundMesh(obj)) return ground;
    return CreateFromModule<Object>(obj, classes, HELPER_CLASS_ID, {"class", "params"});
}

void SetParamsOf(const JsonPlace& place, BaseObject* obj) {
    if (place.Has("params")) SetParams(place["params"], obj->GetParamBlock(0));
}

void ReadModifiers(const JsonPlace& mods, INode* node, const ClassDirectory& classes) {
    mods.ExpectArray();
    for (std::size_t i = 0; i < mods.Size(); ++i) {
        const JsonPlace m = mods.Item(i);
        auto* mod = CreateFromModule<WSModifier>(m, classes, WSM_CLASS_ID, {"class", "enabled", "params"});
        node->AddWSModifier(mod);
        SetParamsOf(m, mod);
        if (m.Has("enabled") && !m["enabled"].Boolean()) mod->DisableMod();
    }
}

void ReadKeys(const JsonPlace& keys, INode* node) {
    keys.ExpectArray();
    auto* control = static_cast<TransformControl*>(node->GetTMController());
    for (std::size_t i = 0; i < keys.Size(); ++i) {
        const JsonPlace key = keys.Item(i);
        if (!key.Value().is_object()) key.Fail("expected an object");
        nlohmann::json transform = key.Value();
        transform.erase("frame");
        control->SetKey(key["frame"].Integer() * GetTicksPerFrame(), ReadTransform(JsonPlace(transform, key.Path())));
    }
}

DWORD ReadColor(const JsonPlace& c) {
    const std::string text = c.String();
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        c.Fail("expected a colour \"#RRGGBB\"");
    const unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
    return static_cast<DWORD>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

void ReadNode(const JsonPlace& n, INode* parent, const ClassDirectory& classes, Interface* ip);

void ReadNodeBody(const JsonPlace& n, INode* node, const ClassDirectory& classes, Interface* ip) {
    if (n.Has("name")) node->SetName(FromUtf8(n["name"].String()));
    if (n.Has("transform")) {
        Matrix3 local = ReadTransform(n["transform"]);
        node->GetTMController()->SetValue(0, &local);
    }
    if (n.Has("keys")) ReadKeys(n["keys"], node);
    if (n.Has("object_offset")) node->SetObjOffset(ReadTransform(n["object_offset"]));
    if (n.Has("wire_color")) node->SetWireColor(ReadColor(n["wire_color"]));
    if (n.Has("selected")) node->SetSelected(n["selected"].Boolean());
    if (n.Has("hidden")) node->Hide(n["hidden"].Boolean());
    if (n.Has("object")) SetParamsOf(n["object"], node->GetObjectRef());
    if (n.Has("modifiers")) ReadModifiers(n["modifiers"], node, classes);
    if (n.Has("children")) {
        const JsonPlace children = n["children"];
        children.ExpectArray();
        for (std::size_t i = 0; i < children.Size(); ++i) ReadNode(children.Item(i), node, classes, ip);
    }
}

void ReadNode(const JsonPlace& n, INode* parent, const ClassDirectory& classes, Interface* ip) {
    n.ExpectObject({"name", "transform", "keys", "object_offset", "wire_color", "selected", "hidden", "object",
                    "modifiers", "children"});
    Object* obj = n.Has("object") ? ReadObject(n["object"], classes) : nullptr;
    INode* node = ip->CreateObjectNode(obj, parent);
    ReadNodeBody(n, node, classes, ip);
}

void ReadScene(const JsonPlace& scene, const ClassDirectory& classes, Interface* ip) {
    scene.ExpectObject({"units", "frame_rate", "nodes"});
    SetSceneUnitMetres(0.01);
    SetTicksPerFrame(160);
    if (scene.Has("units")) ReadUnits(scene["units"]);
    if (scene.Has("frame_rate")) ReadFrameRate(scene["frame_rate"]);
    const JsonPlace nodes = scene["nodes"];
    nodes.ExpectArray();
    for (std::size_t i = 0; i < nodes.Size(); ++i) ReadNode(nodes.Item(i), nullptr, classes, ip);
}

}  // namespace

void LoadScene(const nlohmann::json& scene, const ClassDirectory& classes, Interface* ip) {
    ip->ResetScene();
    try {
        ReadScene(JsonPlace(scene, "scene"), classes, ip);
    } catch (...) {
        ip->ResetScene();
        throw;
    }
}

void LoadSceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SceneError(path, "cannot open the file");
    std::ostringstream text;
    text << in.rdbuf();
    nlohmann::json scene;
    try {
        scene = nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::parse_error& e) {
        const std::string what = e.what();
        const auto at = what.find("parse error");
        throw SceneError(path, at == std::string::npos ? what : what.substr(at));
    }
    try {
        LoadScene(scene, classes, ip);
    } catch (const SceneError& e) {
        throw SceneError(path, e.what());
    }
}
