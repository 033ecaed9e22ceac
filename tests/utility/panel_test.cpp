// The utility panel worked as a user works it: its roll-ups, fields, buttons and surface pick.
#include "host/cust_button.h"
#include "host/module_resources.h"
#include "host/pick_mode.h"
#include "host/rollups.h"
#include "host/spinner.h"
#include "host/viewport.h"
#include "module/entry_points.h"
#include "resources/resource.h"
#include "run_support.h"
#include "traffic/speed_limiter.h"

namespace {

struct NoUtilPanel final : IUtil { void CloseUtility() override {} };

class PanelTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        HostResetWindows();
        OpenRollupPages().clear();
        DllMain(HostModuleHandleOf(reinterpret_cast<const void*>(&DllMain)), DLL_PROCESS_ATTACH, nullptr);
        panel.ip = nullptr;
        panel.motionWindow = nullptr;
        panel.BeginEditParams(GetCOREInterface(), &iu);
    }
    void TearDown() override {
        panel.EndEditParams(GetCOREInterface(), &iu);
        GetCOREInterface()->ClearPickMode();
        RunTest::TearDown();
    }

    static HostWindowState Control(HWND page, int id) { return HostWindowStateOf(GetDlgItem(page, id)); }
    std::string Checked(HWND page, int first, int count) const {
        std::string marks;
        for (int i = 0; i < count; ++i) marks += IsDlgButtonChecked(page, first + i) == BST_CHECKED ? 'x' : '.';
        return marks;
    }
    std::wstring Caption() const { return Control(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON).text; }
    bool Pressed() const { return Control(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON).check == BST_CHECKED; }
    static INode* Mesh(Point3 at) {
        auto* mesh = new TriObject;
        mesh->GetMesh().verts = {{-100, -100, 0}, {100, -100, 0}, {0, 100, 0}};
        mesh->GetMesh().faces = {Face{{0, 1, 2}}};
        return Add(mesh, at);
    }

    NoUtilPanel iu;
};

TEST_F(PanelTest, OpensWithItsDefaultsOnFourRegisteredPages) {
    const std::vector<std::pair<std::wstring, HWND>> pages = {
        {L"Vehicles Motion", panel.motionWindow}, {L"Vehicle Setup", panel.setupWindow}, {L"Vehicle Copy", panel.copyWindow}, {L"About", panel.aboutWindow}};
    ASSERT_EQ(OpenRollupPages().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const RollupPage& page = OpenRollupPages()[i];
        EXPECT_EQ(std::make_tuple(page.title, page.window, page.category, GetCOREInterface()->IsDlgWndRegistered(page.window) != 0,
                                  GetWindowLongPtrW(page.window, GWLP_USERDATA)),
                  std::make_tuple(pages[i].first, pages[i].second, ROLLUP_CAT_STANDARD, true, reinterpret_cast<LONG_PTR>(&panel)));
    }
    const int tpf = GetTicksPerFrame();
    const struct { HWND page; int spinner, edit; SpinnerState expected; } kSpinners[] = {
        {panel.motionWindow, IDC_MOTION_START_TIME_SPIN, IDC_MOTION_START_TIME_EDIT, {0, -1e8, 1e8, 1000, {}, EDITTYPE_TIME}},
        {panel.motionWindow, IDC_MOTION_END_TIME_SPIN, IDC_MOTION_END_TIME_EDIT, {100.0 * tpf, -1e8, 1e8, 1000, {}, EDITTYPE_TIME}},
        {panel.copyWindow, IDC_COPY_COUNT_SPIN, IDC_COPY_COUNT_EDIT, {9, 1, 1000, 1000, {}, EDITTYPE_INT}},
    };
    for (const auto& s : kSpinners) {
        SpinnerState expected = s.expected;
        expected.edit = GetDlgItem(s.page, s.edit);
        EXPECT_EQ(Control(s.page, s.spinner).spinner, expected) << s.spinner;
    }
    EXPECT_EQ(Checked(panel.setupWindow, IDC_SETUP_CAR_RADIO, 3) + Checked(panel.copyWindow, IDC_COPY_RIGHT_RADIO, 4), "x..x...");
    const HostWindowState surface = Control(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON);
    EXPECT_TRUE(surface.text == L"None" && surface.buttonType == CBT_CHECK && surface.highlight == 0xC0FF80u);
    EXPECT_EQ(Control(panel.aboutWindow, IDC_ABOUT_TEXT).text.substr(0, 18), L"Marlovan2 2.34\r\n\r\n");
}

