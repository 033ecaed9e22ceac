#include "app/action_reader.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/class_directory.h"
#include "app/json_reader.h"
#include "app/node_names.h"
#include "app/panel_session.h"
#include "app/scene_error.h"
#include "app/scene_limits.h"
#include "app/text.h"
#include "host/class_desc.h"
#include "host/interface.h"
#include "host/run_ui.h"

namespace {

constexpr const char* kTypes[] = {"Car", "Bus", "Truck"};
constexpr const char* kDirections[] = {"Right", "Left", "Down", "Up"};

// The texts of the message boxes the panel shows; each is answered with its first button.
class ShownMessages {
public:
    ShownMessages() {
        HostSetMessageResponder([this](const HostUiEvent& e) {
            texts_.push_back(ToUtf8(e.text.c_str()));
            return (e.type & MB_YESNO) != 0 ? IDYES : IDOK;
        });
    }
    ~ShownMessages() { HostSetMessageResponder(nullptr); }
    ShownMessages(const ShownMessages&) = delete;
    ShownMessages& operator=(const ShownMessages&) = delete;

    void FailIfAny(const JsonPlace& action) {
        if (!texts_.empty()) action.Fail("the panel says \"" + texts_.front() + "\"");
    }

private:
    std::vector<std::string> texts_;
};

template <std::size_t N>
int Choice(const JsonPlace& place, const char* const (&names)[N]) {
    const std::string text = place.String();
    for (std::size_t i = 0; i < N; ++i)
        if (text == names[i]) return static_cast<int>(i);
    std::string all;
    for (const char* name : names) all += (all.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    place.Fail("unknown \"" + text + "\" (" + all + ")");
}

INode* NodeNamed(const JsonPlace& place, const NodesByName& byName) {
    const std::string name = place.String();
    const auto found = byName.find(FromUtf8(name));
    if (found == byName.end()) place.Fail("no node is named \"" + name + "\"");
    if (found->second.size() > 1) place.Fail("several nodes are named \"" + name + "\"");
    return found->second.front();
}

bool IsVehicle(INode* node, ClassDesc* vehicleClass) {
    return vehicleClass != nullptr && node->GetObjectRef() != nullptr &&
           node->GetObjectRef()->ClassID() == vehicleClass->ClassID();
}

std::vector<INode*> AllNodes(Interface* ip) {
    std::vector<INode*> nodes;
    for (const auto& [name, named] : NameNodes(ip)) nodes.insert(nodes.end(), named.begin(), named.end());
    return nodes;
}

class ActionRunner {
public:
    ActionRunner(const ClassDirectory& classes, Interface* ip, bool pressButtons)
        : ip_(ip), vehicleClass_(classes.FindHidden(L"Vehicle", HELPER_CLASS_ID)), pressButtons_(pressButtons),
          panel_(classes, ip) {}

    void Run(const JsonPlace& action) {
        if (action.Value().is_string()) return Press(action);
        action.ExpectObject({"select", "set_up", "name", "copy", "direction", "surface", "start", "end"});
        if (action.Has("select")) Select(action["select"]);
        if (action.Has("start") && !panel_.TypeStart(action["start"].Integer())) action["start"].Fail(kTimeRange);
        if (action.Has("end") && !panel_.TypeEnd(action["end"].Integer())) action["end"].Fail(kTimeRange);
        if (action.Has("surface")) Surface(action["surface"]);
        if (action.Has("set_up")) SetUp(action);
        else if (action.Has("name")) action["name"].Fail("\"name\" names the vehicle that \"set_up\" makes");
        if (action.Has("copy")) Copy(action);
        else if (action.Has("direction")) action["direction"].Fail("\"direction\" goes with \"copy\"");
        messages_.FailIfAny(action);
    }

private:
    static constexpr const char* kTimeRange = "the time fields take -100000000 to 100000000 ticks";

    void Press(const JsonPlace& action) {
        const std::string button = action.String();
        if (button == "trace") {
            CheckTraceSize(action);
            if (pressButtons_) panel_.PressTrace();
        } else if (button == "reset") {
            if (pressButtons_) panel_.PressReset();
        } else {
            action.Fail("unknown action \"" + button + "\" (\"trace\", \"reset\" or an object)");
        }
        messages_.FailIfAny(action);
    }

    void Select(const JsonPlace& names) {
        names.ExpectArray();
        const NodesByName byName = NameNodes(ip_);
        std::vector<INode*> chosen;
        for (std::size_t i = 0; i < names.Size(); ++i) chosen.push_back(NodeNamed(names.Item(i), byName));
        ip_->SelectNode(nullptr, 1);
        for (INode* node : chosen) ip_->SelectNode(node, 0);
    }

    void Surface(const JsonPlace& place) {
        if (place.Value().is_string()) {
            if (!panel_.PickSurface(NodeNamed(place, NameNodes(ip_))))
                place.Fail("\"" + place.String() + "\" cannot be picked as the surface: it is no mesh, or frozen");
            return;
        }
        place.ExpectArray();
        if (place.Size() != 2) place.Fail("expected a node's name or a point [x, y]");
        const Point3 at(static_cast<float>(place.Item(0).FiniteNumber()), static_cast<float>(place.Item(1).FiniteNumber()), 0.0f);
        if (!panel_.PickSurfaceAt(at)) place.Fail("no mesh at this point can be picked as the surface");
    }

    void SetUp(const JsonPlace& action) {
        const int type = Choice(action["set_up"], kTypes);
        std::set<INode*> before;
        for (INode* node : AllNodes(ip_))
            if (IsVehicle(node, vehicleClass_)) before.insert(node);
        panel_.SetUp(type);
        messages_.FailIfAny(action);
        if (!action.Has("name")) return;
        for (INode* node : AllNodes(ip_))
            if (IsVehicle(node, vehicleClass_) && before.count(node) == 0) return node->SetName(FromUtf8(action["name"].String()));
        action["set_up"].Fail("\"Set Up\" made no vehicle");
    }

    void Copy(const JsonPlace& action) {
        const long long count = action["copy"].Integer();
        const int direction = action.Has("direction") ? Choice(action["direction"], kDirections) : -1;
        const std::vector<INode*> nodes = AllNodes(ip_);
        const auto vehicles = std::count_if(nodes.begin(), nodes.end(), [&](INode* n) {
            return n->Selected() && IsVehicle(n, vehicleClass_);
        });
        // A vehicle has at most seven parts besides its own node.
        if (static_cast<double>(vehicles) * 8.0 * static_cast<double>(count - 1) + static_cast<double>(nodes.size()) >
            static_cast<double>(kMaxActionNodes))
            action["copy"].Fail("the copies would pass " + std::to_string(kMaxActionNodes) + " nodes");
        if (!panel_.Copy(count, direction)) action["copy"].Fail("\"Number of Copies\" takes 1 to 1000");
    }

    void CheckTraceSize(const JsonPlace& action) {
        const double frames = (static_cast<double>(panel_.End()) - panel_.Start()) / GetTicksPerFrame();
        const std::vector<INode*> nodes = AllNodes(ip_);
        const auto vehicles = std::count_if(nodes.begin(), nodes.end(), [&](INode* n) { return IsVehicle(n, vehicleClass_); });
        if (frames > kMaxActionFrames || frames * static_cast<double>(vehicles) > kMaxActionSteps)
            action.Fail("a scene file traces at most " + std::to_string(kMaxActionFrames) + " frames and " +
                        std::to_string(kMaxActionSteps) + " vehicle steps; `marlovan run` traces longer runs");
    }

    Interface* ip_;
    ClassDesc* vehicleClass_;
    bool pressButtons_;
    ShownMessages messages_;
    PanelSession panel_;
};

}  // namespace

void RunSceneActions(const JsonPlace& actions, const ClassDirectory& classes, Interface* ip, bool pressButtons) {
    actions.ExpectArray();
    ActionRunner runner(classes, ip, pressButtons);
    for (std::size_t i = 0; i < actions.Size(); ++i) runner.Run(actions.Item(i));
}
