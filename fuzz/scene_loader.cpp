// Scene files as a user might write them: any bytes are read, checked, drawn and written as SVG
// without a crash, a hang or a sanitizer report; bad ones give a SceneError or runtime_error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/class_directory.h"
#include "app/scene_loader.h"
#include "app/svg_writer.h"
#include "app/view_capture.h"
#include "host/interface.h"
#include "host/module_resources.h"
#include "module/entry_points.h"

namespace {
const ClassDirectory& Classes() {
    static const ClassDirectory classes = [] {
        DllMain(HostModuleHandleOf(reinterpret_cast<const void*>(&DllMain)), DLL_PROCESS_ATTACH, nullptr);
        std::vector<ClassDesc*> all;
        for (int i = 0; i < LibNumberClasses(); ++i) all.push_back(LibClassDesc(static_cast<unsigned int>(i)));
        return ClassDirectory(all);
    }();
    return classes;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ClassDirectory& classes = Classes();
    Interface* ip = GetCOREInterface();
    try {
        LoadSceneText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json", classes, ip);
        TopViewSvg(CaptureView(ip, 0), "fuzz", GetMasterScale(UNITS_METERS));
    } catch (const std::runtime_error&) {
    }
    ip->ResetScene();
    return 0;
}
