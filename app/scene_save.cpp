#include "app/scene_save.h"

#include "app/class_directory.h"
#include "app/scene_error.h"
#include "app/scene_loader.h"
#include "app/scene_text.h"
#include "app/text.h"
#include "host/class_desc.h"
#include "host/interface.h"
#include "host/save_load.h"

namespace {

constexpr WORD kSceneTextChunk = 0x5301;
constexpr WORD kObjectsChunk = 0x5302;
constexpr WORD kNodeChunk = 0x5303;

// Every node under the root, parents before children, children in order, without recursion.
std::vector<INode*> WalkNodes(Interface* ip) {
    std::vector<INode*> out;
    std::vector<INode*> pending{ip->GetRootNode()};
    while (!pending.empty()) {
        INode* node = pending.back();
        pending.pop_back();
        if (!node->IsRootNode()) out.push_back(node);
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) pending.push_back(node->GetChildNode(i));
    }
    return out;
}

[[noreturn]] void Fail(const std::string& what) { throw SceneError("saved scene", what); }

void OpenExpected(ILoad& load, WORD id, const char* what) {
    if (load.OpenChunk() != IO_OK || load.CurChunkID() != id) Fail(std::string("expected ") + what);
}

std::string SceneDescription(ILoad& load) {
    OpenExpected(load, kSceneTextChunk, "the scene description");
    std::string text(load.BytesLeft(), '\0');
    load.Read(text.data(), static_cast<ULONG>(text.size()), nullptr);
    load.CloseChunk();
    return text;
}

// Hands the object what it saved; false when the object does not save the same again, which is
// how an object's load shows what it refused (a vehicle clears motion it cannot read).
bool LoadsWhole(Object* obj, std::vector<std::uint8_t> saved) {
    ILoad own(saved);
    obj->Load(&own);
    ISave again;
    obj->Save(&again);
    return again.Bytes() == saved;
}

// Names of refused entries, quoted, for a message.
void Name(std::string& names, INode* node) {
    names += (names.empty() ? "\"" : ", \"") + ToUtf8(node->GetName().c_str()) + '"';
}

// A vehicle's entry is its recorded motion; any other node's is its object's own data.
void ReadObjects(ILoad& load, Interface* ip, const ClassDirectory& classes) {
    OpenExpected(load, kObjectsChunk, "the objects' data");
    ClassDesc* vehicle = classes.FindHidden(L"Vehicle", HELPER_CLASS_ID);
    std::string motion, data;
    for (INode* node : WalkNodes(ip)) {
        OpenExpected(load, kNodeChunk, "one entry per node of the scene");
        std::vector<std::uint8_t> saved(load.BytesLeft());
        load.Read(saved.data(), static_cast<ULONG>(saved.size()), nullptr);
        load.CloseChunk();
        Object* obj = node->GetObjectRef();
        if (obj != nullptr ? LoadsWhole(obj, std::move(saved)) : saved.empty()) continue;
        Name(obj != nullptr && vehicle != nullptr && obj->ClassID() == vehicle->ClassID() ? motion : data, node);
    }
    if (load.OpenChunk() != IO_END) Fail("more entries than the scene has nodes");
    if (motion.empty() && data.empty()) return;
    const std::string both = motion.empty() || data.empty() ? "" : " and ";
    Fail((motion.empty() ? "" : "the saved motion of " + motion) + both + (data.empty() ? "" : "the saved data of " + data) +
         " cannot be read, so the run it holds cannot be played back");
}

}  // namespace

std::vector<std::uint8_t> SaveScene(const nlohmann::json& scene, Interface* ip) {
    ISave save;
    const std::string text = scene.dump();
    save.BeginChunk(kSceneTextChunk);
    save.Write(text.data(), static_cast<ULONG>(text.size()), nullptr);
    save.EndChunk();
    save.BeginChunk(kObjectsChunk);
    for (INode* node : WalkNodes(ip)) {
        save.BeginChunk(kNodeChunk);
        if (Object* obj = node->GetObjectRef()) obj->Save(&save);
        save.EndChunk();
    }
    save.EndChunk();
    return save.Bytes();
}

nlohmann::json LoadSavedScene(const std::uint8_t* data, std::size_t size, const ClassDirectory& classes,
                              Interface* ip) {
    ip->ResetScene();
    ILoad load(data, size);
    // The saved motion is the run's result: the file's "trace" and "reset" are not pressed again.
    nlohmann::json scene = LoadSceneText(SceneDescription(load), "saved scene", classes, ip, false);
    try {
        ReadObjects(load, ip, classes);
    } catch (...) {
        ip->ResetScene();
        throw;
    }
    return scene;
}

nlohmann::json LoadAnySceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip) {
    const std::string text = ReadSceneText(path);
    if (text.size() < 2 || static_cast<std::uint8_t>(text[0]) != (kSceneTextChunk & 0xFF) ||
        static_cast<std::uint8_t>(text[1]) != (kSceneTextChunk >> 8))
        return LoadSceneText(text, path, classes, ip);
    try {
        return LoadSavedScene(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), classes, ip);
    } catch (const SceneError& e) {
        throw SceneError(path, e.what());
    }
}
