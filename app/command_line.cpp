#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <filesystem>

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, const std::string& defaultModule,
                                            std::ostream& out, std::ostream& err, int& exitCode) {
    CommandLine cl;
    cl.modulePath = defaultModule;
    CLI::App app("The headless host: loads the Marlovan plug-in module as the host does and shows its scenes.",
                 "marlovan");
    // Not required by the parser, so that a mistyped subcommand is named as unexpected.
    app.require_subcommand(0, 1);
    app.add_option("--module", cl.modulePath, "the plug-in module to load")->capture_default_str();

    CLI::App* info = app.add_subcommand("info", "load the module and list its description, SDK version and classes");
    CLI::App* render = app.add_subcommand("render", "build a scene from a scene file or a saved scene and write the viewport's top view as SVG");
    render->add_option("scene", cl.scenePath, "the scene file (JSON, see docs/scene-format.md) or a saved scene")->required();
    render->add_option("-o,--output", cl.outputPath, "the SVG file to write (default: the scene's name with .svg)");
    render->add_option("--frame", cl.frame, "the frame to show")->capture_default_str();
    render->add_option("--save", cl.savePath, "also save the scene, with each vehicle's recorded motion, to this file");
    CLI::App* run = app.add_subcommand("run", "place and trace the scene's vehicles as the panel's \"Trace\" does, then write the top view at the end frame with their paths");
    run->add_option("scene", cl.scenePath, "the scene file or a saved scene")->required();
    run->add_option("--surface", cl.surfaceName, "pick the ground node of this name as the surface the vehicles drive on");
    run->add_option("--start", cl.startFrame, "type the run's first frame into the panel (it starts with 0)");
    run->add_option("--end", cl.endFrame, "type the run's end frame into the panel (it starts with 100)");
    run->add_option("-o,--output", cl.outputPath, "the SVG file of the top view at the end frame (default: the scene's name with .svg)");
    run->add_option("--csv", cl.csvPath, "also write every frame's world transform of every vehicle part");
    run->add_option("--save", cl.savePath, "also save the scene with the recorded motion");
    std::string answer = "yes";
    run->add_option("--stop", answer,
                    "the answer to \"Stop Tracing?\" after Ctrl-C; with no, a second Ctrl-C within two seconds stops "
                    "the run as yes does")
        ->check(CLI::IsMember({"yes", "no"}))
        ->capture_default_str();
    run->add_flag("--load", cl.load, "play the saved scene's recorded motion back without tracing");
    CLI::App* params = app.add_subcommand("params", "list every class's parameters as Markdown tables");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version answers exit 0; every mistake in the words exits 2.
        exitCode = app.exit(e, out, err) == 0 ? 0 : 2;
        return std::nullopt;
    }
    cl.command = info->parsed()     ? "info"
                 : render->parsed() ? "render"
                 : run->parsed()    ? "run"
                 : params->parsed() ? "params"
                                    : "";
    cl.stopAnswer = answer == "yes";
    if (cl.command.empty()) {
        err << "A subcommand is required: info, render, run or params\nRun with --help for more information.\n";
        exitCode = 2;
        return std::nullopt;
    }
    if ((cl.command == "render" || cl.command == "run") && cl.outputPath.empty())
        cl.outputPath = std::filesystem::path(cl.scenePath).stem().string() + ".svg";
    exitCode = 0;
    return cl;
}
