// The detail window's conversions between levels and statuses, over any
// masks, levels and statuses.
#include "app/CorvelChg.h"
#include "platform/fake/FakePlatform.h"
#include "tests/fuzz/FuzzInput.h"
#include "ui/SettingLevels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    FakePlatform fake;
    CCorvelChgApp app;
    while (!in.Empty()) {
        DWORD mask = in.Byte();
        DWORD level = in.Byte() % 2 ? in.Dword() : in.Byte() % 10;
        UINT status = 0;
        if (CSettingLevels::ChgItemValToBtnSts(level, mask, &status)) {
            DWORD back = 99;
            if (!CSettingLevels::ChgBtnStsToItemVal(status, mask, &back) || back != level) __builtin_trap();
        }
        DWORD any = 0;
        CSettingLevels::ChgBtnStsToItemVal(in.Byte(), mask, &any);
        CSettingLevels::LookOf(static_cast<int>(in.Dword()));
        CSettingLevels::CaptionId(in.Byte() % ITEM_COUNT, in.Byte());
    }
    return 0;
}
