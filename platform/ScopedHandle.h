// One owner for every kind of handle: the traits say what a handle is and
// how it is closed; the owner closes it on every path and can be moved.
#pragma once

#include <utility>

#include "platform/WinTypes.h"

template <class Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : m_handle(handle) {}
    explicit ScopedHandle(const Traits& traits, Handle handle = nullptr) : m_traits(traits), m_handle(handle) {}
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
        m_handle = handle;
    }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(m_handle, nullptr); }
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
    Traits m_traits{};
    Handle m_handle = nullptr;
};