// A field takes its value when its spinner is let go or Enter is pressed, never while dragging.
TEST_F(PanelTest, FieldsCommitOnReleaseOrEnterOnly) {
    const int tpf = GetTicksPerFrame();
    // The value typed in the edit, then the one held in the field.
    const struct { HWND page; int spinner, edit; std::int32_t MarlovanUtil::*field; double typed, stored; } kFields[] = {
        {panel.motionWindow, IDC_MOTION_START_TIME_SPIN, IDC_MOTION_START_TIME_EDIT, &MarlovanUtil::startTime, -7, -7.0 * tpf},
        {panel.motionWindow, IDC_MOTION_END_TIME_SPIN, IDC_MOTION_END_TIME_EDIT, &MarlovanUtil::endTime, 1e9, 1e8},
        {panel.copyWindow, IDC_COPY_COUNT_SPIN, IDC_COPY_COUNT_EDIT, &MarlovanUtil::numCopies, 0, 1},
    };
    for (const auto& f : kFields) {
        const double before = panel.*f.field;
        std::vector<double> held;  // after the drag, the release, the typing
        HostDragSpinner(GetDlgItem(f.page, f.spinner), 123), held.push_back(panel.*f.field);
        HostReleaseSpinner(GetDlgItem(f.page, f.spinner)), held.push_back(panel.*f.field);
        HostTypeInEdit(GetDlgItem(f.page, f.edit), f.typed), held.push_back(panel.*f.field);
        EXPECT_EQ(held, (std::vector<double>{before, 123, f.stored})) << f.spinner;
    }
}

// Every button and radio button, and what its click changes.
TEST_F(PanelTest, EveryButtonDoesItsOwnJob) {
    Scene(0);
    const ULONG ground = panel.surfaceHandle;
    panel.surfaceHandle = 0;
    HostClickButton(panel.motionWindow, IDC_MOTION_TRACE_BUTTON);
    EXPECT_EQ(counts[HostUiEvent::MessageBox], 1);  // no surface yet
    HostClickButton(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON);
    EXPECT_TRUE(GetCOREInterface()->GetCurPickMode() != nullptr && Pressed());
    EXPECT_TRUE(HostPickClickOn(GetCOREInterface()->GetINodeByHandle(ground)) && panel.surfaceHandle == ground && !Pressed() &&
                GetCOREInterface()->GetCurPickMode() == nullptr);
    panel.endTime = 3 * GetTicksPerFrame();
    HostClickButton(panel.motionWindow, IDC_MOTION_TRACE_BUTTON);
    EXPECT_TRUE(counts[HostUiEvent::ProgressStart] == 1 && panel.frameCount == 3);
    const int redraws = counts[HostUiEvent::CompleteRedraw];
    HostClickButton(panel.motionWindow, IDC_MOTION_RESET_BUTTON);
    HostClickButton(panel.copyWindow, IDC_COPY_BUTTON);  // nothing selected: an empty step, a redraw
    EXPECT_EQ(counts[HostUiEvent::CompleteRedraw], redraws + 2);
    HostClickButton(panel.setupWindow, IDC_SETUP_BUTTON);  // nothing selected: refused
    EXPECT_EQ(counts[HostUiEvent::MessageBox], 2);
    const struct { HWND page; int first, count; std::int32_t MarlovanUtil::*field; } kRadios[] = {{panel.setupWindow, IDC_SETUP_CAR_RADIO, 3, &MarlovanUtil::vehicleType},
                   {panel.copyWindow, IDC_COPY_RIGHT_RADIO, 4, &MarlovanUtil::copyDirection}};
    for (const auto& r : kRadios)
        for (int i = r.count - 1; i >= 0; --i) {
            HostClickButton(r.page, r.first + i);
            std::string marks(static_cast<std::size_t>(r.count), '.');
            marks[static_cast<std::size_t>(i)] = 'x';
            EXPECT_TRUE(panel.*r.field == i && Checked(r.page, r.first, r.count) == marks) << r.first + i;
        }
    EXPECT_EQ(counts[HostUiEvent::MessageBox], 2);
}

TEST_F(PanelTest, PressesDuringARunAreIgnored) {
    Scene(1);
    INode* root = GetCOREInterface()->GetRootNode();
    GetCOREInterface()->SelectNode(root->GetChildNode(root->NumberOfChildren() - 1));  // the car
    panel.endTime = 3 * GetTicksPerFrame();
    onProgress = [&](int) {
        for (int id : {IDC_MOTION_TRACE_BUTTON, IDC_MOTION_RESET_BUTTON, IDC_MOTION_SURFACE_BUTTON})
            HostClickButton(panel.motionWindow, id);
        for (int id : {IDC_SETUP_TRUCK_RADIO, IDC_SETUP_BUTTON}) HostClickButton(panel.setupWindow, id);
        for (int id : {IDC_COPY_UP_RADIO, IDC_COPY_BUTTON}) HostClickButton(panel.copyWindow, id);
    };
    HostClickButton(panel.motionWindow, IDC_MOTION_TRACE_BUTTON);
    EXPECT_TRUE(counts[HostUiEvent::ProgressStart] == 1 && counts[HostUiEvent::MessageBox] == 0);
    EXPECT_TRUE(GetCOREInterface()->GetCurPickMode() == nullptr && !Pressed() && panel.vehicleType == 0 && panel.copyDirection == 0);
    ASSERT_EQ(Vehicles().size(), 1u);                          // not copied
    EXPECT_GT(Vehicles()[0]->record.Track(0).KeyCount(), 0);  // not reset
}

