// A scene file's actions work the module's panel as a user would; bad ones name their place.
#include <set>

#include "app/module_report.h"
#include "app/panel_session.h"
#include "host/class_desc.h"
#include "app_fixture.h"

namespace {

using PanelActionsTest = AppTest;

// A ground triangle around the origin, a road beside it and a frozen mesh.
std::string Scene(const std::string& actions) {
    return R"({"nodes": [
        {"name": "Ground", "object": {"class": "Mesh", "vertices": [[-5000,-5000,0],[5000,-5000,0],[0,5000,0]], "faces": [[0,1,2]]}},
        {"name": "Ice", "object": {"class": "Mesh", "vertices": [[9000,0,0],[9900,0,0],[9000,900,0]], "faces": [[0,1,2]]}},
        {"name": "Road", "object": {"class": "SplineShape", "splines": [{"knots": [[-9000,8000,0],[9000,8000,0]]}]}},
        {"name": "Twin"}, {"name": "Twin"}],
      "actions": )" + actions + "}";
}

TEST_F(PanelActionsTest, ActionsSetThePanelAsTyped) {
    Load(Scene(R"([{"start": -3, "end": 12}, {"surface": "Ground"}, {"surface": [9100, 100]}, "reset"])").c_str());
    {
        PanelSession panel(*classes_, GetCOREInterface());
        EXPECT_TRUE(panel.Start() == -3 * GetTicksPerFrame() && panel.End() == 12 * GetTicksPerFrame() && panel.SurfaceCaption() == L"Ice");
        GetCOREInterface()->DeleteNode(Root()->GetChildNode(1));
        EXPECT_EQ(panel.SurfaceCaption(), L"Ice");
        GetCOREInterface()->SelectNode(Root()->GetChildNode(0));  // the host tells the open panel
        EXPECT_EQ(panel.SurfaceCaption(), L"None");
    }
    SetUp();  // a module loaded anew has a panel of its own, as made
    const PanelSession panel(*classes_, GetCOREInterface());
    EXPECT_TRUE(panel.Start() == 0 && panel.End() == 100 * GetTicksPerFrame() && panel.SurfaceCaption() == L"None");
}

TEST_F(PanelActionsTest, BadActionsNameTheirPlace) {
    const struct {
        const char* actions;
        const char* error;
    } kCases[] = {
        {R"("fly")", "scene.actions: expected an array"},
        {R"(["fly"])", R"(scene.actions[0]: unknown action "fly" ("trace", "reset" or an object))"},
        {R"([{"jump": 1}])", R"(scene.actions[0]: unknown key "jump")"},
        {R"([{"select": ["Nobody"]}])", R"(scene.actions[0].select[0]: no node is named "Nobody")"},
        {R"([{"select": ["Twin"]}])", R"(scene.actions[0].select[0]: several nodes are named "Twin")"},
        {R"([{"surface": "Road"}])", R"(scene.actions[0].surface: "Road" cannot be picked as the surface)"},
        {R"([{"surface": [0]}])", "scene.actions[0].surface: expected a node's name or a point [x, y]"},
        {R"([{"surface": [0, 9000]}])", "scene.actions[0].surface: no mesh at this point can be picked"},
        {R"([{"end": 700000}])", "scene.actions[0].end: the time fields take -100000000 to 100000000 ticks"},
        {R"([{"copy": 0}])", R"(scene.actions[0].copy: "Number of Copies" takes 1 to 1000)"},
        {R"([{"copy": 2, "direction": "Back"}])", R"(scene.actions[0].direction: unknown "Back" ("Right", "Left", "Down", "Up"))"},
        {R"([{"direction": "Up"}])", R"(scene.actions[0].direction: "direction" goes with "copy")"},
        {R"([{"set_up": "Tram"}])", R"(scene.actions[0].set_up: unknown "Tram" ("Car", "Bus", "Truck"))"},
        {R"([{"name": "Car"}])", R"(scene.actions[0].name: "name" names the vehicle that "set_up" makes)"},
        {R"([{"end": 20000}, "trace"])", "scene.actions[1]: a scene file traces at most 10000 frames"},
        {R"([{"surface": "Ice"}, {"end": 5}, "trace", {"surface": "Ground"}])", ""},
        {R"([{"select": ["Ice"]}, {"surface": "Ground", "select": ["Ground"]}, "trace"])", ""},
        {R"(["trace"])", R"(scene.actions[0]: the panel says "You have to set surface before start")"},
    };
    for (const auto& c : kCases) {
        const std::string error = LoadError(Scene(c.actions).c_str());
        EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << c.actions;
        EXPECT_EQ(Root()->NumberOfChildren(), *c.error == '\0' ? 5 : 0) << c.actions;
    }
}

