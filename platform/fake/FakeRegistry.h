// In-memory registry that answers as Windows does: case-insensitive key and
// value names, types kept as stored, 2 for a missing key or value, 234 for a
// buffer too small, keys created on demand by CreateKey.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/IRegistry.h"

class FakeRegistry : public IRegistry {
public:
    enum class Op { Open, Create, Query, Set, Delete, Flush };
    // Return a nonzero Win32 error to make the call fail with it. keyPath is
    // "HKCU\..." or "HKLM\..." as the caller spelled it.
    using Fault = std::function<LONG(Op op, const String16& keyPath, const String16& valueName)>;

    LONG OpenKey(HKEY root, const char16_t* subKey, REGSAM access, HKEY* result) override;
    LONG CreateKey(HKEY root, const char16_t* subKey, HKEY* result) override;
    LONG QueryValue(HKEY key, const char16_t* name, DWORD* type, BYTE* data, DWORD* size) override;
    LONG SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size) override;
    LONG DeleteValue(HKEY key, const char16_t* name) override;
    // Records the flush in the journal.
    LONG FlushKey(HKEY key) override;
    LONG CloseKey(HKEY key) override;

    // Test access, bypassing handles and faults.
    void Put(HKEY root, StringView16 path, StringView16 name, DWORD type, std::vector<BYTE> data);
    void PutDword(HKEY root, StringView16 path, StringView16 name, DWORD value);
    // REG_SZ or REG_EXPAND_SZ with its terminator.
    void PutString(HKEY root, StringView16 path, StringView16 name, StringView16 text, DWORD type = REG_SZ);
    void Remove(HKEY root, StringView16 path, StringView16 name);
    bool Get(HKEY root, StringView16 path, StringView16 name, DWORD* type, std::vector<BYTE>* data) const;
    bool HasKey(HKEY root, StringView16 path) const;
    void SetFault(Fault fault);
    int OpenHandleCount() const;
    int CallCount() const;  // every call but CloseKey
    // Writes and flushes in the order they were made: "set <path>\<name>",
    // "delete <path>\<name>", "flush <path>".
    std::vector<String16> Journal() const;

private:
    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    using Values = std::map<String16, Value>;  // by folded name

    static String16 FullPath(HKEY root, StringView16 path);
    static String16 Normalized(StringView16 fullPath);
    LONG Fail(Op op, const String16& path, const char16_t* name);
    const String16* PathOf(HKEY key) const;
    HKEY NewHandle(const String16& path);
    String16 Resolve(HKEY root, const char16_t* subKey) const;

    mutable std::recursive_mutex m_lock;
    std::map<String16, Values> m_keys;  // by normalized, folded path
    std::map<HKEY, String16> m_handles;
    std::uintptr_t m_nextHandle = 0x1000;
    Fault m_fault;
    int m_calls = 0;
    std::vector<String16> m_journal;
};
