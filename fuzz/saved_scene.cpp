// The program's saved scenes: any bytes as a saved scene, read with the module that the program
// finds beside itself. Loading either builds the scene or refuses it with a message; what loads
// must save again.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "app/class_directory.h"
#include "app/module_library.h"
#include "app/scene_error.h"
#include "app/scene_save.h"
#include "host/interface.h"

namespace {
std::unique_ptr<ModuleLibrary> module;
std::unique_ptr<ClassDirectory> classes;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    module = std::make_unique<ModuleLibrary>((dir / "Marlovan.dlo").string());
    classes = std::make_unique<ClassDirectory>(*module);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Interface* ip = GetCOREInterface();
    try {
        const nlohmann::json scene = LoadSavedScene(data, size, *classes, ip);
        SaveScene(scene, ip);
    } catch (const SceneError&) {
    }
    ip->ResetScene();
    return 0;
}
