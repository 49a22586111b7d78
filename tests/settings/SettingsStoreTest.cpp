// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(SettingsConversions, BooleansAndIntegersFromText)
{
    const std::pair<const char*, std::optional<bool>> booleans[] = {
        {"True", true},        {"False", false},
        {"false", false},      {"TRUE", true},
        {"0", false},          {"-1", true},
        {"2", true},           {" 1 ", true},
        {"yes", std::nullopt}, {"garbage", std::nullopt},
        {"", std::nullopt},    {"1x", std::nullopt}};
    for (const auto& [text, value] : booleans)
        EXPECT_EQ(value, ParseBoolean(text)) << text;
    const std::pair<const char*, std::optional<int>> integers[] = {{"0", 0},
                                                                   {"2", 2},
                                                                   {"-1", -1},
                                                                   {"1.6", 2},
                                                                   {"two", std::nullopt},
                                                                   {"", std::nullopt},
                                                                   {"99999999", std::nullopt}};
    for (const auto& [text, value] : integers)
        EXPECT_EQ(value, ParseInteger(text)) << text;
}

TEST(SettingsStore, AbsentKeysGiveTheirDefaultsAsTextAndWrittenTextIsKeptExactly)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ("True|False|D:|0|1",
              store.Read(SettingKey::Frameskip, true) + "|" + store.Read(SettingKey::JITComp, false) + "|" +
                  store.Read(SettingKey::Drive, std::string("D:")) + "|" + store.Read(SettingKey::Port1, 0) +
                  "|" + store.Read(SettingKey::SndEmu, 1));
    store.Write(SettingKey::ROMfile, "  /roms/kick 3.1.rom ");
    EXPECT_EQ("  /roms/kick 3.1.rom ", store.Read(SettingKey::ROMfile, std::string("kick31.rom")));
    store.Write(SettingKey::Frameskip, "False");
    store.Write(SettingKey::Frameskip, "True");
    EXPECT_EQ("True", store.Read(SettingKey::Frameskip, false));
}

}  // namespace
}  // namespace talvero
