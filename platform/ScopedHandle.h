// One owner for every kind of handle: the traits say what a handle is, which
// values mean "none" and how it is closed; the owner closes it on every path
// and can be moved.
#pragma once

#include <utility>

#include "platform/WinTypes.h"

// The traits of handles whose only "none" is null. Traits of a kind that
// fails with another value (CreateFileW's INVALID_HANDLE_VALUE) say so in
// their own IsValid.
struct NullMeansNone {
    template <class Handle>
    static bool IsValid(Handle handle)
    {
        return handle != nullptr;
    }
};

template <class Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    // A handle that is not valid is held as none: it is never closed.
    explicit ScopedHandle(Handle handle) : m_handle(Checked(handle)) {}
    explicit ScopedHandle(const Traits& traits, Handle handle = nullptr) : m_traits(traits), m_handle(Checked(handle))
    {
    }
    ~ScopedHandle() { Reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : m_traits(other.m_traits), m_handle(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
            m_traits = other.m_traits;
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    void Reset(Handle handle = nullptr)
    {
        if (m_handle) m_traits.Close(m_handle);
        m_handle = Checked(handle);
    }
    // Gives the handle up without closing it: the caller owns it now.
    [[nodiscard]] Handle Release() { return std::exchange(m_handle, nullptr); }
    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

protected:
    Traits& traits() { return m_traits; }
    // Closes what is held and lends the slot to a call that fills it in.
    Handle* Receive()
    {
        Reset();
        return &m_handle;
    }

private:
    static Handle Checked(Handle handle) { return Traits::IsValid(handle) ? handle : nullptr; }

    Traits m_traits{};
    Handle m_handle = nullptr;
};
