// Host time (ticks), validity intervals and scene units.
#pragma once

using TimeValue = int;

constexpr int TICKS_PER_SECOND = 4800;
constexpr TimeValue TIME_NegInfinity = -0x7FFFFFFF - 1;
constexpr TimeValue TIME_PosInfinity = 0x7FFFFFFF;

// Unit codes of GetMasterScale.
enum UnitCode : int {
    UNITS_INCHES = 0,
    UNITS_FEET = 1,
    UNITS_MILES = 2,
    UNITS_MILLIMETERS = 3,
    UNITS_CENTIMETERS = 4,
    UNITS_METERS = 5,
    UNITS_KILOMETERS = 6,
};

int GetTicksPerFrame();
void SetTicksPerFrame(int ticks);
// How many units of the given code one scene unit is (1 scene unit = 1 cm by default).
double GetMasterScale(int unitCode);
// Sets the length of one scene unit in metres; not to be called during a run.
void SetSceneUnitMetres(double metres);

class Interval {
public:
    constexpr Interval() = default;
    constexpr Interval(TimeValue s, TimeValue e) : start(s), end(e) {}

    constexpr TimeValue Start() const { return start; }
    constexpr TimeValue End() const { return end; }
    constexpr bool Empty() const { return start > end; }
    constexpr bool InInterval(TimeValue t) const { return t >= start && t <= end; }
    void SetInfinite() { start = TIME_NegInfinity; end = TIME_PosInfinity; }
    void SetEmpty() { start = TIME_PosInfinity; end = TIME_NegInfinity; }
    void SetInstant(TimeValue t) { start = end = t; }
    Interval& operator&=(const Interval& o);
    constexpr bool operator==(const Interval& o) const { return start == o.start && end == o.end; }

private:
    TimeValue start = TIME_PosInfinity;
    TimeValue end = TIME_NegInfinity;
};

constexpr Interval FOREVER{TIME_NegInfinity, TIME_PosInfinity};
constexpr Interval NEVER{TIME_PosInfinity, TIME_NegInfinity};
