#include "log/RunContext.h"

#include "platform/Platform.h"
#include "platform/Text.h"

namespace {
// The run context of code that runs outside every run: it reports nothing,
// since it outlives the platform.
CRunContext* g_empty = nullptr;

constexpr std::int32_t STRSAFE_E_INSUFFICIENT_BUFFER = static_cast<std::int32_t>(0x8007007A);
constexpr std::int32_t STRSAFE_E_INVALID_PARAMETER = static_cast<std::int32_t>(0x80070057);
}  // namespace

CRunContext::~CRunContext() { delete m_pErrorLog; }

CRunContext& TheRun()
{
    if (CRunContext* run = CRunContext::Current()) return *run;
    static CRunContext empty;
    g_empty = &empty;
    return empty;
}

// Copies at most min(size, 260) characters including the terminator, so a
// smaller buffer is never overrun.
BOOL CRunContext::LoadResString(UINT id, char16_t* buffer, int size)
{
    char16_t text[kTextChars] = {};
    DWORD lastError = 0;
    if (Plat().strings.LoadText(id, text, kTextChars, &lastError) == 0) {
        Log(u"CCorvelChgApp::LoadResString error code: %d", lastError);
        return FALSE;
    }
    int limit = size < kTextChars ? size : kTextChars;
    if (!buffer || limit <= 0) {
        Log(u"CCorvelChgApp::LoadResString StringCchCopy error code: %d", STRSAFE_E_INVALID_PARAMETER);
        return FALSE;
    }
    size_t length = BoundedLength(text, kTextChars);
    if (length < static_cast<size_t>(limit)) {
        std::char_traits<char16_t>::copy(buffer, text, length + 1);
        return TRUE;
    }
    std::char_traits<char16_t>::copy(buffer, text, limit - 1);
    buffer[limit - 1] = 0;
    Log(u"CCorvelChgApp::LoadResString StringCchCopy error code: %d", STRSAFE_E_INSUFFICIENT_BUFFER);
    return FALSE;
}

void ReportEventOf(EventKind kind, std::vector<String16> inserts)
{
    CRunContext* run = CRunContext::Current();
    if (!run || run == g_empty) return;
    if (run->m_bHoldEvents) {
        run->m_heldEvents.emplace_back(kind, std::move(inserts));
        return;
    }
    const char16_t* failedCall = u"";
    const DWORD error = run->m_events.Report(kind, inserts, &failedCall);
    if (error == ERROR_SUCCESS) return;
    Log(u"CEventReport::Report the event %d could not be reported, %s failed, code: %d.", kEvents[kind].id, failedCall,
        error);
}

void HoldEvents()
{
    if (CRunContext* run = CRunContext::Current()) run->m_bHoldEvents = true;
}

void ReleaseEvents(bool report)
{
    CRunContext* run = CRunContext::Current();
    if (!run || !run->m_bHoldEvents) return;
    run->m_bHoldEvents = false;
    auto held = std::move(run->m_heldEvents);
    run->m_heldEvents.clear();
    if (!report) return;
    for (auto& event : held) ReportEventOf(event.first, std::move(event.second));
}

String16 CRunContext::LoadText(UINT id)
{
    char16_t text[kTextChars] = {};
    if (!LoadResString(id, text, kTextChars)) return String16();
    return text;
}
