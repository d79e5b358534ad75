// Profile resolution, names, saving and change detection over a registry
// filled from the fuzzer's bytes: any types, sizes, levels and modes.
#include "app/CorvelChg.h"
#include "platform/fake/FakePlatform.h"
#include "tests/fuzz/FuzzInput.h"
#include "ui/SettingLevels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    FakePlatform fake;
    CCorvelChgApp app;

    const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_QWORD};
    for (int n = in.Byte() % 48; n > 0 && !in.Empty(); --n) {
        HKEY root = in.Byte() & 1 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        uint8_t where = in.Byte();
        String16 key;
        String16 name;
        if (where % 3 == 0) {
            key = ProfileKeys[in.Byte() % PROFILE_COUNT];
            name = (in.Byte() % 12 == 11) ? String16(kProfilesNameValue) : String16(ItemValueNames[in.Byte() % ITEM_COUNT]);
        } else if (where % 3 == 1) {
            key = ItemKey(in.Byte() % ITEM_COUNT);
            name = LevelNames[in.Byte() % LEVEL_COUNT];
        } else {
            key = kSettingsKey;
            name = kModeValue;
        }
        DWORD type = types[in.Byte() % 7];
        fake.registry.Put(root, key, name, type, in.Bytes(in.Byte() % 16 == 0 ? 600 : in.Byte() % 12));
    }

    app.m_lpCmdLine = in.Byte() & 1 ? u"/CreateLog" : u"";
    app.InitInstance();  // creates the log

    app.GetProfilesName();
    for (DWORD mode : {0u, 1u, 2u, 3u, in.Dword()}) {
        SettingValues values = {};
        ProfileLevels levels = {};
        app.GetSettings(mode, values);
        app.GetShipmentSettings(mode, values);
        app.GetProfiles(mode, levels);
    }
    app.GetProfiles(static_cast<DWORD>(app.m_nMode), app.m_dwProfile);
    app.IsSettingsChanged();

    DWORD masks[kLevelButtons];
    UINT statuses[kLevelButtons];
    for (int i = 0; i < kLevelButtons; ++i) {
        CSettingLevels::CountStatus(ProfileLevelTable[i].item, &masks[i]);
        statuses[i] = in.Byte() % 9;
    }
    ProfileLevels profiles[PROFILE_COUNT];
    if (CSettingLevels::BuildProfiles(statuses, masks, profiles)) {
        for (DWORD mode = 0; mode < PROFILE_COUNT; ++mode) app.SaveSettings(mode, profiles[mode]);
    }
    return 0;
}
