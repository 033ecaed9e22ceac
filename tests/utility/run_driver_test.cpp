// The run's frame schedule, slices, host conversation and failure paths.
#include "road/lane_network.h"
#include "tests/utility/run_support.h"
#include "utility/frame_schedule.h"
#include "utility/run_driver.h"
#include "utility/scene_collect.h"
#include "utility/trace_job.h"

namespace {

TEST(FrameScheduleTest, FramesSpreadEvenlyWithoutOverflow) {
    const struct {
        const char* name;
        std::int32_t start, end, tpf, frames, i, time, sceneTime, percent;
    } rows[] = {
        {"first of 100", 0, 16000, 160, 100, 1, 160, 159, 2},
        {"tenth redraw", 0, 16000, 160, 100, 91, 14560, 14559, 92},
        {"last of 100", 0, 16000, 160, 100, 99, 15840, 15839, 100},
        {"not whole frames", 0, 400, 160, 2, 1, 200, 199, 100},
        {"one frame", 0, 250, 160, 1, 0, 0, 0, 100},
        {"negative start truncates up", -1600, 0, 160, 10, 1, -1439, -1440, 20},
        {"end before start", 100, 0, 160, 0, 0, 0, 0, 0},
        {"end equal to start", 50, 50, 160, 0, 0, 0, 0, 0},
        {"longer than 32 bits", -2000000000, 2000000000, 1, 2147483647, 2147483646, 1999999998, 1999999997, 100},
    };
    for (const auto& r : rows) {
        const FrameSchedule s(r.start, r.end, r.tpf);
        EXPECT_EQ(s.frames, r.frames) << r.name;
        if (s.frames == 0) continue;
        EXPECT_EQ(s.Time(r.i), r.time) << r.name;
        EXPECT_EQ(s.SceneTime(r.i), r.sceneTime) << r.name;
        EXPECT_EQ(s.Percent(r.i), r.percent) << r.name;
    }
}

// Contiguous, covering, lengths within one; eight jobs over three vehicles as the table says.
TEST(TraceSliceTest, SlicesCoverTheArrayEvenly) {
    const std::int32_t eightOverThree[8][2] = {{0, 0}, {0, 0}, {0, 1}, {1, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 3}};
    TraceJob job;
    for (int k = 0; k < 8; ++k) {
        SliceOf(job, k, 8, 3);
        EXPECT_TRUE(job.first == eightOverThree[k][0] && job.end == eightOverThree[k][1]) << k;
    }
    for (std::int32_t t = 1; t <= 8; ++t)
        for (std::int32_t n = 0; n <= 40; ++n) {
            std::int32_t next = 0, shortest = n, longest = 0;
            for (std::int32_t k = 0; k < t; ++k) {
                SliceOf(job, k, t, n);
                EXPECT_EQ(job.first, next);
                next = job.end;
                shortest = std::min(shortest, job.end - job.first), longest = std::max(longest, job.end - job.first);
            }
            EXPECT_TRUE(next == n && longest - shortest <= 1) << t << " jobs, " << n << " vehicles";
        }
}

std::vector<VehicleState*> Vehicles() { return CollectVehicles(GetCOREInterface()->GetRootNode()); }

// 100 frames: progress every frame, the scene time and a redraw every tenth, everything
// stepped to frame 99, the flag clear, every vehicle placed on the road and recorded.
TEST_F(RunTest, HundredFramesFollowTheSchedule) {
    Scene(3);
    Trace(0, 100);
    EXPECT_EQ(Count(HostUiEvent::ProgressStart), 1);
    EXPECT_EQ(shown.front().kind, HostUiEvent::CompleteRedraw);  // the placement's
    std::vector<int> percents, sceneTimes;
    for (int i = 1; i < 100; ++i) percents.push_back(i + 1);
    for (int i = 1; i < 100; i += 10) sceneTimes.push_back(160 * i - 1);
    EXPECT_EQ(Values(HostUiEvent::ProgressUpdate), percents);
    EXPECT_EQ(Values(HostUiEvent::SceneTime), sceneTimes);
    EXPECT_EQ(Count(HostUiEvent::CompleteRedraw), 12);
    EXPECT_EQ(shown.back().kind, HostUiEvent::CompleteRedraw);
    EXPECT_TRUE(IsTracing() == 0 && panel.frameCount == 100 && !panel.IsRunning());
    for (VehicleState* v : Vehicles()) {
        EXPECT_TRUE(v->time == 15840 && v->HasRecord());
        EXPECT_LT(std::abs(v->bodyTM.GetTrans().y), 1000.0f);
    }
    EXPECT_EQ(HostBeepCount(), 0);
}

// Short and backward spans step nothing yet open and close the bar and start every record.
TEST_F(RunTest, ShortRunsStepOnlyWholeFrames) {
    Scene(2);
    const struct {
        std::int32_t start, end, frames, updates, lastTime;
    } rows[] = {{0, 400, 2, 1, 200}, {0, 250, 1, 0, 0}, {0, 0, 0, 0, 0}, {800, 0, 0, 0, 0}};
    for (const auto& r : rows) {
        ClearShown();
        panel.startTime = r.start, panel.endTime = r.end;
        panel.PressTrace();
        EXPECT_TRUE(panel.frameCount == r.frames && Count(HostUiEvent::ProgressUpdate) == r.updates) << r.end;
        EXPECT_TRUE(Count(HostUiEvent::ProgressStart) == 1 && Count(HostUiEvent::ProgressEnd) == 1) << r.end;
        for (VehicleState* v : Vehicles()) {
            EXPECT_TRUE(v->record.IsStarted() && v->time == (r.updates > 0 ? r.lastTime : r.start)) << r.end;
            EXPECT_EQ(v->HasRecord(), r.updates > 0);
        }
    }
}

// Any worker count steps every vehicle every frame; threads and events that cannot be had run
// their slice inline, with the very result the threads give.
TEST_F(RunTest, EveryWorkerCountStepsEveryVehicle) {
    Scene(5);
    const struct {
        DWORD processors;
        HostFailurePlan events, threads;
        long started;  // at least: the zone index starts threads of its own
    } rows[] = {{1, {}, {}, 11},     {2, {}, {}, 22},    {3, {}, {}, 33},        {8, {}, {}, 88},
                {1, {0, 1}, {}, 0},  {1, {}, {0, 1}, 0}, {8, {0, 2}, {}, 44},   {8, {}, {3, 0}, 85}};
    std::vector<Point3> first;
    for (const auto& r : rows) {
        HostResetThreadsAndEvents();
        HostSetProcessorCount(r.processors);
        HostSetEventFailures(r.events);
        HostSetThreadStartFailures(r.threads);
        SharedRandom().srand(11);
        for (VehicleState* v : Vehicles()) v->ResetAt(TransMatrix({0, 5000, 0}), 0);
        Trace(0, 12);
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_TRUE(r.started == 0 ? c.threadsStarted == 0 : c.threadsStarted >= r.started) << r.processors;
        EXPECT_EQ(c.eventsClosed, c.eventsCreated);
        std::vector<Point3> at;
        for (VehicleState* v : Vehicles()) {
            EXPECT_EQ(v->time, 11 * 160);
            at.push_back(v->bodyTM.GetTrans());
        }
        if (r.processors != 1) continue;
        if (first.empty()) first = at;
        EXPECT_EQ(at, first);
    }
}

// "No" goes on with the next frame; "Yes" ends the run after the frame asked about, with the
// motion kept up to it and the bar closed.
TEST_F(RunTest, CancelAnsweredNoThenYes) {
    Scene(2);
    answers = {IDNO, IDYES};
    onProgress = [](int percent) {
        if (percent == 4 || percent == 7) GetCOREInterface()->SetCancel(TRUE);
    };
    Trace(0, 100);
    EXPECT_EQ(Values(HostUiEvent::ProgressUpdate), (std::vector<int>{2, 3, 4, 5, 6, 7}));
    std::vector<HostUiEvent> asked;
    for (const HostUiEvent& e : shown)
        if (e.kind == HostUiEvent::MessageBox) asked.push_back(e);
    ASSERT_EQ(asked.size(), 2u);
    for (const HostUiEvent& e : asked)
        EXPECT_TRUE(e.text == L"Stop Tracing?" && e.caption == L"Marlovan" && e.type == (MB_YESNO | MB_ICONQUESTION) &&
                    e.owner == GetCOREInterface()->GetMAXHWnd());
    EXPECT_TRUE(Count(HostUiEvent::ProgressEnd) == 1 && IsTracing() == 0);
    for (VehicleState* v : Vehicles()) {
        const MotionTrack& track = v->record.Track(0);
        EXPECT_TRUE(v->time == 6 * 160 && track.KeyCount() > 0 && track.Key(track.KeyCount() - 1).time == 6 * 160);
    }
}

// Without a usable surface: the vehicles are placed, the error shown by the motion roll-up, no
// run, the flag clear; a deleted surface node also forgets its handle.
TEST_F(RunTest, SurfaceErrorsStopBeforeTheRun) {
    Scene(2);
    INode* obstacle = GetCOREInterface()->GetRootNode()->GetChildNode(2);
    INode* ground = GetCOREInterface()->GetINodeByHandle(panel.surfaceHandle);
    const struct {
        ULONG handle;
        const wchar_t* message;
    } rows[] = {{0, L"You have to set surface before start"},
                {obstacle->GetHandle(), L"Invalid Surface Mesh"},
                {ground->GetHandle(), L"You have to set surface before start"}};
    GetCOREInterface()->DeleteNode(ground);
    for (const auto& r : rows) {
        ClearShown();
        for (VehicleState* v : Vehicles()) v->ResetAt(TransMatrix({0, 5000, 0}), 0);
        panel.surfaceHandle = r.handle;
        Trace(0, 10);
        ASSERT_EQ(Count(HostUiEvent::MessageBox), 1);
        const HostUiEvent& box = shown.back();
        EXPECT_TRUE(box.text == r.message && box.caption == L"Error" && box.type == MB_OK && box.owner == panel.motionWindow);
        EXPECT_TRUE(Count(HostUiEvent::ProgressStart) == 0 && IsTracing() == 0);
        for (VehicleState* v : Vehicles()) EXPECT_LT(std::abs(v->bodyTM.GetTrans().y), 1000.0f);
    }
    EXPECT_EQ(panel.surfaceHandle, 0u);
}

// One object on two nodes is one vehicle; presses during a run are ignored; "Reset" clears.
TEST_F(RunTest, SharedObjectsOnePressAtATimeAndReset) {
    Scene(1);
    VehicleObject* shared = AddCar();
    GetCOREInterface()->CreateObjectNode(shared);
    EXPECT_EQ(Vehicles().size(), 2u);
    onProgress = [this](int) {
        panel.PressTrace();
        panel.PressReset();
    };
    Trace(0, 4);
    EXPECT_TRUE(Count(HostUiEvent::ProgressStart) == 1 && Count(HostUiEvent::ProgressUpdate) == 3);
    for (VehicleState* v : Vehicles()) EXPECT_TRUE(v->time == 3 * 160 && v->HasRecord());
    HostClearNotifications();
    panel.PressReset();
    for (VehicleState* v : Vehicles()) EXPECT_FALSE(v->record.IsStarted());
    EXPECT_EQ(HostNotifications().size(), 3u);  // a node each
}

}  // namespace
