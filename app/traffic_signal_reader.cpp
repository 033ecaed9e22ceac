#include "app/traffic_signal_reader.h"

#include <cmath>
#include <string>

#include "app/json_reader.h"
#include "host/object.h"
#include "host/param_block.h"

namespace {

constexpr int kSlots = 24;
constexpr double kMaxPeriodTicks = 100000000.0;

ParamID IdOf(const IParamBlock2& block, const wchar_t* name) {
    const ParamBlockDesc2& desc = *block.GetDesc();
    for (int i = 0; i < desc.Count(); ++i)
        if (desc.Param(i).internalName == name) return desc.Param(i).id;
    return -1;
}

void ReadDiagram(const JsonPlace& diagram, IParamBlock2& block) {
    const std::string cells = diagram.String();
    if (cells.size() != kSlots || cells.find_first_not_of("GR") != std::string::npos)
        diagram.Fail("expected 24 slots, each G (green) or R (red)");
    const ParamID id = IdOf(block, L"Diagram");
    for (int i = 0; i < kSlots; ++i) block.SetValue(id, 0, cells[static_cast<std::size_t>(i)] == 'G' ? 1 : 0, i);
}

void ReadPeriod(const JsonPlace& period, IParamBlock2& block) {
    const double ticks = std::round(period.FiniteNumber() * TICKS_PER_SECOND);
    if (!(ticks >= 1.0 && ticks <= kMaxPeriodTicks))
        period.Fail("the period runs from 1 tick (1/4800 s) to 100000000 ticks (20833.3 s)");
    block.SetValue(IdOf(block, L"Period"), 0, static_cast<int>(ticks));
}

void ReadAnimated(const JsonPlace& keys, IParamBlock2& block) {
    keys.ExpectArray();
    if (keys.Size() == 0) keys.Fail("expected at least one [frame, input]");
    const ParamID input = IdOf(block, L"User_Input");
    for (std::size_t i = 0; i < keys.Size(); ++i) {
        const JsonPlace key = keys.Item(i);
        if (!key.Value().is_array() || key.Size() != 2) key.Fail("expected [frame, input]");
        const double value = key.Item(1).FiniteNumber();
        if (value < 0.0 || value > 100.0) key.Item(1).Fail("the input runs from 0 to 100 (green above 50)");
        block.SetKey(input, key.Item(0).Integer() * GetTicksPerFrame(), value);
    }
    block.SetValue(IdOf(block, L"Input_Type"), 0, 1);
}

}  // namespace

void ReadTrafficSignal(const JsonPlace& signal, BaseObject* light) {
    std::wstring name;
    if (light != nullptr) light->GetClassName(name);
    IParamBlock2* block = light != nullptr ? light->GetParamBlock(0) : nullptr;
    if (name != L"TrafficLight" || block == nullptr) signal.Fail("only a TrafficLight has a signal");
    signal.ExpectObject({"diagram", "period", "animated"});
    if (signal.Has("animated")) {
        if (signal.Has("diagram") || signal.Has("period"))
            signal.Fail("a signal is either a diagram with its period or animated, not both");
        return ReadAnimated(signal["animated"], *block);
    }
    if (!signal.Has("diagram")) signal.Fail("missing \"diagram\" (or \"animated\")");
    ReadDiagram(signal["diagram"], *block);
    if (signal.Has("period")) ReadPeriod(signal["period"], *block);
    block->SetValue(IdOf(*block, L"Input_Type"), 0, 0);
}
