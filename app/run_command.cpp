#include "app/run_command.h"

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>

#include "app/class_directory.h"
#include "app/command_line.h"
#include "app/frame_time.h"
#include "app/module_library.h"
#include "app/node_names.h"
#include "app/output_files.h"
#include "app/panel_session.h"
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
// Types the frame into the panel's field as a user would; a frame the field cannot hold is an error.
void TypeFrame(PanelSession& panel, const std::optional<long long>& frame, const char* option,
               bool (PanelSession::*type)(long long)) {
    if (!frame) return;
    if (!FrameTime(*frame) || !(panel.*type)(*frame))
        throw std::runtime_error(std::string(option) + ' ' + std::to_string(*frame) +
                                 ": out of range: the panel's time fields take -100000000 to 100000000 ticks, and " +
                                 FrameRangeText());
}

// Picks the node of that name as a user clicks it; a click that picks nothing is an error.
void PickSurface(PanelSession& panel, Interface* ip, const std::string& name) {
    const NodesByName byName = NameNodes(ip);
    const auto found = byName.find(FromUtf8(name));
    if (found == byName.end()) throw std::runtime_error("--surface " + name + ": no node has that name");
    if (!panel.PickSurface(found->second.front()))
        throw std::runtime_error("--surface " + name + ": the node cannot be picked as the surface: it is no mesh, or frozen");
}

// Counts the frames the run reached: a run stopped early counts up to where it stopped.
void PrintSummary(std::ostream& out, const MarlovanRunReport& r, int stepped, int beeps, double seconds) {
    const double steps = static_cast<double>(r.vehicles) * stepped;
    const int reached = r.frames > 0 ? stepped + 1 : r.frames;
    const double perTrack = r.vehicles > 0 ? static_cast<double>(r.keys) / (r.vehicles * 21.0) : 0.0;
    out << "Placed " << r.vehicles - beeps << " of " << r.vehicles << " vehicles (" << beeps << " beeps); " << reached
        << (reached < r.frames ? " of " + std::to_string(r.frames) : std::string()) << " frames; " << perTrack
        << " keys per track; " << seconds << " s; " << (seconds > 0 ? steps / seconds : 0.0) << " vehicle-steps/s\n";
}

struct Traced {
    bool failed;  // an error box was shown
    int stepped;
    double seconds;
};

// Presses "Trace" with Ctrl-C as the bar's cancel, only while it runs.
Traced Trace(PanelSession& panel, const CommandLine& cl, std::ostream& err, bool errTerminal) {
    const TerminalRunUi ui(err, cl.stopAnswer, errTerminal);
    HostResetWin32();
    const auto began = std::chrono::steady_clock::now();
    panel.PressTrace();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
    return {!ui.Errors().empty(), ui.Updates(), took.count()};
}
}  // namespace

int RunCommand(const ModuleLibrary& module, const CommandLine& cl, std::ostream& out, std::ostream& err,
               bool errTerminal) {
    OutputFiles outputs({cl.outputPath, cl.csvPath, cl.savePath});
    Interface* ip = GetCOREInterface();
    const ClassDirectory classes(module);
    const nlohmann::json scene = LoadAnySceneFile(cl.scenePath, classes, ip);
    PanelSession panel(classes, ip);
    TypeFrame(panel, cl.startFrame, "--start", &PanelSession::TypeStart);
    TypeFrame(panel, cl.endFrame, "--end", &PanelSession::TypeEnd);
    if (!cl.surfaceName.empty()) PickSurface(panel, ip, cl.surfaceName);
    const TimeValue start = panel.Start(), end = panel.End();
    MarlovanRunReport report;
    if (!cl.load) {
        const Traced traced = Trace(panel, cl, err, errTerminal);
        if (traced.failed) return 1;
        module.RunSummary(report);
        PrintSummary(out, report, traced.stepped, HostBeepCount(), traced.seconds);
    }
    // At the end frame, so that each path leads to where its vehicle stands.
    ViewCapture view = CaptureView(ip, end);
    for (DrawRecord& path : VehiclePaths(ip, start, end)) view.records.push_back(std::move(path));
    outputs.Set(cl.outputPath, TopViewSvg(view, cl.scenePath, GetMasterScale(UNITS_METERS)));
    if (!cl.csvPath.empty()) outputs.Set(cl.csvPath, PartTransformsCsv(ip, start, end));
    if (!cl.savePath.empty()) {
        const std::vector<std::uint8_t> saved = SaveScene(scene, ip);
        outputs.Set(cl.savePath, std::string(saved.begin(), saved.end()));
    }
    module.RunSummary(report);
    ip->ResetScene();
    outputs.Commit();
    out << "Wrote " << cl.outputPath << '\n';
    if (!cl.csvPath.empty()) out << "Wrote " << cl.csvPath << '\n';
    if (!cl.savePath.empty())
        out << (report.keys > 0 ? "Saved the scene with its recorded motion to "
                                : "Saved the scene, in which no vehicle has recorded motion, to ")
            << cl.savePath << '\n';
    return 0;
}