// Only a node that is not frozen and becomes a triangle mesh can be the surface; a click on
// anything else, on nothing, or a right click keeps the surface and (but the right click) the mode.
TEST_F(PanelTest, PickFilterAndPick) {
    INode* mesh = Mesh({0, 0, 0});
    INode* frozen = Mesh({1000, 0, 0});
    frozen->Freeze(true);
    INode* helper = Add(static_cast<Object*>(GetSpeedLimiterDesc()->Create(FALSE)), {-1000, 0, 0});
    HostClickButton(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON);
    for (INode* refused : {frozen, helper}) EXPECT_FALSE(HostPickClickOn(refused));
    const ScreenMapping& view = GetCOREInterface()->GetActiveViewExp()->GetScreenMapping();
    EXPECT_FALSE(HostPickClick({view.width / 2, view.height / 2 - 150}));  // beside the mesh
    Interface* ip = GetCOREInterface();
    EXPECT_FALSE(ip->GetCurPickMode()->Pick(static_cast<IObjParam*>(ip), ip->GetActiveViewExp()));  // no hit
    EXPECT_TRUE(panel.surfaceHandle == 0 && Caption() == L"None" && Pressed());
    HostPickRightClick();
    EXPECT_TRUE(panel.surfaceHandle == 0 && !Pressed() && ip->GetCurPickMode() == nullptr);
    mesh->SetName(L"Ground");
    HostClickButton(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON);
    EXPECT_TRUE(HostPickClick({view.width / 2, view.height / 2 - 10}) &&  // inside the triangle
                panel.surfaceHandle == mesh->GetHandle() && Caption() == L"Ground" && !Pressed());
    GetCOREInterface()->DeleteNode(mesh);
    EXPECT_EQ(Caption(), L"Ground");
    panel.SelectionSetChanged(GetCOREInterface(), &iu);
    EXPECT_TRUE(Caption() == L"None" && panel.surfaceHandle == 0);
}

TEST_F(PanelTest, ClosingKeepsTheValuesAndForgetsTheWindows) {
    INode* mesh = Mesh({0, 0, 0});
    mesh->SetName(L"Ground");
    HostTypeInEdit(GetDlgItem(panel.motionWindow, IDC_MOTION_END_TIME_EDIT), 40);
    HostClickButton(panel.setupWindow, IDC_SETUP_BUS_RADIO);
    HostClickButton(panel.motionWindow, IDC_MOTION_SURFACE_BUTTON);
    panel.EndEditParams(GetCOREInterface(), &iu);
    EXPECT_TRUE(OpenRollupPages().empty() && panel.surfaceButton == nullptr && panel.ip == nullptr && panel.motionWindow == nullptr &&
                panel.aboutWindow == nullptr);
    EXPECT_TRUE(HostPickClickOn(mesh));  // the pick mode outlives the panel safely
    panel.BeginEditParams(GetCOREInterface(), &iu);
    EXPECT_EQ(std::make_tuple(Control(panel.motionWindow, IDC_MOTION_END_TIME_SPIN).spinner.value, Checked(panel.setupWindow, IDC_SETUP_CAR_RADIO, 3), Caption()),
              std::make_tuple(40.0 * GetTicksPerFrame(), std::string(".x."), std::wstring(L"Ground")));
}

TEST_F(PanelTest, DirectionDiagramPaintsTheVehicleFacingUp) {
    using K = PaintOp::Kind;
    constexpr COLORREF Y = 0x00FFFF, G = 0x00FF00;
    const std::vector<PaintOp> expected = {
        {K::MoveTo, {65, 50}, Y, 0xFFFFFF},  {K::LineTo, {95, 50}, Y, 0xFFFFFF},  {K::LineTo, {95, 130}, Y, 0xFFFFFF},
        {K::LineTo, {65, 130}, Y, 0xFFFFFF}, {K::LineTo, {65, 50}, Y, 0xFFFFFF},  {K::MoveTo, {80, 70}, G, 0xFFFFFF},
        {K::LineTo, {90, 110}, G, 0xFFFFFF}, {K::LineTo, {70, 110}, G, 0xFFFFFF}, {K::LineTo, {80, 70}, G, 0xFFFFFF},
        {K::Text, {20, 20}, 0xFFFFFF, 0xFFFFFF, "Top", TRANSPARENT},
    };
    SendMessageW(panel.setupWindow, WM_PAINT, 0, 0);
    EXPECT_EQ(HostWindowStateOf(panel.setupWindow).paintOps, expected);
}

}  // namespace
