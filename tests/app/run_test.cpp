// The run command end to end on a small scene: a saved run plays back exactly, and a run that
// shows an error writes nothing.
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "app/command_line.h"
#include "app/interrupt_exit.h"
#include "app/run_command.h"
#include "app/terminal_run_ui.h"
#include "app_fixture.h"
#include "host/module_resources.h"
#include "host/run_ui.h"

namespace {

namespace fs = std::filesystem;

// 200 m of road with two lanes each way on a plane; cars with a body and a wheel, off the road.
std::string RoadScene(int cars) {
    std::string s = R"({"nodes": [{"name": "Ground", "object": {"class": "Plane", "size": [24000, 6000]}},
      {"name": "Road", "object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[-10000,0,0],[10000,0,0]]}]},
       "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 2, "Backward_Strip": 2}}]})";
    for (int i = 0; i < cars; ++i) {
        const std::string car = "car" + std::to_string(i);
        s += R"(, {"name": ")" + car + R"(", "transform": {"position": [0, 2500, 0]}, "vehicle": {"params": {"Wheel_Count": 2,
              "Wheel_Pos": [[75, 130, 30], [75, -125, 30], [0, 0, 0]], "Wheel_Size": [[20, 30, 0], [20, 30, 0], [0, 0, 0]]}}},
              {"name": "b)" + car + R"(", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 0}},
              {"name": "w)" + car + R"(", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 1}})";
    }
    return s + "]}";
}

// Calls act at each character printed to it: the summary's come just after the trace.
struct OnPrint : std::streambuf {
    std::function<void()> act;
    explicit OnPrint(std::function<void()> a) : act(std::move(a)) {}
    int overflow(int c) override { return act(), c; }
};

class RunCommandTest : public AppTest {
protected:
    fs::path dir = fs::temp_directory_path() / ("marlovan_run_" + std::to_string(::getpid()));
    void TearDown() override { fs::remove_all(dir); }
    // road.json with that many cars and those actions.
    void Write(int cars, const std::string& actions = "") {
        fs::create_directories(dir);
        std::string scene = RoadScene(cars);
        std::ofstream(dir / "road.json") << scene.insert(scene.size() - 1, actions);
    }

    std::string printed;  // by the last run

    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
        return names;
    }

    // atSummary, when given, is called as the summary is printed, instead of printing it.
    int Run(const std::string& line, std::function<void()> atSummary = nullptr) {
        std::vector<std::string> args{"marlovan"};
        std::istringstream words(line);
        for (std::string w; words >> w;) args.push_back(w.rfind("@/", 0) == 0 ? (dir / w.substr(2)).string() : w);
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        std::ostringstream out;
        int code = 0;
        const auto cl = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), MARLOVAN_MODULE_PATH, out, out, code);
        OnPrint hook(atSummary);
        std::ostream hooked(&hook);
        code = RunCommand(*module_, *cl, atSummary ? hooked : out, out, false);
        printed = out.str();
        GetCOREInterface()->ResetScene();
        return code;
    }
};

TEST_F(RunCommandTest, SavedRunPlaysBackIdenticallyAndErrorsWriteNothing) {
    Write(6);
    ASSERT_EQ(Run("run @/road.json --surface Ground --end 30 -o @/a.svg --csv @/a.csv --save @/s.bin"), 0);
    EXPECT_NE(printed.find("Placed 6 of 6 vehicles (0 beeps); 30 frames;"), std::string::npos) << printed;
    ASSERT_EQ(Run("run @/s.bin --load --end 30 -o @/b.svg --csv @/b.csv"), 0);
    const std::string a = ReadFile(dir / "a.csv");
    EXPECT_TRUE(a == ReadFile(dir / "b.csv") && std::count(a.begin(), a.end(), '\n') == 1 + 31 * 12);
    EXPECT_NE(ReadFile(dir / "a.svg").find("<polyline"), std::string::npos);
    for (const char* surface : {"Nowhere", "Road"})
        EXPECT_NE(ErrorOf([&] { Run("run @/road.json --end 5 -o @/c.svg --surface " + std::string(surface)); }).find("--surface "),
                  std::string::npos);
    EXPECT_EQ(Run("run @/road.json --end 5 -o @/c.svg"), 1);  // no surface picked
    EXPECT_TRUE(printed.find("Error: ") != std::string::npos &&
                Listing() == std::set<std::string>({"road.json", "a.svg", "a.csv", "s.bin", "b.svg", "b.csv"})) << printed;
}

