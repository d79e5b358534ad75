#include "platform/win32/Win32Platform.h"

#include <ctime>

bool Win32Clock::Now(LocalTime* result)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_s(&local, &now) != 0) return false;
    *result = LocalTime{local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return true;
}

std::uint64_t Win32Clock::Ticks() { return GetTickCount64(); }
