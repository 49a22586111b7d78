// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(SettingsConversions, BooleanTextInAnyCaseOrANumber)
{
    EXPECT_EQ(true, ParseBoolean("True"));
    EXPECT_EQ(false, ParseBoolean("False"));
    EXPECT_EQ(false, ParseBoolean("false"));
    EXPECT_EQ(true, ParseBoolean("TRUE"));
    EXPECT_EQ(false, ParseBoolean("0"));
    EXPECT_EQ(true, ParseBoolean("-1"));
    EXPECT_EQ(true, ParseBoolean("2"));
    EXPECT_EQ(true, ParseBoolean(" 1 "));
    EXPECT_EQ(std::nullopt, ParseBoolean("yes"));
    EXPECT_EQ(std::nullopt, ParseBoolean("garbage"));
    EXPECT_EQ(std::nullopt, ParseBoolean(""));
    EXPECT_EQ(std::nullopt, ParseBoolean("1x"));
}

TEST(SettingsConversions, IntegersFromDecimalText)
{
    EXPECT_EQ(0, ParseInteger("0"));
    EXPECT_EQ(2, ParseInteger("2"));
    EXPECT_EQ(-1, ParseInteger("-1"));
    EXPECT_EQ(2, ParseInteger("1.6"));
    EXPECT_EQ(std::nullopt, ParseInteger("two"));
    EXPECT_EQ(std::nullopt, ParseInteger(""));
    EXPECT_EQ(std::nullopt, ParseInteger("99999999"));
}

TEST(SettingsStore, AbsentKeysGiveTheirDefaultsAsText)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ("True", store.Read(SettingKey::Frameskip, true));
    EXPECT_EQ("False", store.Read(SettingKey::JITComp, false));
    EXPECT_EQ("D:", store.Read(SettingKey::Drive, std::string("D:")));
    EXPECT_EQ("0", store.Read(SettingKey::Port1, 0));
    EXPECT_EQ("1", store.Read(SettingKey::SndEmu, 1));
}

TEST(SettingsStore, FreeTextIsKeptExactlyAndTheLastWriteWins)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.Write(SettingKey::Drive, "E:\\");
    store.Write(SettingKey::ROMfile, "  /roms/kick 3.1.rom ");
    EXPECT_EQ("E:\\", store.Read(SettingKey::Drive, std::string("D:")));
    EXPECT_EQ("  /roms/kick 3.1.rom ", store.Read(SettingKey::ROMfile, std::string("kick31.rom")));
    store.Write(SettingKey::Frameskip, "False");
    store.Write(SettingKey::Frameskip, "True");
    EXPECT_EQ("True", store.Read(SettingKey::Frameskip, false));
}

}  // namespace
}  // namespace talvero
