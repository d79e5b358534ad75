// The cost of the tool's own logic against the stand-ins: resolving a
// profile, and the switch worker's whole run. Registry calls are counted per
// run, so repeated reads or work that grows with the tables show up.
#include <benchmark/benchmark.h>

#include "app/CorvelChg.h"
#include "platform/fake/FakePlatform.h"
#include "switch/SwitchWorker.h"

namespace {

class QuietWindow : public CSwitchWorker {
public:
    void SetProgressPos(int) override {}
    void SetStatusText(const char16_t*) override {}
    int ShowFailureMessage(const String16&) override { return IDOK; }
    void EndFromWorker(int) override {}
};

void ResolveProfile(benchmark::State& state)
{
    FakePlatform fake;
    CCorvelChgApp app;
    int callsBefore = fake.registry.CallCount();
    for (auto _ : state) {
        SettingValues values = {};
        benchmark::DoNotOptimize(app.GetSettings(static_cast<DWORD>(state.iterations() % 3), values));
    }
    state.counters["registry calls per resolution"] =
        static_cast<double>(fake.registry.CallCount() - callsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(ResolveProfile);

void SwitchWorkerRun(benchmark::State& state)
{
    FakePlatform fake;
    CCorvelChgApp app;
    fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", 96);
    HWND shell = fake.desktop.Add(nullptr, u"Progman");
    fake.desktop.Add(fake.desktop.Add(shell, u"SHELLDLL_DefView"), u"SysListView32");
    int callsBefore = fake.registry.CallCount();
    for (auto _ : state) {
        QuietWindow window;
        app.m_nSelMode = static_cast<int>(state.iterations() % 3);
        benchmark::DoNotOptimize(ProcessProc(&window));
        fake.display.calls.clear();
        fake.desktop.posted.clear();
        fake.cursors.fileLoads.clear();
    }
    state.counters["registry calls per switch"] =
        static_cast<double>(fake.registry.CallCount() - callsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(SwitchWorkerRun);

}  // namespace

BENCHMARK_MAIN();
