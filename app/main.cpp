// The headless host: loads the plug-in module, builds scenes and shows what a user would see.
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "app/class_directory.h"
#include "app/command_line.h"
#include "app/frame_time.h"
#include "app/interrupt_exit.h"
#include "app/module_library.h"
#include "app/module_report.h"
#include "app/output_files.h"
#include "app/param_docs.h"
#include "app/run_command.h"
#include "app/scene_save.h"
#include "app/svg_writer.h"
#include "app/view_capture.h"
#include "host/interface.h"

namespace {
std::string DefaultModulePath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("Marlovan.dlo") : (exe.parent_path() / "Marlovan.dlo").string();
}

// The frame rate comes from the scene, so the frame is checked after loading it.
TimeValue RenderTime(const CommandLine& cl) {
    const auto t = FrameTime(cl.frame);
    if (!t) throw std::runtime_error("--frame " + std::to_string(cl.frame) + ": out of range: " + FrameRangeText());
    return *t;
}

void Render(const ModuleLibrary& module, const CommandLine& cl) {
    OutputFiles outputs({cl.outputPath, cl.savePath});
    Interface* ip = GetCOREInterface();
    const nlohmann::json scene = LoadAnySceneFile(cl.scenePath, ClassDirectory(module), ip);
    const ViewCapture view = CaptureView(ip, RenderTime(cl));
    outputs.Set(cl.outputPath, TopViewSvg(view, cl.scenePath, GetMasterScale(UNITS_METERS)));
    if (!cl.savePath.empty()) {
        const std::vector<std::uint8_t> saved = SaveScene(scene, ip);
        outputs.Set(cl.savePath, std::string(saved.begin(), saved.end()));
    }
    int segments = 0, ways = 0;
    const bool built = module.LaneNetworkSize(segments, ways);
    outputs.Commit();
    std::cout << "Wrote " << cl.outputPath << " (" << view.records.size() << " shapes at frame " << cl.frame << ")\n";
    if (!cl.savePath.empty()) std::cout << "Saved the scene to " << cl.savePath << '\n';
    std::cout << "Lane network: " << segments << " road segments, " << ways << " ways"
              << (built ? "" : " (the network could not be built in full)") << '\n';
    ip->ResetScene();
}
}  // namespace

int main(int argc, char** argv) {
    ExitOnInterrupt();
    int exitCode = 0;
    const auto cl = ParseCommandLine(argc, argv, DefaultModulePath(), std::cout, std::cerr, exitCode);
    if (!cl) return exitCode;
    try {
        const ModuleLibrary module(cl->modulePath);
        if (cl->command == "info") PrintModuleReport(module, std::cout);
        else if (cl->command == "params") PrintParamDocs(ClassDirectory(module), std::cout);
        else if (cl->command == "run") exitCode = RunCommand(module, *cl, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
        else Render(module, *cl);
    } catch (const std::exception& e) {
        std::cerr << "marlovan: " << e.what() << '\n';
        return 1;
    }
    return exitCode;
}
