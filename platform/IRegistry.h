// The registry calls the tool makes, one method per Win32 call.
#pragma once

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
    // RegCloseKey.
    virtual LONG CloseKey(HKEY key) = 0;
};

// Owns one open registry key and closes it on every path.
class ScopedRegKey {
public:
    explicit ScopedRegKey(IRegistry& registry) : m_registry(registry) {}
    ~ScopedRegKey() { Close(); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    LONG Open(HKEY root, const char16_t* subKey, REGSAM access)
    {
        Close();
        return m_registry.OpenKey(root, subKey, access, &m_key);
    }
    LONG Create(HKEY root, const char16_t* subKey)
    {
        Close();
        return m_registry.CreateKey(root, subKey, &m_key);
    }
    void Close()
    {
        if (m_key) m_registry.CloseKey(m_key);
        m_key = nullptr;
    }
    HKEY Get() const { return m_key; }

private:
    IRegistry& m_registry;
    HKEY m_key = nullptr;
};
