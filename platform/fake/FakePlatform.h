// All stand-ins together, installed as the platform for the object's life.
#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeCursors.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDisplay.h"
#include "platform/fake/FakeEventLog.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeStrings.h"
#include "platform/fake/FakeSync.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/FakeWindows.h"

class FakePlatform {
public:
    FakePlatform() : m_previous(SetPlatform(&platform))
    {
        system.clock = &clock;
        sync.clock = &clock;
    }
    ~FakePlatform() { SetPlatform(m_previous); }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeRegistry registry;
    FakeFileSystem files;
    FakeSync sync;
    FakeWindows windows;
    FakeStrings strings;
    FakeClock clock;
    FakeSystem system;
    FakeDisplay display;
    FakeCursors cursors;
    FakeDesktop desktop;
    FakeEventLog events;
    Platform platform{registry, files, sync, windows, strings, clock, system, display, cursors, desktop, events};

private:
    Platform* m_previous;
};
