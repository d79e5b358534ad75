// The factory data the installer writes must equal the built-in tables, so
// that installing changes nothing a user sees.
#include <fstream>
#include <regex>
#include <sstream>

#include "res/resource.h"
#include "tests/unit/TestSupport.h"

namespace {

std::string ReadInclude()
{
    std::ifstream in(FACTORY_DATA_WXI);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FactoryData, InstallerDataEqualsTheBuiltInTables)
{
    std::string wxi = ReadInclude();
    ASSERT_FALSE(wxi.empty());

    std::regex keyPattern(R"re(<RegistryKey Root="HKLM" Key="Software\\Halden\\CorvelChg\\([^"]+)">([\s\S]*?)</RegistryKey>)re");
    std::regex valuePattern(R"re(<RegistryValue Type="integer" Name="([^"]+)" Value="(\d+)")re");
    std::map<std::string, std::map<std::string, long long>> keys;
    for (std::sregex_iterator k(wxi.begin(), wxi.end(), keyPattern), end; k != end; ++k) {
        std::string body = (*k)[2];
        for (std::sregex_iterator v(body.begin(), body.end(), valuePattern); v != end; ++v) {
            keys[(*k)[1]][(*v)[1]] = std::stoll((*v)[2]);
        }
    }
    EXPECT_EQ(keys["Settings"]["mode"], 0);
    int values = 0;
    for (const ItemValueRow& row : ItemValueTable) {
        std::string key = "Settings\\" + U8(ItemValueNames[row.item]);
        EXPECT_EQ(keys[key][U8(LevelNames[row.level])], static_cast<long long>(static_cast<DWORD>(row.value))) << key;
        ++values;
    }
    int levels = 0;
    for (int mode = 0; mode < PROFILE_COUNT; ++mode) {
        for (int item = 0; item < ITEM_COUNT; ++item) {
            DWORD level = 0;
            ASSERT_TRUE(BuiltInLevel(item, mode, &level));
            EXPECT_EQ(keys["Profiles\\" + std::to_string(mode)][U8(ItemValueNames[item])], level) << mode << " " << item;
            ++levels;
        }
    }
    size_t written = 0;
    for (const auto& key : keys) written += key.second.size();
    EXPECT_EQ(written, 1u + values + levels);  // nothing beyond the tables
}

// The names the installer writes are the names the tool shows without them;
// each carries the Id that lets the build write Japanese text.
class FactoryNames : public AppTest {};

TEST_F(FactoryNames, InstallerNamesEqualTheStringTable)
{
    std::string wxi = ReadInclude();
    std::regex namePattern(
        R"re(Key="Software\\Halden\\CorvelChg\\Profiles\\(\d)">\s*<RegistryValue Id="ProfilesName\1" Type="string" Name="ProfilesName" Value="([^"]+)"/>)re");
    std::map<int, std::string> names;
    for (std::sregex_iterator n(wxi.begin(), wxi.end(), namePattern), end; n != end; ++n) {
        names[std::stoi((*n)[1])] = (*n)[2];
    }
    const UINT ids[PROFILE_COUNT] = {IDS_PROFILE_NAME_1, IDS_PROFILE_NAME_2, IDS_PROFILE_NAME_3};
    ASSERT_EQ(names.size(), 3u);
    for (int mode = 0; mode < PROFILE_COUNT; ++mode) {
        char16_t text[kTextChars] = {};
        ASSERT_TRUE(app.LoadResString(ids[mode], text, kTextChars));
        EXPECT_EQ(names[mode], U8(text)) << mode;
    }
}

}  // namespace
