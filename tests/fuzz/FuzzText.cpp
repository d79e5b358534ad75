// The log's formatter, the log itself and the command-line reader over
// arbitrary texts.
#include "app/CorvelChg.h"
#include "platform/fake/FakePlatform.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    FakePlatform fake;
    String16 format = in.Text(80);
    String16 text = in.Text(40);
    std::int64_t number = static_cast<std::int32_t>(in.Dword());
    FormatText(format, {FormatArg(text), FormatArg(number), FormatArg(static_cast<const char16_t*>(nullptr))});
    FormatText(format, {});

    CCorvelChgApp app;
    app.m_lpCmdLine = in.Text(60);
    app.ReadCommandLine();
    CErrorLog log(TRUE);
    log.OpenLog();
    log.WriteLog(u"%s %d %s", text, number, app.m_lpCmdLine);
    return 0;
}
