#include "platform/win32/Win32Platform.h"

HANDLE Win32EventLog::RegisterSource(const char16_t* source, DWORD* lastError)
{
    HANDLE handle = RegisterEventSourceW(nullptr, Wide(source));
    *lastError = handle ? ERROR_SUCCESS : GetLastError();
    return handle;
}

BOOL Win32EventLog::Report(HANDLE source, WORD type, DWORD eventId, const std::vector<BYTE>& userSid,
                           const std::vector<String16>& inserts, DWORD* lastError)
{
    std::vector<LPCWSTR> strings;
    for (const String16& insert : inserts) strings.push_back(Wide(insert.c_str()));
    PSID sid = userSid.empty() ? nullptr : const_cast<BYTE*>(userSid.data());
    const BOOL reported = ReportEventW(source, type, 0, eventId, sid, static_cast<WORD>(strings.size()), 0,
                                       strings.empty() ? nullptr : strings.data(), nullptr);
    *lastError = reported ? ERROR_SUCCESS : GetLastError();
    return reported;
}

BOOL Win32EventLog::DeregisterSource(HANDLE source) { return DeregisterEventSource(source); }

std::vector<BYTE> Win32EventLog::UserSid()
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
    ScopedKernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER)) return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return {};
    PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (!IsValidSid(sid)) return {};
    const BYTE* bytes = static_cast<const BYTE*>(sid);
    return std::vector<BYTE>(bytes, bytes + GetLengthSid(sid));
}
