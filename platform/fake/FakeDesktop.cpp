#include "platform/fake/FakeDesktop.h"

#include <algorithm>

#include "platform/Text.h"

std::vector<HWND> FakeDesktop::ChildrenOf(HWND parent) const
{
    std::vector<HWND> children;
    if (noDesktop && parent == Root()) return children;
    for (const Node& node : m_nodes) {
        if (node.parent == parent) children.push_back(node.handle);
    }
    return children;
}

// A window of the tree; under noDesktop the shell's windows are not there.
bool FakeDesktop::IsWindow(HWND window) const
{
    if (noDesktop) return false;
    for (const Node& node : m_nodes) {
        if (node.handle == window) return true;
    }
    return false;
}

bool FakeDesktop::Walk(HWND parent, EnumWindowsCallback callback, LPARAM data)
{
    for (HWND child : ChildrenOf(parent)) {
        if (!callback(child, data)) return false;
        if (!Walk(child, callback, data)) return false;
    }
    return true;
}

BOOL FakeDesktop::EnumChildWindows(HWND parent, EnumWindowsCallback callback, LPARAM data)
{
    ++enumerations;
    Walk(parent, callback, data);
    return TRUE;
}

int FakeDesktop::ClassNameOf(HWND window, char16_t* buffer, int capacity)
{
    for (const Node& node : m_nodes) {
        if (node.handle != window || capacity <= 0) continue;
        int n = static_cast<int>(node.className.size());
        if (n > capacity - 1) n = capacity - 1;
        node.className.copy(buffer, n);
        buffer[n] = 0;
        return n;
    }
    return 0;
}

HWND FakeDesktop::FindChild(HWND parent, HWND after, const char16_t* className, const char16_t*)
{
    if (noDesktop && parent == Root()) return nullptr;
    bool passed = after == nullptr;
    for (const Node& node : m_nodes) {
        if (node.parent != parent) continue;
        if (!passed) {
            passed = node.handle == after;
            continue;
        }
        if (!className || EqualsNoCase(node.className, className)) return node.handle;
    }
    return nullptr;
}

HWND FakeDesktop::GetFirstChild(HWND window)
{
    std::vector<HWND> children = ChildrenOf(window);
    return children.empty() ? nullptr : children.front();
}

// PostMessageW to a window that does not exist fails
// (ERROR_INVALID_WINDOW_HANDLE).
BOOL FakeDesktop::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window)) return FALSE;
    posted.push_back(Posted{window, message, wParam, lParam});
    return TRUE;
}

HWND FakeDesktop::Add(HWND parent, StringView16 className)
{
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x600 + 4 * m_nodes.size()));
    m_nodes.push_back(Node{handle, parent ? parent : Root(), String16(className)});
    return handle;
}

void FakeDesktop::Raise(HWND window)
{
    auto node = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const Node& n) { return n.handle == window; });
    if (node == m_nodes.end()) return;
    const Node raised = *node;
    m_nodes.erase(node);
    auto first = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const Node& n) { return n.parent == raised.parent; });
    m_nodes.insert(first, raised);
}
