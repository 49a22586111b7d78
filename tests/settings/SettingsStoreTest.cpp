// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(SettingsConversions, BooleansAndIntegersFromText)
{
    // Each text with what it reads as: T true, F false, a number, '-' no value.
    std::string booleans, integers;
    for (const char* text :
         {"True", "False", "false", "TRUE", "0", "-1", "2", " 1 ", "yes", "garbage", "", "1x"}) {
        const auto value = ParseBoolean(text);
        booleans += std::string(text) + "=" + (value ? (*value ? "T" : "F") : "-") + " ";
    }
    EXPECT_EQ("True=T False=F false=F TRUE=T 0=F -1=T 2=T  1 =T yes=- garbage=- =- 1x=- ", booleans);
    for (const char* text : {"0", "2", "-1", "1.6", "two", "", "99999999"}) {
        const auto value = ParseInteger(text);
        integers += std::string(text) + "=" + (value ? std::to_string(*value) : "-") + " ";
    }
    EXPECT_EQ("0=0 2=2 -1=-1 1.6=2 two=- =- 99999999=- ", integers);
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
