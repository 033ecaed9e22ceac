// The run's frame schedule, slices, conversation with the host and error paths.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "tests/support/allocation_failure.h"
#include "tests/utility/run_support.h"
#include "utility/frame_schedule.h"
#include "utility/run_driver.h"
#include "utility/trace_job.h"

namespace {

TEST(FrameScheduleTest, FramesSpreadEvenlyWithoutOverflow) {
    const struct { const char* name; std::int32_t start, end, tpf, frames, i, time, sceneTime, percent; } rows[] = {
        {"not whole frames", 0, 400, 160, 2, 1, 200, 199, 100},
        {"negative times truncate up", -1600, 0, 160, 10, 1, -1439, -1440, 20},
        {"longer than 32 bits", -2000000000, 2000000000, 1, 2147483647, 2147483646, 1999999998, 1999999997, 100},
    };
    for (const auto& r : rows) {
        const FrameSchedule s(r.start, r.end, r.tpf);
        EXPECT_TRUE(s.frames == r.frames && std::vector<int>({s.Time(r.i), s.SceneTime(r.i), s.Percent(r.i)}) ==
                                                std::vector<int>({r.time, r.sceneTime, r.percent})) << r.name;
    }
}

// Contiguous, covering, lengths within one; eight jobs over three vehicles as listed.
TEST(TraceSliceTest, SlicesCoverTheArrayEvenly) {
    const std::int32_t eightOverThree[8] = {0, 0, 1, 1, 1, 2, 2, 3};  // ends; each starts at the previous end
    TraceJob job;
    for (std::int32_t t = 1; t <= 8; ++t)
        for (std::int32_t n = 0; n <= 40; ++n)
            for (std::int32_t k = 0, next = 0; k < t; next = job.end, ++k) {
                SliceOf(job, k, t, n);
                EXPECT_TRUE(job.first == next && job.end - job.first >= n / t && job.end - job.first <= n / t + 1 &&
                            (k < t - 1 || job.end == n) && (t != 8 || n != 3 || job.end == eightOverThree[k])) << t << ", " << n << ", " << k;
            }
}

// Progress every frame, scene time and redraw every tenth (and after placement and at the end);
// the vehicles notified as often; short and backward spans start the records empty.
TEST_F(RunTest, ScheduleThroughTheHost) {
    Scene(3);
    std::vector<int> percents, sceneTimes;
    for (int i = 1; i < 100; ++i) percents.push_back(i + 1);
    for (int i = 1; i < 100; i += 10) sceneTimes.push_back(160 * i - 1);
    HostClearNotifications();
    Trace(0, 16000);
    EXPECT_TRUE(Values(HostUiEvent::ProgressUpdate) == percents && Values(HostUiEvent::SceneTime) == sceneTimes &&
                counts[HostUiEvent::CompleteRedraw] == 12 && shown.back().kind == HostUiEvent::CompleteRedraw);
    const auto changed = [](const Notification& n) { return n.message == 0x50 && n.partID == PART_ALL; };
    EXPECT_EQ(std::count_if(HostNotifications().begin(), HostNotifications().end(), changed), 3 * 11);  // placed, 10 frames
    EXPECT_TRUE(IsTracing() == 0 && panel.frameCount == 100);
    const struct { std::int32_t end, frames, updates; } rows[] = {{400, 2, 1}, {250, 1, 0}, {0, 0, 0}, {-800, 0, 0}};
    for (const auto& r : rows) {
        Trace(0, r.end);
        PlaceVehicles(panel);
        EXPECT_TRUE(panel.frameCount == r.frames && counts[HostUiEvent::ProgressUpdate] == r.updates &&
                    counts[HostUiEvent::ProgressStart] == 1 && counts[HostUiEvent::ProgressEnd] == 1) << r.end;
        for (VehicleState* v : Vehicles())
            EXPECT_TRUE(v->record.IsStarted() && v->HasRecord() == (r.updates > 0) && std::abs(v->bodyTM.GetTrans().y) < 700);
    }
}

// More cars than a 20 m road holds, each last standing across it: each placed car on the road
// along it, clear of those placed before it; each left over starts, and is recorded, where it
// was built.
TEST_F(RunTest, PlacedCarsKeepClearAndThoseLeftOverStartWhereBuilt) {
    AddRoad(MakeShape({{0, 0, 0}, {2000, 0, 0}}));
    AddGround(4000, {-1000, -2000, 0});
    for (int i = 0; i < 8; ++i) AddCar({i * 500.0f, 5000, 0});
    for (VehicleState* v : Vehicles()) v->ResetAt(TransMatrix({1000, 0, 0}), 0);
    Trace(0, 2 * 160);
    std::vector<Point3> placed;
    for (std::size_t i = 0; i < Vehicles().size(); ++i) {
        Matrix3 tm;
        Vehicles()[i]->GetPartTM(tm, 0, 0);
        if (tm == TransMatrix({i * 500.0f, 5000, 0})) continue;
        const Point3 p = tm.GetTrans();
        EXPECT_TRUE(std::abs(p.y) < 700 && p.x > -100 && p.x < 2100 && std::abs(tm.GetRow(1).y) < 0.1f) << i;
        for (const Point3 q : placed) EXPECT_TRUE(std::abs(p.x - q.x) > 460 || std::abs(p.y - q.y) > 180) << i;
        placed.push_back(p);
    }
    EXPECT_TRUE(placed.size() > 1 && placed.size() < 8) << placed.size();
}

#ifndef _WIN32  // only the host stand-in sets the processor count, fails threads and answers boxes
// Every worker count steps every car every frame; threads and events that cannot be had run
// their slice inline, with the result the threads give.
TEST_F(RunTest, EveryWorkerCountStepsEveryVehicle) {
    Scene(5);
    const struct { DWORD processors; HostFailurePlan events, threads; bool inlineOnly; } rows[] = {
        {1, {}, {}, false}, {2, {}, {}, false}, {3, {}, {}, false}, {8, {}, {}, false},
        {1, {0, 1}, {}, true}, {1, {}, {0, 1}, true}, {8, {0, 2}, {}, false}, {8, {}, {3, 0}, false}};
    std::vector<Point3> first;
    for (const auto& r : rows) {
        HostResetThreadsAndEvents(), HostSetProcessorCount(r.processors);
        HostSetEventFailures(r.events), HostSetThreadStartFailures(r.threads);
        SharedRandom().srand(11);
        for (VehicleState* v : Vehicles()) v->ResetAt(TransMatrix({0, 5000, 0}), 0);
        Trace(0, 12 * 160);
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_TRUE(c.eventsClosed == c.eventsCreated && (c.threadsStarted == 0) == r.inlineOnly) << r.processors;
        std::vector<Point3> at;
        for (VehicleState* v : Vehicles()) {
            EXPECT_EQ(v->time, 11 * 160) << r.processors;
            at.push_back(v->bodyTM.GetTrans());
        }
        if (first.empty()) first = at;
        EXPECT_TRUE(r.processors != 1 || at == first);
    }
}

// "No" goes on and asks again only at the next cancel; "Yes" ends the run after the frame asked
// about, keeping the motion up to it.
TEST_F(RunTest, CancelAnsweredNoThenYes) {
    Scene(2);
    noAnswers = 1;
    onProgress = [](int percent) {
        if (percent == 4 || percent == 7) GetCOREInterface()->SetCancel(TRUE);
    };
    Trace(0, 16000);
    EXPECT_EQ(Values(HostUiEvent::ProgressUpdate), (std::vector<int>{2, 3, 4, 5, 6, 7}));
    ASSERT_EQ(counts[HostUiEvent::MessageBox], 2);
    const HostUiEvent& box = shown[shown.size() - 3];
    EXPECT_TRUE(box.text == L"Stop Tracing?" && box.caption == L"Marlovan" && box.type == (MB_YESNO | MB_ICONQUESTION) &&
                box.owner == GetCOREInterface()->GetMAXHWnd() && counts[HostUiEvent::ProgressEnd] == 1 && IsTracing() == 0);
    for (VehicleState* v : Vehicles()) {
        const MotionTrack& track = v->record.Track(0);
        EXPECT_TRUE(v->time == 960 && track.KeyCount() > 0 && track.Key(track.KeyCount() - 1).time == 960);
    }
}

// Without a usable surface the cars are still placed, the error is shown by the motion roll-up,
// nothing runs and the flag is clear; a deleted surface node also forgets its handle.
TEST_F(RunTest, SurfaceErrorsStopBeforeTheRun) {
    Scene(2);
    INode* obstacle = GetCOREInterface()->GetRootNode()->GetChildNode(2);
    const ULONG ground = panel.surfaceHandle;
    GetCOREInterface()->DeleteNode(GetCOREInterface()->GetINodeByHandle(ground));
    const auto mesh = [](std::size_t faces) {  // faces without area, or none
        auto* obj = new TriObject;
        obj->GetMesh() = FlatGrid(1, 100), obj->GetMesh().faces.assign(faces, Face());
        return Add(obj)->GetHandle();
    };
    const struct { ULONG handle; const wchar_t* message; } rows[] = {
        {0, L"You have to set surface before start"}, {obstacle->GetHandle(), L"Invalid Surface Mesh"}, {mesh(2), L"Invalid Surface Mesh"},
        {mesh(0), L"Invalid Surface Mesh"}, {ground, L"You have to set surface before start"}};
    for (const auto& r : rows) {
        for (VehicleState* v : Vehicles()) v->ResetAt(TransMatrix({0, 5000, 0}), 0);
        panel.surfaceHandle = r.handle;
        Trace(0, 1600);
        ASSERT_EQ(counts[HostUiEvent::MessageBox], 1);
        const HostUiEvent& box = shown.back();
        EXPECT_TRUE(box.text == r.message && box.caption == L"Error" && box.type == MB_OK && box.owner == panel.motionWindow &&
                    counts[HostUiEvent::ProgressStart] == 0 && IsTracing() == 0);
        for (VehicleState* v : Vehicles()) EXPECT_LT(std::abs(v->bodyTM.GetTrans().y), 700.0f);
    }
    EXPECT_EQ(panel.surfaceHandle, 0u);
}
#endif

// One object on two nodes is one vehicle; presses during a run are ignored; "Reset" clears.
TEST_F(RunTest, SharedObjectsOnePressAtATimeAndReset) {
    Scene(1);
    GetCOREInterface()->CreateObjectNode(AddCar());
    onProgress = [this](int) { panel.PressTrace(), panel.PressReset(); };
    Trace(0, 640);
    EXPECT_TRUE(counts[HostUiEvent::ProgressStart] == 1 && counts[HostUiEvent::ProgressUpdate] == 3);
    ASSERT_EQ(Vehicles().size(), 2u);
    for (VehicleState* v : Vehicles()) EXPECT_TRUE(v->time == 480 && v->HasRecord());
    panel.PressReset();
    for (VehicleState* v : Vehicles()) EXPECT_FALSE(v->record.IsStarted());
}

#ifndef _WIN32  // the boxes are the host stand-in's
// The "Error" box of a run that failed says why: out of memory only when an allocation failed.
std::wstring ErrorShown(const std::vector<HostUiEvent>& shown) {
    const auto box = std::find_if(shown.begin(), shown.end(), [](const HostUiEvent& e) { return e.kind == HostUiEvent::MessageBox; });
    return box == shown.end() ? L"" : box->text;
}

// A step that fails in any worker's slice stops the run at that frame: one car per worker.
TEST_F(RunTest, AFailureOtherThanMemorySaysWhatFailed) {
    Scene(5);
    HostSetProcessorCount(8);
    onProgress = [](int) { throw std::runtime_error("the host refused a frame"); };
    EXPECT_NO_THROW(Trace(0, 960));
    EXPECT_EQ(ErrorShown(shown), L"Tracing stopped: the host refused a frame.");
    onProgress = nullptr;
    static std::int32_t failing;
    SetTraceStepHook([](std::int32_t v) {
        if (v == failing) throw std::runtime_error("a wheel came off");
    });
    for (failing = 0; failing < 5; ++failing) {
        Trace(0, 960);
        EXPECT_TRUE(ErrorShown(shown) == L"Tracing stopped: a vehicle step failed." && counts[HostUiEvent::ProgressUpdate] == 0 &&
                    IsTracing() == 0) << failing;
    }
    SetTraceStepHook(nullptr);
}

// Whichever one allocation of a run fails, the run ends as a "Yes" to "Stop Tracing?" does, at
// most one "Error" box, nothing leaked, no thread left running, nothing thrown out of the press.
TEST_F(RunTest, AnyFailedAllocationEndsTheRunCleanly) {
    Scene(3);
    const long before = AllocationCount();
    Trace(0, 960);
    const long total = AllocationCount() - before;
    for (long k = 0; k < total; k += 1 + total / 120) {
        FailAllocation(k, false);
        EXPECT_NO_THROW(Trace(0, 960)) << k;
        FailAllocation(-1, false);
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_TRUE(HostWaitForThreads() && c.eventsClosed == c.eventsCreated) << k;
        EXPECT_TRUE(IsTracing() == 0 && !panel.IsRunning() && counts[HostUiEvent::MessageBox] <= 1 &&
                    counts[HostUiEvent::ProgressStart] == counts[HostUiEvent::ProgressEnd]) << k;
        const std::wstring error = ErrorShown(shown);
        EXPECT_TRUE(error.empty() || error == L"Placement stopped: out of memory." || error == L"Invalid Surface Mesh" ||
                    error == L"Tracing stopped: out of memory.") << k;
    }
}
#endif

}  // namespace
