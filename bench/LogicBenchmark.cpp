// The cost of the tool's own logic against the stand-ins: resolving a
// profile, the switch worker's whole run, and what reporting an event adds
// around the event log's call. Registry calls are counted per run, so
// repeated reads or work that grows with the tables show up.
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

// An event log whose report does nothing: what is measured around it is the
// tool's own (under Wine the call itself is a stub too).
class NullEventLog : public FakeEventLog {
public:
    BOOL Report(HANDLE, WORD, DWORD, const std::vector<BYTE>&, const std::vector<String16>&, DWORD* lastError) override
    {
        *lastError = ERROR_SUCCESS;
        return TRUE;
    }
};

// The floor: the event log's call alone, with an event's inserts made.
void EventLogCallAlone(benchmark::State& state)
{
    NullEventLog events;
    DWORD error = 0;
    HANDLE source = events.RegisterSource(kEventSource, &error);
    const std::vector<BYTE> sid = events.UserSid();
    for (auto _ : state) {
        const std::vector<String16> inserts = {u"設定②", u"2"};
        benchmark::DoNotOptimize(events.Report(source, EVENTLOG_INFORMATION_TYPE, 0x400003E8, sid, inserts, &error));
    }
}
BENCHMARK(EventLogCallAlone);

// A switch's event as the tool reports it: through the run, its table and
// its source.
void ReportedEvent(benchmark::State& state)
{
    FakePlatform fake;
    NullEventLog events;
    Platform platform = fake.platform;
    Platform* previous = SetPlatform(&platform);
    {
        Platform withNull{fake.registry, fake.files,  fake.sync,    fake.windows, fake.strings, fake.clock,
                          fake.system,   fake.display, fake.cursors, fake.desktop, events};
        SetPlatform(&withNull);
        CCorvelChgApp app;
        const String16 name = u"設定②";
        for (auto _ : state) ReportEvent<EVENT_SWITCHED>(name, u"2");
    }
    SetPlatform(previous);
}
BENCHMARK(ReportedEvent);

}  // namespace

BENCHMARK_MAIN();