// Each place is tried before the scene is even loaded, under whichever spelling; what fails leaves
// nothing behind and never touches a file of the user's.
TEST_F(RunCommandTest, OutputPlacesAreTriedFirstAndWrittenAsASet) {
    Write(1);
    std::ofstream(dir / "a.svg.tmp") << "mine";
    fs::create_directory_symlink(dir, dir / "here");
    const fs::path cwd = fs::current_path();
    fs::current_path(dir);
    const std::string back = "@/here/../" + dir.filename().string();
    const struct { std::string option, why; } cases[] = {
        {"--csv @/", "it is a directory"}, {"--csv @/no/a.csv", "No such file or directory"},
        {"--save @/road.json/s", "Not a directory"}, {"--csv @/a.svg", "named twice"}, {"--csv a.svg", "named twice"},
        {"--csv ./a.svg", "named twice"}, {"--csv @/here/a.svg", "named twice"}, {"--csv " + back + "/a.svg", "named twice"}};
    for (const auto& c : cases) {
        const std::string error = ErrorOf([&] { Run("run @/road.json --surface Ground --end 5 -o @/a.svg " + c.option); });
        EXPECT_TRUE(error.rfind("cannot write ", 0) == 0 && error.find(c.why) != std::string::npos) << c.option << ": " << error;
        EXPECT_EQ(Root()->NumberOfChildren(), 0);
        EXPECT_TRUE(Listing() == std::set<std::string>({"road.json", "here", "a.svg.tmp"}) && ReadFile(dir / "a.svg.tmp") == "mine");
    }
    fs::current_path(cwd);
    // A place that became a folder during the run: the file that was there is kept, a new one removed.
    std::ofstream(dir / "a.svg") << "old";
    const auto folder = [&] { fs::create_directories(dir / "c.bin/in"); };
    EXPECT_NE(ErrorOf([&] { Run("run @/road.json --surface Ground --end 5 -o @/a.svg --csv @/b.csv --save @/c.bin", folder); })
                  .find("cannot write " + (dir / "c.bin").string()), std::string::npos);
    EXPECT_TRUE(ReadFile(dir / "a.svg") == "old" && Listing() == std::set<std::string>({"road.json", "here", "a.svg.tmp", "a.svg", "c.bin"}));
}

