// The tool's real windows for the interactive run.
#pragma once

#include "app/IToolWindows.h"

class CToolWindows : public IToolWindows {
public:
    int MainWindow() override;
    int ProgressWindow(int switchType, const CChangeDeadline& deadline, DWORD* failedItems) override;
    int SignOutPrompt(int switchType) override;
};