// A body and four wheels set up as a bus, then copied: a row of three buses 1.2 lengths apart.
TEST_F(PanelActionsTest, VehiclesAreSetUpAndCopiedInARow) {
    const auto box = [](const char* name, const char* at, const char* size) {
        return std::string(R"({"name": ")") + name + R"(", "transform": {"position": )" + at +
               R"(}, "object": {"class": "Box", "size": )" + size + "}}";
    };
    std::string nodes = box("Body", "[0, 0, 30]", "[180, 400, 100]");
    for (const auto& [name, at] : {std::pair{"W1", "[-80, 130, 0]"}, {"W2", "[80, 130, 0]"}, {"W3", "[-80, -130, 0]"},
                                   {"W4", "[80, -130, 0]"}})
        nodes += ", " + box(name, at, "[20, 60, 60]");
    const std::string actions = R"([{"select": ["Body", "W1", "W2", "W3", "W4"], "set_up": "Bus", "name": "Bus"},
                                    {"select": ["Bus"], "copy": 3, "direction": "Up"}])";
    Load((R"({"nodes": [)" + nodes + R"(], "actions": )" + actions + "}").c_str());
    std::vector<float> rows;
    for (int i = 0; i < Root()->NumberOfChildren(); ++i) {
        INode* node = Root()->GetChildNode(i);
        if (node->GetObjectRef()->ClassID() != classes_->FindHidden(L"Vehicle", HELPER_CLASS_ID)->ClassID()) continue;
        EXPECT_EQ(node->GetObjectRef()->GetParamBlock(0)->GetInt(7, 0), 1);  // "Type": Bus
        rows.push_back(node->GetNodeTM(0).GetTrans().y);
    }
    ASSERT_TRUE(rows.size() == 3u && Root()->NumberOfChildren() == 3 * 6);
    for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(rows[k], 1.2f * 418.0f * static_cast<float>(k), 0.01f);
    std::set<DWORD> colours;  // the grey of a file's node (W4) and the vehicle's and its copies' own
    for (int i = 4; i < 18; ++i) colours.insert(Root()->GetChildNode(i)->GetWireColor());
    EXPECT_TRUE(Root()->GetChildNode(4)->GetWireColor() == 0x00E0E0E0u && colours.size() == 14);
    const std::string refused = LoadError((R"({"nodes": [)" + nodes + R"(], "actions": [{"select": ["Body", "W1", "W2", "W3", "W4"]},
                                                                       {"select": ["W1"], "set_up": "Car"}]})").c_str());
    EXPECT_EQ(refused, "scene.actions[1]: the panel says \"You have to select 5 objects for 4wheels vehicle,\nor 7 object for 6wheels vehicle\"");
}

// The program's module report lists every class the module registers.
TEST_F(PanelActionsTest, ModuleReportListsEveryClass) {
    std::ostringstream report;
    PrintModuleReport(*module_, report);
    EXPECT_EQ(report.str(), R"(Description: Marlovan
SDK version: 0x3E802A00
Classes: 11
  [0] "Marlovan2" super class 0x1020 Class_ID (0x76CF7E63, 0x4ABC295E) category ""
  [1] "Marlovan Road" super class 0x0820 Class_ID (0x75F86C4B, 0x007A44E8) category "Marlovan"
  [2] "Marlovan Cross" super class 0x0820 Class_ID (0x2DD9792B, 0x446E20ED) category "Marlovan"
  [3] "SpeedLimiter" super class 0x0050 Class_ID (0x156A0982, 0x059D70D6) category "Marlovan2"
  [4] "Obstacle" super class 0x0050 Class_ID (0x5B0B46B6, 0x6EBE723F) category "Marlovan2"
  [5] "TrafficLight" super class 0x0050 Class_ID (0x798B11A2, 0x7EF641E3) category "Marlovan2"
  [6] "BusStop" super class 0x0050 Class_ID (0x54255179, 0x0F77237B) category "Marlovan2"
  [7] "Vehicle" super class 0x0050 Class_ID (0x7CF67ED1, 0x1B6C2182) category "Marlovan2" (not public)
  [8] "Marlovan2" super class 0x9008 Class_ID (0x23E55012, 0x7B31568F) category ""
  [9] "Parking" super class 0x0050 Class_ID (0x3CA86F31, 0x748B6D89) category "Marlovan2"
  [10] "StopLine" super class 0x0050 Class_ID (0x3E8C088E, 0x49951049) category "Marlovan2"
)");
}

}  // namespace
