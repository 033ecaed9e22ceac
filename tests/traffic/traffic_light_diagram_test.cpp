// The traffic light's signal diagram: painting strokes as undo steps, capture loss, paint, spinners.
#include <tuple>

#include "host/module_resources.h"
#include "host/spinner.h"
#include "module/entry_points.h"
#include "resources/resource.h"
#include "traffic/traffic_light_dlg_proc.h"
#include "traffic_light_support.h"

namespace {

constexpr char kStart[] = "RRRRRRRRRRRRGGGGGGGGGGGG";
const std::vector<std::wstring> kOneStep = {L"TrafficLight Diagram"};

LPARAM At(int x, int y) { return static_cast<LPARAM>(static_cast<WORD>(x) | static_cast<DWORD>(static_cast<WORD>(y)) << 16); }

class DiagramTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        HostResetWin32();
        ASSERT_EQ(DllMain(HostModuleHandleOf(reinterpret_cast<const void*>(&DllMain)), DLL_PROCESS_ATTACH, nullptr), TRUE);
        Place(light);
        SetDiagram(block, kStart);
        light->BeginEditParams(Ip(), 0, nullptr);
        ASSERT_EQ(OpenRollups().size(), 1u);
        dialog = OpenRollups()[0].map->GetHWnd();
        view = GetDlgItem(dialog, IDC_TRAFFIC_LIGHT_VIEW);
    }
    void TearDown() override {
        if (!OpenRollups().empty()) light->EndEditParams(Ip(), 0, nullptr);
        SceneTest::TearDown();
    }

    void Down(int x, int y) { SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    void Move(int x, int y, WPARAM keys = MK_LBUTTON) { SendMessageW(view, WM_MOUSEMOVE, keys, At(x, y)); }
    bool SpinnerOn(int id) {
        ISpinnerControl* spinner = GetISpinner(GetDlgItem(dialog, id));
        const bool on = spinner != nullptr && spinner->IsEnabled();
        ReleaseISpinner(spinner);
        return on;
    }
    std::vector<PaintOp> Paint() {
        SendMessageW(view, WM_PAINT, 0, 0);
        return HostWindowStateOf(view).paintOps;
    }

    TrafficLightObject* light = NewLight();
    IParamBlock2* block = light->GetParamBlock(0);
    HWND dialog = nullptr;
    HWND view = nullptr;
};

// The button goes down at the first point, moves through the others and comes up at the last.
const struct { const char* name; std::vector<std::pair<int, int>> path; const char* after; bool step; } kStrokes[] = {
    {"lower half of column 1, from its first pixel: green", {{30, 20}}, "RGRRRRRRRRRRGGGGGGGGGGGG", true},
    {"left of column 0 truncates to it", {{23, 20}}, "GRRRRRRRRRRRGGGGGGGGGGGG", true},
    {"last pixel of column 0", {{29, 20}}, "GRRRRRRRRRRRGGGGGGGGGGGG", true},
    {"upper half: red", {{87, 5}}, "RRRRRRRRRRRRRGGGGGGGGGGG", true},
    {"last pixel of column 23, upper half", {{144, 14}}, "RRRRRRRRRRRRGGGGGGGGGGGR", true},
    {"right of the strip: column 24 does not exist", {{145, 20}}, kStart, false},
    {"below it", {{60, 30}}, kStart, false},
    {"drag over ten columns",
     {{27, 20}, {32, 22}, {37, 22}, {42, 22}, {47, 22}, {52, 22}, {57, 22}, {62, 22}, {67, 22}, {72, 22}},
     "GGGGGGGGGGRRGGGGGGGGGGGG", true},
    {"red and back in one cell: undone to the first value", {{87, 5}, {87, 20}}, kStart, true},
};

TEST_F(DiagramTest, StrokesPaintTheCellsUnderThemAsOneUndoStep) {
    for (const bool animated : {false, true}) {
        block->SetValue(kInputTypeParam, 0, animated ? 1 : 0);
        for (const auto& s : kStrokes) {
            Down(s.path.front().first, s.path.front().second);
            for (const auto& [x, y] : s.path) Move(x, y);
            const bool step = s.step && !animated;
            EXPECT_EQ(theHold.Holding(), step) << s.name << ": a hold opens only for a cell that exists and changes";
            SendMessageW(view, WM_LBUTTONUP, 0, At(s.path.back().first, s.path.back().second));
            EXPECT_EQ(Diagram(block), animated ? kStart : s.after) << s.name << animated;
            EXPECT_EQ(theHold.UndoNames(), step ? kOneStep : std::vector<std::wstring>{}) << s.name << animated;
            EXPECT_EQ(theHold.Undo(), step);
            EXPECT_TRUE(Diagram(block) == kStart && GetCapture() == nullptr && !theHold.Holding()) << s.name;
        }
    }
}

