#include "platform/Platform.h"

namespace {
Platform* g_platform = nullptr;
}

Platform& Plat() { return *g_platform; }

Platform* SetPlatform(Platform* platform)
{
    Platform* previous = g_platform;
    g_platform = platform;
    return previous;
}
