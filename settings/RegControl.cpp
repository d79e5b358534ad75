#include "settings/RegControl.h"

#include <cstring>
#include <vector>

#include "log/RunContext.h"
#include "platform/Platform.h"

namespace {
// The file and "line" numbers of the log lines: fixed texts of the log, not
// this source's, so never __LINE__.
constexpr char16_t kFile[] = u".\\RegControl";
}

// The value is read into a local first, so that data of another type never
// reaches the caller: callers that go on after a failed read (the DPI
// fallbacks) keep the default they put there. A REG_DWORD of other than four
// bytes is no number either and counts as a value of the wrong type.
LONG RegReadDword(HKEY root, const char16_t* subKey, const char16_t* name, DWORD* value)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Open(root, subKey, KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    DWORD type = REG_DWORD;
    DWORD data = 0;
    DWORD size = sizeof(data);
    result = Plat().registry.QueryValue(key.Get(), name, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (result != ERROR_SUCCESS) return result;
    if (type != REG_DWORD || size != sizeof(data)) {
        Log(u"RegReadDword error, file: %s, line: %d, code: %d.", kFile, 29, ERROR_INVALID_PARAMETER);
        return ERROR_INVALID_PARAMETER;
    }
    *value = data;
    return ERROR_SUCCESS;
}

// Read into a local buffer as well: data of another type or size never
// reaches the caller's buffer, where it could be shown as a name.
LONG RegReadStr(HKEY root, const char16_t* subKey, const char16_t* name, char16_t* buffer, DWORD bufferBytes)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Open(root, subKey, KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    std::vector<BYTE> data(bufferBytes);
    DWORD type = REG_SZ;
    DWORD size = bufferBytes;
    result = Plat().registry.QueryValue(key.Get(), name, &type, data.data(), &size);
    if (result != ERROR_SUCCESS) return result;
    if (type != REG_SZ) {
        Log(u"RegReadStr error, file: %s, line: %d, code: %d.", kFile, 84, ERROR_INVALID_PARAMETER);
        return ERROR_INVALID_PARAMETER;
    }
    std::memcpy(buffer, data.data(), size < bufferBytes ? size : bufferBytes);
    return ERROR_SUCCESS;
}

LONG RegWriteDword(HKEY root, const char16_t* subKey, const char16_t* name, DWORD value)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Create(root, subKey);
    if (result != ERROR_SUCCESS) return result;
    return Plat().registry.SetValue(key.Get(), name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG RegWriteStr(HKEY root, const char16_t* subKey, const char16_t* name, DWORD type, const char16_t* text)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Create(root, subKey);
    if (result != ERROR_SUCCESS) return result;
    DWORD bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
    return Plat().registry.SetValue(key.Get(), name, type, reinterpret_cast<const BYTE*>(text), bytes);
}

// The size is asked first; a value that grows in between is asked again.
LONG RegReadRaw(HKEY root, const char16_t* subKey, const char16_t* name, DWORD* type, std::vector<BYTE>* data)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Open(root, subKey, KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = 0;
        result = Plat().registry.QueryValue(key.Get(), name, type, nullptr, &size);
        if (result != ERROR_SUCCESS) return result;
        if (size > kRawValueBytes) return ERROR_MORE_DATA;
        data->assign(size, 0);
        result = Plat().registry.QueryValue(key.Get(), name, type, data->data(), &size);
        if (result == ERROR_MORE_DATA) continue;
        if (result == ERROR_SUCCESS) data->resize(size);
        return result;
    }
    return ERROR_MORE_DATA;
}

LONG RegWriteRaw(HKEY root, const char16_t* subKey, const char16_t* name, DWORD type, const std::vector<BYTE>& data)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Create(root, subKey);
    if (result != ERROR_SUCCESS) return result;
    return Plat().registry.SetValue(key.Get(), name, type, data.data(), static_cast<DWORD>(data.size()));
}

LONG RegDeleteValue(HKEY root, const char16_t* subKey, const char16_t* name)
{
    ScopedRegKey key(Plat().registry);
    LONG result = key.Open(root, subKey, KEY_ALL_ACCESS);
    if (result != ERROR_SUCCESS) return result;
    return Plat().registry.DeleteValue(key.Get(), name);
}
