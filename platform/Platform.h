// Everything the tool needs from Windows, reached through one set of
// interfaces: the Win32 adapters in the program, the in-memory stand-ins in
// the unit tests.
#pragma once

#include "platform/IClock.h"
#include "platform/ICursors.h"
#include "platform/IDesktop.h"
#include "platform/IDisplay.h"
#include "platform/IEventLog.h"
#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"
#include "platform/IStrings.h"
#include "platform/ISync.h"
#include "platform/ISystem.h"
#include "platform/IWindows.h"

struct Platform {
    IRegistry& registry;
    IFileSystem& files;
    ISync& sync;
    IWindows& windows;
    IStrings& strings;
    IClock& clock;
    ISystem& system;
    IDisplay& display;
    ICursors& cursors;
    IDesktop& desktop;
    IEventLog& events;
};

// The platform the tool runs on; set once before the application starts.
Platform& Plat();
// Returns the platform that was set before.
Platform* SetPlatform(Platform* platform);