// Buttonless moves paint nothing; losing capture or light ends the drag; deleting drops its steps.
TEST_F(DiagramTest, CaptureLossEndsTheDrag) {
    Down(27, 20);
    Move(32, 20, 0);
    SetCapture(HostCreateWindow(nullptr, L"Other", 0, nullptr));
    EXPECT_TRUE(!theHold.Holding() && theHold.UndoNames() == kOneStep);
    Move(37, 20);
    EXPECT_EQ(Diagram(block), "GRRRRRRRRRRRGGGGGGGGGGGG");
    Down(32, 20);
    TheTrafficLightDlgProc().SetObject(nullptr);
    EXPECT_TRUE(!theHold.Holding() && theHold.UndoNames().size() == 2u) << "unbinding ends the drag";
    light->EndEditParams(Ip(), 0, nullptr);
    EXPECT_TRUE(GetCapture() == nullptr && !IsWindow(view));
    EXPECT_EQ(static_cast<ClassDesc2*>(GetTrafficLightDesc())->GetParamBlockDescByID(0)->GetUserDlgProc(), nullptr);
    Ip()->ResetScene();
    EXPECT_FALSE(theHold.Undo()) << "the deleted light's block took its steps with it";
}

std::vector<PaintOp> ExpectedPaint(bool animated, int marker) {
    using K = PaintOp::Kind;
    const COLORREF red = animated ? 0xA0A0A0 : 0x0000FF, green = animated ? 0xB0B0B0 : 0x00FF00;
    std::vector<PaintOp> ops = {{K::Ellipse, {5, 0, 20, 15}, 0, red}, {K::Ellipse, {5, 15, 20, 30}, 0, green}};
    for (int i = 0; i < 24; ++i) {
        const int l = 25 + 5 * i, r = 31 + 5 * i;
        ops.push_back({K::Rectangle, {l, 0, r, 31}, 0, 0x606060});
        ops.push_back(kStart[i] == 'G' ? PaintOp{K::Rectangle, {l, 15, r, 31}, 0, green}
                                       : PaintOp{K::Rectangle, {l, 0, r, 16}, 0, red});
    }
    const int l = 25 + 5 * marker, r = 30 + 5 * marker;
    for (const auto& [kind, x, y] : {std::tuple{K::MoveTo, l, 0}, std::tuple{K::LineTo, r, 0}, std::tuple{K::LineTo, r, 30},
                                      std::tuple{K::LineTo, l, 30}, std::tuple{K::LineTo, l, 0}})
        if (marker >= 0) ops.push_back({kind, {x, y, 0, 0}, 0xFFFFFF, green});
    return ops;
}

// Validity repaints; the frame marks the current slot; the input type greys it and switches spinners.
TEST_F(DiagramTest, PaintOperationsAndSpinnersByInputType) {
    light->ObjectValidity(0);
    EXPECT_TRUE(HostWindowStateOf(view).invalidations == 1 && HostWindowStateOf(view).eraseAsked);
    RemapDir remap;
    light->Clone(remap)->DeleteThis();  // a new light lets go of the roll-up's interface: no repaint until edited
    light->ObjectValidity(0);
    EXPECT_EQ(HostWindowStateOf(view).invalidations, 1);
    Ip()->SetTime(2000, FALSE);
    EXPECT_EQ(Paint(), ExpectedPaint(false, 1));
    EXPECT_TRUE(SpinnerOn(IDC_TRAFFIC_LIGHT_PERIOD_SPIN) && !SpinnerOn(IDC_TRAFFIC_LIGHT_INPUT_SPIN));
    SendMessageW(dialog, WM_COMMAND, IDC_TRAFFIC_LIGHT_ANIMATED_RADIO, 0);
    EXPECT_EQ(Paint(), ExpectedPaint(true, -1));
    EXPECT_TRUE(!SpinnerOn(IDC_TRAFFIC_LIGHT_PERIOD_SPIN) && SpinnerOn(IDC_TRAFFIC_LIGHT_INPUT_SPIN));
    SendMessageW(dialog, WM_COMMAND, IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO, 0);
    EXPECT_TRUE(SpinnerOn(IDC_TRAFFIC_LIGHT_PERIOD_SPIN) && !SpinnerOn(IDC_TRAFFIC_LIGHT_INPUT_SPIN));
}

}  // namespace
