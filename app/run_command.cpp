#include "app/run_command.h"

#include <chrono>
#include <functional>
#include <stdexcept>

#include "app/class_directory.h"
#include "app/command_line.h"
#include "app/frame_time.h"
#include "app/module_library.h"
#include "app/run_outputs.h"
#include "app/scene_save.h"
#include "app/svg_writer.h"
#include "app/terminal_run_ui.h"
#include "app/text.h"
#include "app/view_capture.h"
#include "host/interface.h"
#include "host/testing.h"
#include "module/run_commands.h"

namespace {
TimeValue Time(long long frame, const char* option) {
    const auto t = FrameTime(frame);
    if (!t) throw std::runtime_error(std::string(option) + ' ' + std::to_string(frame) + ": out of range: " + FrameRangeText());
    return *t;
}

// The handle of the node of that name; 0 (no surface) when there is none.
ULONG NodeHandle(INode* node, const std::wstring& name) {
    if (node->GetName() == name && !node->IsRootNode()) return node->GetHandle();
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (const ULONG h = NodeHandle(node->GetChildNode(i), name)) return h;
    return 0;
}

void PrintSummary(std::ostream& out, const MarlovanRunReport& r, int beeps, double seconds) {
    const double steps = static_cast<double>(r.vehicles) * std::max(r.frames - 1, 0);
    const double perTrack = r.vehicles > 0 ? static_cast<double>(r.keys) / (r.vehicles * 21.0) : 0.0;
    out << "Placed " << r.vehicles - beeps << " of " << r.vehicles << " vehicles (" << beeps << " beeps); "
        << r.frames << " frames; " << perTrack << " keys per track; " << seconds << " s; "
        << (seconds > 0 ? steps / seconds : 0.0) << " vehicle-steps/s\n";
}
}  // namespace

int RunCommand(const ModuleLibrary& module, const CommandLine& cl, std::ostream& out, std::ostream& err) {
    Interface* ip = GetCOREInterface();
    const nlohmann::json scene = LoadAnySceneFile(cl.scenePath, ClassDirectory(module), ip);
    const TimeValue start = Time(cl.startFrame, "--start"), end = Time(cl.endFrame, "--end");
    if (!cl.load) {
        TerminalRunUi ui(err, cl.stopAnswer);
        HostResetWin32();
        MarlovanRunReport report;
        const auto began = std::chrono::steady_clock::now();
        module.Trace(NodeHandle(ip->GetRootNode(), FromUtf8(cl.surfaceName)), start, end, report);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        if (!ui.Errors().empty()) return 1;
        PrintSummary(out, report, HostBeepCount(), took.count());
    }
    ViewCapture view = CaptureView(ip, start);
    for (DrawRecord& path : VehiclePaths(ip, start, end)) view.records.push_back(std::move(path));
    const std::string svg = TopViewSvg(view, cl.scenePath, GetMasterScale(UNITS_METERS));
    const std::string csv = cl.csvPath.empty() ? std::string() : PartTransformsCsv(ip, start, end);
    const std::vector<std::uint8_t> saved = cl.savePath.empty() ? std::vector<std::uint8_t>() : SaveScene(scene, ip);
    WriteFileAtomically(cl.outputPath, svg);
    out << "Wrote " << cl.outputPath << '\n';
    if (!cl.csvPath.empty()) {
        WriteFileAtomically(cl.csvPath, csv);
        out << "Wrote " << cl.csvPath << '\n';
    }
    if (!cl.savePath.empty()) {
        WriteFileAtomically(cl.savePath, std::string(saved.begin(), saved.end()));
        out << "Saved the scene with its recorded motion to " << cl.savePath << '\n';
    }
    ip->ResetScene();
    return 0;
}
