// The signal diagram in the traffic light's roll-up: binding on open, spinners by input type,
// painting cells by clicks and drags as one undo step each, capture loss, the paint operations.
#include <tuple>
#include <vector>

#include "host/spinner.h"
#include "resources/resource.h"
#include "traffic/traffic_light_dlg_proc.h"
#include "traffic/traffic_light_view.h"
#include "traffic_light_support.h"

namespace {

constexpr wchar_t kDiagramUndo[] = L"TrafficLight Diagram";

LPARAM At(int x, int y) { return static_cast<LPARAM>(static_cast<WORD>(x) | (static_cast<DWORD>(static_cast<WORD>(y)) << 16)); }

class DiagramTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        HostResetWin32();
        const HINSTANCE instance = HostModuleHandleOf(reinterpret_cast<const void*>(&DllMain));
        ASSERT_EQ(DllMain(instance, DLL_PROCESS_ATTACH, nullptr), TRUE);
        light = NewLight();
        Place(light);
        block = light->GetParamBlock(0);
        SetDiagram(block, "RRRRRRRRRRRRGGGGGGGGGGGG");
        light->BeginEditParams(Ip(), 0, nullptr);
        ASSERT_EQ(OpenRollups().size(), 1u);
        dialog = OpenRollups()[0].map->GetHWnd();
        view = GetDlgItem(dialog, IDC_TRAFFIC_LIGHT_VIEW);
    }
    void TearDown() override {
        if (light != nullptr && !OpenRollups().empty()) light->EndEditParams(Ip(), 0, nullptr);
        SetModuleInstance(nullptr);
        SceneTest::TearDown();
    }

    void Down(int x, int y) { SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    void Move(int x, int y, WPARAM keys = MK_LBUTTON) { SendMessageW(view, WM_MOUSEMOVE, keys, At(x, y)); }
    void Up(int x, int y) { SendMessageW(view, WM_LBUTTONUP, 0, At(x, y)); }
    void Click(int x, int y) {
        Down(x, y);
        Up(x, y);
    }
    bool SpinnerEnabled(int id) {
        ISpinnerControl* spinner = GetISpinner(GetDlgItem(dialog, id));
        const bool on = spinner != nullptr && spinner->IsEnabled();
        ReleaseISpinner(spinner);
        return on;
    }

    TrafficLightObject* light = nullptr;
    IParamBlock2* block = nullptr;
    HWND dialog = nullptr;
    HWND view = nullptr;
};

TEST_F(DiagramTest, OpeningBindsTheViewAndTheInputTypeSwitchesTheSpinners) {
    EXPECT_EQ(HostWindowStateOf(view).className, L"TrafficLightView");
    EXPECT_EQ(TheTrafficLightDlgProc().Object(), light);
    EXPECT_EQ(TheTrafficLightDlgProc().View(), view);
    EXPECT_NE(GetWindowLongPtrW(view, GWLP_USERDATA), 0);
    EXPECT_TRUE(SpinnerEnabled(IDC_TRAFFIC_LIGHT_PERIOD_SPIN));
    EXPECT_FALSE(SpinnerEnabled(IDC_TRAFFIC_LIGHT_INPUT_SPIN));
    SendMessageW(dialog, WM_COMMAND, IDC_TRAFFIC_LIGHT_ANIMATED_RADIO, 0);
    EXPECT_EQ(block->GetInt(kInputTypeParam), 1);
    EXPECT_FALSE(SpinnerEnabled(IDC_TRAFFIC_LIGHT_PERIOD_SPIN));
    EXPECT_TRUE(SpinnerEnabled(IDC_TRAFFIC_LIGHT_INPUT_SPIN));
    SendMessageW(dialog, WM_COMMAND, IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO, 0);
    EXPECT_EQ(block->GetInt(kInputTypeParam), 0);
    EXPECT_TRUE(SpinnerEnabled(IDC_TRAFFIC_LIGHT_PERIOD_SPIN));

    light->EndEditParams(Ip(), 0, nullptr);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(TheTrafficLightDlgProc().Object(), nullptr);
    const auto* blockDesc = static_cast<ClassDesc2*>(GetTrafficLightDesc())->GetParamBlockDescByID(0);
    EXPECT_EQ(blockDesc->GetUserDlgProc(), nullptr);
}

