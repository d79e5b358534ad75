// The one object of a kind that the whole process reaches, as the framework
// reaches its application object: the newest one made is in effect until it
// ends, and the one before it comes back then (tests make their own).
#pragma once

template <class T>
class CProcessWide {
public:
    CProcessWide(const CProcessWide&) = delete;
    CProcessWide& operator=(const CProcessWide&) = delete;

    // The object in effect; null when there is none.
    static T* Current() { return static_cast<T*>(s_current); }

protected:
    // Kept as the base until asked for: T is not made yet while this runs.
    CProcessWide() : m_previous(s_current) { s_current = this; }
    ~CProcessWide() { s_current = m_previous; }

private:
    CProcessWide* m_previous;
    inline static CProcessWide* s_current = nullptr;
};
