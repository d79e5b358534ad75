#include "platform/fake/FakeRegistry.h"

#include <cstring>

#include "platform/Text.h"

namespace {
constexpr std::uintptr_t kHkcu = 0x80000001u;
constexpr std::uintptr_t kHklm = 0x80000002u;
}  // namespace

String16 FakeRegistry::FullPath(HKEY root, StringView16 path)
{
    // Windows sign-extends the predefined keys to 64 bits; compare the low half.
    auto r = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(root));
    String16 full = r == kHkcu ? u"HKCU" : r == kHklm ? u"HKLM" : u"?";
    full += u'\\';
    full += path;
    return full;
}

// "HKCU\a\\b\" and "hkcu\A\B" name the same key.
String16 FakeRegistry::Normalized(StringView16 fullPath)
{
    String16 out;
    for (size_t i = 0; i < fullPath.size(); ++i) {
        char16_t c = fullPath[i];
        if (c == u'\\' && (out.empty() || out.back() == u'\\')) continue;
        out += FoldCase(c);
    }
    while (!out.empty() && out.back() == u'\\') out.pop_back();
    return out;
}

const String16* FakeRegistry::PathOf(HKEY key) const
{
    auto it = m_handles.find(key);
    return it == m_handles.end() ? nullptr : &it->second;
}

String16 FakeRegistry::Resolve(HKEY root, const char16_t* subKey) const
{
    StringView16 sub = subKey ? StringView16(subKey) : StringView16();
    if (const String16* parent = PathOf(root)) return *parent + u'\\' + String16(sub);
    return FullPath(root, sub);
}

HKEY FakeRegistry::NewHandle(const String16& path)
{
    HKEY key = reinterpret_cast<HKEY>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[key] = path;
    return key;
}

LONG FakeRegistry::Fail(Op op, const String16& path, const char16_t* name)
{
    ++m_calls;
    if (!m_fault) return ERROR_SUCCESS;
    return m_fault(op, path, name ? String16(name) : String16());
}

LONG FakeRegistry::OpenKey(HKEY root, const char16_t* subKey, REGSAM, HKEY* result)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    String16 path = Resolve(root, subKey);
    if (LONG error = Fail(Op::Open, path, nullptr)) return error;
    if (!m_keys.count(Normalized(path))) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG FakeRegistry::CreateKey(HKEY root, const char16_t* subKey, HKEY* result)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    String16 path = Resolve(root, subKey);
    if (LONG error = Fail(Op::Create, path, nullptr)) return error;
    String16 norm = Normalized(path);
    for (size_t pos = norm.find(u'\\'); pos != String16::npos; pos = norm.find(u'\\', pos + 1)) {
        m_keys[norm.substr(0, pos)];
    }
    m_keys[norm];
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG FakeRegistry::QueryValue(HKEY key, const char16_t* name, DWORD* type, BYTE* data, DWORD* size)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const String16* path = PathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (LONG error = Fail(Op::Query, *path, name)) return error;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    auto keyIt = m_keys.find(Normalized(*path));
    if (keyIt == m_keys.end()) return ERROR_FILE_NOT_FOUND;
    auto valueIt = keyIt->second.find(Folded(name ? name : u""));
    if (valueIt == keyIt->second.end()) return ERROR_FILE_NOT_FOUND;
    const Value& value = valueIt->second;
    if (type) *type = value.type;
    DWORD stored = static_cast<DWORD>(value.data.size());
    if (!data) {
        if (size) *size = stored;
        return ERROR_SUCCESS;
    }
    if (*size < stored) {
        *size = stored;
        return ERROR_MORE_DATA;
    }
    if (stored) std::memcpy(data, value.data.data(), stored);
    *size = stored;
    return ERROR_SUCCESS;
}

LONG FakeRegistry::SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const String16* path = PathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (LONG error = Fail(Op::Set, *path, name)) return error;
    std::vector<BYTE> bytes;
    if (data && size) bytes.assign(data, data + size);
    m_keys[Normalized(*path)][Folded(name ? name : u"")] = Value{type, std::move(bytes)};
    m_journal.push_back(u"set " + *path + u"\\" + (name ? name : u""));
    return ERROR_SUCCESS;
}

LONG FakeRegistry::FlushKey(HKEY key)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const String16* path = PathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (LONG error = Fail(Op::Flush, *path, u"")) return error;
    m_journal.push_back(u"flush " + *path);
    return ERROR_SUCCESS;
}

std::vector<String16> FakeRegistry::Journal() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_journal;
}

LONG FakeRegistry::DeleteValue(HKEY key, const char16_t* name)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const String16* path = PathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (LONG error = Fail(Op::Delete, *path, name)) return error;
    auto keyIt = m_keys.find(Normalized(*path));
    if (keyIt == m_keys.end()) return ERROR_FILE_NOT_FOUND;
    if (!keyIt->second.erase(Folded(name ? name : u""))) return ERROR_FILE_NOT_FOUND;
    m_journal.push_back(u"delete " + *path + u"\\" + (name ? name : u""));
    return ERROR_SUCCESS;
}

LONG FakeRegistry::CloseKey(HKEY key)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_handles.erase(key) ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

void FakeRegistry::Put(HKEY root, StringView16 path, StringView16 name, DWORD type, std::vector<BYTE> data)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    String16 norm = Normalized(FullPath(root, path));
    for (size_t pos = norm.find(u'\\'); pos != String16::npos; pos = norm.find(u'\\', pos + 1)) {
        m_keys[norm.substr(0, pos)];
    }
    m_keys[norm][Folded(name)] = Value{type, std::move(data)};
}

void FakeRegistry::PutDword(HKEY root, StringView16 path, StringView16 name, DWORD value)
{
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    Put(root, path, name, REG_DWORD, std::move(bytes));
}

void FakeRegistry::PutString(HKEY root, StringView16 path, StringView16 name, StringView16 text, DWORD type)
{
    std::vector<BYTE> bytes((text.size() + 1) * 2, 0);
    if (!text.empty()) std::memcpy(bytes.data(), text.data(), text.size() * 2);
    Put(root, path, name, type, std::move(bytes));
}

void FakeRegistry::Remove(HKEY root, StringView16 path, StringView16 name)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto keyIt = m_keys.find(Normalized(FullPath(root, path)));
    if (keyIt != m_keys.end()) keyIt->second.erase(Folded(name));
}

bool FakeRegistry::Get(HKEY root, StringView16 path, StringView16 name, DWORD* type, std::vector<BYTE>* data) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto keyIt = m_keys.find(Normalized(FullPath(root, path)));
    if (keyIt == m_keys.end()) return false;
    auto valueIt = keyIt->second.find(Folded(name));
    if (valueIt == keyIt->second.end()) return false;
    if (type) *type = valueIt->second.type;
    if (data) *data = valueIt->second.data;
    return true;
}

bool FakeRegistry::HasKey(HKEY root, StringView16 path) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_keys.count(Normalized(FullPath(root, path))) != 0;
}

void FakeRegistry::SetFault(Fault fault)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_fault = std::move(fault);
}

int FakeRegistry::OpenHandleCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return static_cast<int>(m_handles.size());
}

int FakeRegistry::CallCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_calls;
}
