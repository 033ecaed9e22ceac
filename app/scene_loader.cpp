#include "app/scene_loader.h"

#include "app/action_reader.h"
#include "app/frame_time.h"
#include "app/json_reader.h"
#include "app/object_reader.h"
#include "app/param_setter.h"
#include "app/scene_error.h"
#include "app/scene_limits.h"
#include "app/scene_text.h"
#include "app/text.h"
#include "app/traffic_signal_reader.h"
#include "app/transform_reader.h"
#include "app/vehicle_reader.h"
#include "host/controller.h"
#include "host/interface.h"
#include "host/modifier.h"

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

void SetParamsOf(const JsonPlace& place, BaseObject* obj) {
    if (place.Has("params")) SetParams(place["params"], obj->GetParamBlock(0));
}

void ReadModifiers(const JsonPlace& mods, INode* node, const SceneReadContext& context) {
    mods.ExpectArray();
    for (std::size_t i = 0; i < mods.Size(); ++i) {
        const JsonPlace m = mods.Item(i);
        WSModifier* mod = ReadModifier(m, context);
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
        key.ExpectObject();
        nlohmann::json transform = key.Value();
        transform.erase("frame");
        control->SetKey(ReadFrame(key["frame"]), ReadTransform(JsonPlace(transform, key)));
    }
}

DWORD ReadColor(const JsonPlace& c) {
    const std::string text = c.String();
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        c.Fail("expected a colour \"#RRGGBB\"");
    const unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
    return static_cast<DWORD>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// A node that the file gives no colour: the host's own colours are for the nodes its tools make.
constexpr DWORD kFileWireColor = 0x00E0E0E0;

// Every key a node may have; readers of new node properties add theirs here and in ReadNodeBody.
constexpr std::initializer_list<const char*> kNodeKeys = {
    "name", "transform", "keys", "object_offset", "wire_color", "selected", "hidden", "object", "modifiers", "children",
    "vehicle", "vehicle_part"};

void ReadNode(const JsonPlace& n, INode* parent, int depth, SceneReadContext& context, Interface* ip);

void ReadNodeBody(const JsonPlace& n, INode* node, int depth, SceneReadContext& context, Interface* ip) {
    if (n.Has("name")) node->SetName(FromUtf8(n["name"].String()));
    if (n.Has("transform")) {
        Matrix3 local = ReadTransform(n["transform"]);
        node->GetTMController()->SetValue(0, &local);
    }
    if (n.Has("keys")) ReadKeys(n["keys"], node);
    if (n.Has("object_offset")) node->SetObjOffset(ReadTransform(n["object_offset"]));
    node->SetWireColor(n.Has("wire_color") ? ReadColor(n["wire_color"]) : kFileWireColor);
    if (n.Has("selected") && n["selected"].Boolean()) ip->SelectNode(node, 0);
    if (n.Has("hidden")) node->Hide(n["hidden"].Boolean());
    if (n.Has("object")) SetParamsOf(n["object"], node->GetObjectRef());
    if (n.Has("object") && n["object"].Has("signal")) ReadTrafficSignal(n["object"]["signal"], node->GetObjectRef());
    if (n.Has("modifiers")) ReadModifiers(n["modifiers"], node, context);
    if (n.Has("vehicle")) ReadVehicle(n, node, context.classes);
    if (n.Has("vehicle_part")) context.vehicleParts.push_back(ReadVehiclePart(n["vehicle_part"], node));
    if (n.Has("children")) {
        const JsonPlace children = n["children"];
        children.ExpectArray();
        for (std::size_t i = 0; i < children.Size(); ++i) ReadNode(children.Item(i), node, depth + 1, context, ip);
    }
}

void ReadNode(const JsonPlace& n, INode* parent, int depth, SceneReadContext& context, Interface* ip) {
    if (depth > kMaxNodeDepth) n.Fail("nodes nest deeper than " + std::to_string(kMaxNodeDepth) + " levels");
    n.ExpectObject(kNodeKeys);
    Object* obj = n.Has("object") ? ReadObject(n["object"], context) : nullptr;
    INode* node = ip->CreateObjectNode(obj, parent);
    ReadNodeBody(n, node, depth, context, ip);
}

void ReadScene(const JsonPlace& scene, const ClassDirectory& classes, Interface* ip, bool pressButtons) {
    scene.ExpectObject({"units", "frame_rate", "nodes", "actions"});
    SetSceneUnitMetres(0.01);
    SetTicksPerFrame(160);
    if (scene.Has("units")) ReadUnits(scene["units"]);
    if (scene.Has("frame_rate")) ReadFrameRate(scene["frame_rate"]);
    SceneReadContext context{classes, kMaxShapePoints, kMaxMeshTriangles};
    const JsonPlace nodes = scene["nodes"];
    nodes.ExpectArray();
    for (std::size_t i = 0; i < nodes.Size(); ++i) ReadNode(nodes.Item(i), nullptr, 1, context, ip);
    AttachVehicleParts(context.vehicleParts, classes, ip);
    if (scene.Has("actions")) RunSceneActions(scene["actions"], classes, ip, pressButtons);
}

}  // namespace

void LoadScene(const nlohmann::json& scene, const ClassDirectory& classes, Interface* ip, bool pressButtons) {
    ip->ResetScene();
    try {
        ReadScene(JsonPlace(scene, "scene"), classes, ip, pressButtons);
    } catch (...) {
        ip->ResetScene();
        throw;
    }
}

nlohmann::json LoadSceneText(const std::string& text, const std::string& name, const ClassDirectory& classes,
                             Interface* ip, bool pressButtons) {
    nlohmann::json scene = ParseSceneText(text, name);
    try {
        LoadScene(scene, classes, ip, pressButtons);
    } catch (const SceneError& e) {
        throw SceneError(name, e.what());
    }
    return scene;
}

void LoadSceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip) {
    LoadSceneText(ReadSceneText(path), path, classes, ip);
}