// A Ctrl-C during placement stops the run at its first frame, and the summary counts to there;
// a run that records nothing does not claim to save motion.
TEST_F(RunCommandTest, ACtrlCBeforeTheBarStopsAtTheFirstFrame) {
    Write(2);
    {
        const TerminalRunUi takesTheCtrlC(std::cerr, true, false);
        std::raise(SIGINT);
        ASSERT_EQ(Run("run @/road.json --surface Ground --end 30 -o @/a.svg --save @/s.bin"), 0);
    }
    EXPECT_NE(printed.find("Placed 2 of 2 vehicles (0 beeps); 2 of 30 frames;"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Saved the scene with its recorded motion to "), std::string::npos) << printed;
    ASSERT_EQ(Run("run @/road.json --surface Ground --end 0 -o @/a.svg --save @/s.bin"), 0);
    EXPECT_NE(printed.find("Saved the scene, in which no vehicle has recorded motion, to "), std::string::npos) << printed;
}

// Ctrl-C outside the trace, while the scene loads (from a pipe that holds it back) or just after
// the summary, ends the program with exit code 130 and leaves no file behind.
TEST_F(RunCommandTest, ACtrlCOutsideTheTraceEndsTheProgramAndLeavesNothing) {
    Write(1);
    ASSERT_EQ(mkfifo((dir / "held.json").c_str(), 0600), 0);
    for (const std::string scene : {"held.json", "road.json"}) {
        int said[2];
        ASSERT_EQ(pipe(said), 0);
        HostJoinThreads();  // the child has only the thread that forks
        const pid_t child = fork();
        if (child == 0) {
            dup2(said[1], STDERR_FILENO);
            ExitOnInterrupt();
            ErrorOf([&] { Run("run @/" + scene + " --surface Ground --end 5 -o @/a.svg --csv @/a.csv", [] { std::raise(SIGINT); }); });
            _exit(0);
        }
        close(said[1]);
        if (scene == "held.json") {
            const int writer = open((dir / scene).c_str(), O_WRONLY);
            kill(child, SIGINT);
            close(writer);
        }
        int status = 0;
        waitpid(child, &status, 0);
        char text[100] = {};
        EXPECT_GT(read(said[0], text, sizeof text - 1), 0);
        close(said[0]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << scene << ": " << status;
        EXPECT_EQ(std::string(text), "marlovan: interrupted; nothing was written\n");
        EXPECT_EQ(Listing(), std::set<std::string>({"held.json", "road.json"}));
    }
}

// A saved run is played back, never traced again; motion that cannot be read names its vehicles.
TEST_F(RunCommandTest, SavedScenesAreNotTracedAgainAndUnreadableMotionIsRefused) {
    Write(2, R"(, "actions": [{"surface": "Ground", "end": 5}, "trace"])");
    ASSERT_EQ(Run("run @/road.json --load --end 5 -o @/a.svg --save @/s.bin"), 0);
    int bars = 0;
    HostSetUiObserver([&](const HostUiEvent& e) { bars += e.kind == HostUiEvent::ProgressStart; });
    ASSERT_EQ(Run("run @/s.bin --load --end 5 -o @/a.svg --save @/t.bin"), 0);
    HostSetUiObserver(nullptr);
    EXPECT_TRUE(bars == 0 && ReadFile(dir / "s.bin") == ReadFile(dir / "t.bin"));
    // The first vehicle's first key becomes NaN; the last one's last track counts a key less (of
    // fewer than 256), which leaves that key's bytes after the tracks.
    std::string bytes = ReadFile(dir / "s.bin");
    std::vector<std::size_t> motion;
    for (std::size_t at = 0; (at = bytes.find("\x03\x53", at + 1)) != std::string::npos;)
        if (bytes.compare(at + 6, 2, std::string("\x0A\0", 2)) == 0) motion.push_back(at + 12);
    bytes.replace(motion.front() + 4, 4, std::string("\0\0\xC0\x7F", 4));
    std::size_t track = motion.back();
    for (int k = 0; k < 20; ++k) track += 4 + 8 * static_cast<std::uint8_t>(bytes[track]);
    --bytes[track];
    // The road's entry, the second node's, gains a byte that it never saved.
    const auto length = [&](std::size_t chunk) { std::uint32_t n; std::memcpy(&n, &bytes[chunk + 2], 4); return n; };
    const std::size_t objects = 6 + length(0), road = objects + 12 + length(objects + 6);
    for (const std::size_t chunk : {objects, road}) {
        const std::uint32_t grown = length(chunk) + 1;
        std::memcpy(&bytes[chunk + 2], &grown, 4);
    }
    bytes.insert(road + 5 + length(road), 1, '\x01');
    std::ofstream(dir / "s.bin", std::ios::binary) << bytes;
    for (const char* command : {"run @/s.bin --load -o @/b.svg", "run @/s.bin -o @/b.svg"}) {
        const std::string error = ErrorOf([&] { Run(command); });
        EXPECT_NE(error.find("saved scene: the saved motion of \"car0\", \"car1\" and the saved data of \"Road\" cannot be read"),
                  std::string::npos) << error;
    }
    EXPECT_FALSE(fs::exists(dir / "b.svg"));
}

// With "No" as the answer, a second Ctrl-C within two seconds answers "Yes" (no second: -1).
TEST(TerminalRunUiTest, ASecondCtrlCInsistsOnStopping) {
    static long long now = 0;
    for (const auto& [secondAfterMs, answer] : {std::pair{-1, IDNO}, {0, IDYES}, {1999, IDYES}, {2001, IDNO}}) {
        std::ostringstream err;
        const TerminalRunUi ui(err, false, false, [] { return now; });
        std::raise(SIGINT);
        now += secondAfterMs;
        if (secondAfterMs >= 0) std::raise(SIGINT);
        EXPECT_EQ(MessageBoxW(nullptr, L"Stop Tracing?", L"Marlovan", MB_YESNO), answer) << secondAfterMs;
    }
}

// A terminal gets the bar redrawn at each percent, a log a line at each quarter.
TEST(TerminalRunUiTest, TheBarRedrawsOnATerminalAndPrintsQuartersToALog) {
    for (const auto& [terminal, lines, redraws] : {std::tuple{false, 5, 0}, {true, 1, 101}}) {
        std::ostringstream err;
        TerminalRunUi ui(err, true, terminal);
        GetCOREInterface()->ProgressStart(L"Car Tracing", TRUE, nullptr, nullptr);
        for (int percent = 0; percent <= 100; ++percent) GetCOREInterface()->ProgressUpdate(percent);
        GetCOREInterface()->ProgressEnd();
        const std::string s = err.str();
        EXPECT_TRUE(std::count(s.begin(), s.end(), '\n') == lines && std::count(s.begin(), s.end(), '\r') == redraws) << s;
    }
}

}  // namespace
