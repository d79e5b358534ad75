#include "tests/unit/TestSupport.h"

#include <algorithm>
#include <cstring>
#include <future>

std::string U8(StringView16 text) { return Utf16To8(text); }

void EnableLogOn(CRunContext& run)
{
    run.m_pErrorLog = new CErrorLog(TRUE);
    run.m_pErrorLog->OpenLog();
}

void RunTest::EnableLog()
{
    run.m_bCreateLog = TRUE;
    EnableLogOn(run);
}

void AppTest::EnableLog()
{
    app.m_bCreateLog = TRUE;
    EnableLogOn(app);
}

String16 LogTextOf(const FakePlatform& platform)
{
    std::vector<BYTE> bytes = platform.files.Contents(kLogPath);
    String16 text(bytes.size() / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text;
}

String16 FakeTest::LogText() const { return LogTextOf(fake); }

// Each line begins with the fixed stamp of the stand-in clock.
std::vector<std::string> FakeTest::Messages() const
{
    const String16 prefix = u"[12/06 14:22:05][CorvelChg.exe]";
    String16 text = LogText();
    std::vector<std::string> messages;
    size_t pos = text.find(prefix);
    while (pos != String16::npos) {
        size_t start = pos + prefix.size();
        size_t next = text.find(prefix, start);
        String16 message = text.substr(start, (next == String16::npos ? text.size() : next) - start);
        size_t end = message.rfind(u"\r\n");
        if (end != String16::npos) message.resize(end);
        messages.push_back(U8(message));
        pos = next;
    }
    return messages;
}

int FakeTest::CountMessage(const std::string& text) const
{
    auto messages = Messages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), text));
}

std::thread HoldUntilWaitedFor(FakeSync& sync, const char16_t* name, std::function<void()> work)
{
    std::promise<void> held;
    std::future<void> isHeld = held.get_future();
    std::thread holder([&sync, name, work = std::move(work), held = std::move(held)]() mutable {
        DWORD error = 0;
        HANDLE mutex = sync.CreateNamedMutex(name, true, &error);
        const int waitsBefore = sync.waits;
        held.set_value();
        while (sync.waits == waitsBefore) std::this_thread::yield();
        work();
        sync.Release(mutex);
        sync.Close(mutex);
    });
    isHeld.wait();
    return holder;
}