struct ClickRow {
    const char* name;
    int x, y;
    int slot, value;  // the entry expected to change; slot -1 when nothing changes
};

const ClickRow kClicks[] = {
    {"lower half of column 0 is green", 27, 20, 0, 1},
    {"left of column 0 truncates to it", 23, 20, 0, 1},
    {"upper half of column 12 is red", 87, 5, 12, 0},
    {"y -14 still rounds to the red row", 87, -14, 12, 0},
    {"right of the strip", 146, 20, -1, 0},
    {"below the strip", 60, 31, -1, 0},
    {"far left", 20, 20, -1, 0},
};

TEST_F(DiagramTest, ClicksPaintTheCellUnderThemAsOneUndoStep) {
    const auto before = Diagram(block);
    for (const ClickRow& row : kClicks) {
        Click(row.x, row.y);
        auto expected = before;
        if (row.slot >= 0) expected[static_cast<std::size_t>(row.slot)] = row.value;
        EXPECT_EQ(Diagram(block), expected) << row.name;
        const bool changed = expected != before;
        EXPECT_EQ(theHold.UndoNames(), changed ? std::vector<std::wstring>{kDiagramUndo} : std::vector<std::wstring>{})
            << row.name;
        EXPECT_EQ(theHold.Undo(), changed) << row.name;
        EXPECT_EQ(Diagram(block), before) << row.name;
        EXPECT_EQ(GetCapture(), nullptr) << row.name;
        EXPECT_FALSE(theHold.Holding()) << row.name;
    }
}

