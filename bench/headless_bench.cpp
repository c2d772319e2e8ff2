// In-process costs of the steps a user waits for, on the headless desktop.
#include <benchmark/benchmark.h>

#include "harness.h"

namespace {

using namespace testing_support;

std::shared_ptr<Store> fullStore() {
    auto store = std::make_shared<Store>();
    Program filler(store);
    filler.start(false);
    for (int i = 0; i < 100; ++i) {
        filler.spm().EntryTable.Exe[i] =
            "C:\\Program Files\\ツール\\tool" + std::to_string(i) + ".exe";
        filler.spm().EntryTable.APName[i] = "ツール " + std::to_string(i);
        filler.spm().EntryTable.APPath[i] = "C:\\Program Files\\ツール\\";
    }
    filler.spm().SaveSettings();
    return std::make_shared<Store>(*store);
}

// From nothing to the call point shown, on a full store (the splash only starts).
void StartUpToCallPointShown(benchmark::State& state) {
    auto store = fullStore();
    for (auto _ : state) {
        Program program(store);
        program.start(false);
        benchmark::DoNotOptimize(program.sp().Visible());
    }
}
BENCHMARK(StartUpToCallPointShown)->Unit(benchmark::kMicrosecond);

void PointerOnCallPointToPanelRefreshed(benchmark::State& state) {
    Program program(fullStore());
    program.start(false);
    for (auto _ : state) {
        program.touchCallPoint();
        benchmark::DoNotOptimize(program.ranch().Command1[9].Caption().size());
        state.PauseTiming();
        program.ranch().Form_LostFocus();
        program.spm().LastHoverId = 0;
        state.ResumeTiming();
    }
}
BENCHMARK(PointerOnCallPointToPanelRefreshed)->Unit(benchmark::kMicrosecond);

void BoxSwitch(benchmark::State& state) {
    Program program(fullStore());
    program.start(false);
    program.touchCallPoint();
    int box = 0;
    for (auto _ : state) {
        box = (box + 1) % 10;
        program.ranch().Command2_Click(box);
    }
}
BENCHMARK(BoxSwitch)->Unit(benchmark::kMicrosecond);

void SaveAllSettings(benchmark::State& state) {
    Program program(fullStore());
    program.start(false);
    for (auto _ : state) program.spm().SaveSettings();
}
BENCHMARK(SaveAllSettings)->Unit(benchmark::kMicrosecond);

void LoadAllSettings(benchmark::State& state) {
    Program program(fullStore());
    program.start(false);
    for (auto _ : state) program.spm().LoadSettings();
}
BENCHMARK(LoadAllSettings)->Unit(benchmark::kMicrosecond);

void SlotClickToShellCall(benchmark::State& state) {
    Program program(fullStore());
    program.start(false);
    for (auto _ : state) {
        state.PauseTiming();
        program.ranch().Show();
        program.desktop.shellOpens.clear();
        state.ResumeTiming();
        program.ranch().Command1_Click(4);
        benchmark::DoNotOptimize(program.desktop.shellOpens.size());
    }
}
BENCHMARK(SlotClickToShellCall)->Unit(benchmark::kMicrosecond);

}  // namespace
