// The registry calls the tool makes, one method per Win32 call.
#pragma once

#include "platform/ScopedHandle.h"
#include "platform/WinTypes.h"

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // RegOpenKeyExW: opens an existing key.
    virtual LONG OpenKey(HKEY root, const char16_t* subKey, REGSAM access, HKEY* result) = 0;
    // RegCreateKeyW: opens a key, creating it and its parents when missing.
    virtual LONG CreateKey(HKEY root, const char16_t* subKey, HKEY* result) = 0;
    // RegQueryValueExW: type and data may be null; *size is the buffer size in
    // bytes on entry and the stored size on return.
    virtual LONG QueryValue(HKEY key, const char16_t* name, DWORD* type, BYTE* data, DWORD* size) = 0;
    // RegSetValueExW.
    virtual LONG SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size) = 0;
    // RegDeleteValueW.
    virtual LONG DeleteValue(HKEY key, const char16_t* name) = 0;
    // RegFlushKey: what was written to the key is on disk when it returns.
    virtual LONG FlushKey(HKEY key) = 0;
    // RegCloseKey.
    virtual LONG CloseKey(HKEY key) = 0;
};

struct RegKeyTraits : NullMeansNone {
    using Handle = HKEY;
    IRegistry* registry;
    void Close(HKEY key) { registry->CloseKey(key); }
};

// Owns one open registry key and closes it on every path.
class ScopedRegKey : public ScopedHandle<RegKeyTraits> {
public:
    explicit ScopedRegKey(IRegistry& registry) : ScopedHandle(RegKeyTraits{{}, &registry}) {}

    [[nodiscard]] LONG Open(HKEY root, const char16_t* subKey, REGSAM access)
    {
        IRegistry& registry = *traits().registry;
        return registry.OpenKey(root, subKey, access, Receive());
    }
    [[nodiscard]] LONG Create(HKEY root, const char16_t* subKey)
    {
        IRegistry& registry = *traits().registry;
        return registry.CreateKey(root, subKey, Receive());
    }
    void Close() { Reset(); }
};