TEST_F(DiagramTest, TenColumnDragIsOneUndoableHold) {
    const auto before = Diagram(block);
    Down(27, 20);
    EXPECT_EQ(GetCapture(), view);
    for (int x = 32; x <= 72; x += 5) Move(x, 22);
    Up(72, 22);
    const auto after = Diagram(block);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(after[static_cast<std::size_t>(i)], i < 10 ? 1 : before[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(theHold.UndoNames(), std::vector<std::wstring>{kDiagramUndo});
    EXPECT_TRUE(theHold.Undo());
    EXPECT_EQ(Diagram(block), before);

    // The same drag over cells that already are green leaves no step.
    Down(87, 20);
    for (int x = 92; x <= 132; x += 5) Move(x, 20);
    Up(132, 20);
    EXPECT_EQ(Diagram(block), before);
    EXPECT_TRUE(theHold.UndoNames().empty());
}

TEST_F(DiagramTest, AnimatedLightTakesNoInput) {
    block->SetValue(kInputTypeParam, 0, 1);
    const auto before = Diagram(block);
    Down(27, 20);
    Move(40, 20);
    Up(40, 20);
    EXPECT_EQ(Diagram(block), before);
    EXPECT_TRUE(theHold.UndoNames().empty());
}

// Moves without the left button paint nothing, and losing the capture ends the drag with its
// hold accepted, so no hold stays open and later moves paint nothing.
TEST_F(DiagramTest, CaptureLossEndsTheDrag) {
    Down(27, 20);
    Move(32, 20, 0);
    EXPECT_EQ(block->GetInt(kDiagramParam, 0, 1), 0);
    Move(32, 20);
    const HWND other = HostCreateWindow(nullptr, L"Other", 0, nullptr);
    SetCapture(other);
    EXPECT_FALSE(theHold.Holding());
    EXPECT_EQ(theHold.UndoNames(), std::vector<std::wstring>{kDiagramUndo});
    Move(37, 20);
    EXPECT_EQ(block->GetInt(kDiagramParam, 0, 2), 0);
    Up(37, 20);
    EXPECT_EQ(theHold.UndoNames().size(), 1u);
    EXPECT_TRUE(theHold.Undo());
    EXPECT_EQ(block->GetInt(kDiagramParam, 0, 0), 0);
    EXPECT_EQ(block->GetInt(kDiagramParam, 0, 1), 0);
}

// Closing the roll-up in mid-drag also closes the hold.
TEST_F(DiagramTest, ClosingMidDragAcceptsTheHold) {
    Down(27, 20);
    light->EndEditParams(Ip(), 0, nullptr);
    EXPECT_FALSE(theHold.Holding());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(theHold.UndoNames().size(), 1u);
}

std::vector<PaintOp> ExpectedPaint(const char* cells, bool animated, int marker) {
    using K = PaintOp::Kind;
    const COLORREF red = animated ? 0xA0A0A0 : 0x0000FF, green = animated ? 0xB0B0B0 : 0x00FF00;
    std::vector<PaintOp> ops = {{K::Ellipse, {5, 0, 20, 15}, 0, red}, {K::Ellipse, {5, 15, 20, 30}, 0, green}};
    for (int i = 0; i < 24; ++i) {
        const int l = 25 + 5 * i, r = 31 + 5 * i;
        ops.push_back({K::Rectangle, {l, 0, r, 31}, 0, 0x606060});
        ops.push_back(cells[i] == 'G' ? PaintOp{K::Rectangle, {l, 15, r, 31}, 0, green}
                                      : PaintOp{K::Rectangle, {l, 0, r, 16}, 0, red});
    }
    if (marker < 0) return ops;
    const int l = 25 + 5 * marker, r = 30 + 5 * marker;
    const COLORREF brush = ops.back().brush;
    for (const auto& [kind, x, y] : {std::tuple{K::MoveTo, l, 0}, std::tuple{K::LineTo, r, 0}, std::tuple{K::LineTo, r, 30},
                                      std::tuple{K::LineTo, l, 30}, std::tuple{K::LineTo, l, 0}})
        ops.push_back({kind, {x, y, 0, 0}, 0xFFFFFF, brush});
    return ops;
}

TEST_F(DiagramTest, PaintOperations) {
    const char cells[] = "RRRRRRRRRRRRGGGGGGGGGGGG";
    Ip()->SetTime(2000, FALSE);
    SendMessageW(view, WM_PAINT, 0, 0);
    EXPECT_EQ(HostWindowStateOf(view).paintOps, ExpectedPaint(cells, false, 1));
    Ip()->SetTime(-1, FALSE);
    SendMessageW(view, WM_PAINT, 0, 0);
    EXPECT_EQ(HostWindowStateOf(view).paintOps, ExpectedPaint(cells, false, 23));
    block->SetValue(kPeriodParam, 0, 0);
    SendMessageW(view, WM_PAINT, 0, 0);
    EXPECT_EQ(HostWindowStateOf(view).paintOps, ExpectedPaint(cells, false, 0));
    block->SetValue(kInputTypeParam, 0, 1);
    SendMessageW(view, WM_PAINT, 0, 0);
    EXPECT_EQ(HostWindowStateOf(view).paintOps, ExpectedPaint(cells, true, -1));
}

// A validity request repaints the diagram, erasing it, while the roll-up is open, and only then.
TEST_F(DiagramTest, CacheRefreshRepaintsOnlyALiveView) {
    light->ObjectValidity(0);
    EXPECT_EQ(HostWindowStateOf(view).invalidations, 1);
    EXPECT_TRUE(HostWindowStateOf(view).eraseAsked);
    light->EndEditParams(Ip(), 0, nullptr);
    light->ObjectValidity(0);
    TrafficLightObject* other = NewLight();
    other->ObjectValidity(0);
    other->DeleteThis();
    EXPECT_FALSE(HostWindowStateOf(view).exists);
}

TEST(DiagramWindowTest, WithoutUserDataEverythingIsDefault) {
    const HWND hwnd = HostCreateWindow(TrafficLightViewProc, L"TrafficLightView", 1153, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(27, 20)), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    HostDestroyWindow(hwnd);
}

}  // namespace
