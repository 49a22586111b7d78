// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <optional>

namespace talvero {
namespace {

// An absent key reads as its default; a stored text reads as a boolean and an integer (nothing:
// no such value); a switch is stored as "True" or "False".
TEST(SettingsStore, AbsentKeysAndStoredTextsReadAsTheirValues)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ(std::optional<bool>(true), store.ReadBool(SettingKey::Frameskip, true));
    EXPECT_EQ(std::optional<int>(2), store.ReadInt(SettingKey::Port1, 2));
    EXPECT_EQ("D:", store.ReadText(SettingKey::Drive, "D:"));
    const struct {
        const char* text;
        std::optional<bool> flag;
        std::optional<int> number;
    } rows[] = {{"TRUE", true, std::nullopt},
                {"false", false, std::nullopt},
                {"0", false, 0},
                {" 1 ", true, 1},
                {"1.6", true, 2},
                {"yes", std::nullopt, std::nullopt},
                {"", std::nullopt, std::nullopt},
                {"1x", std::nullopt, std::nullopt},
                {"32767", true, 32767},
                {"32768", true, std::nullopt}};
    for (const auto& row : rows) {
        store.Write(SettingKey::Scanlines, row.text);
        EXPECT_EQ(row.flag, store.ReadBool(SettingKey::Scanlines, true)) << '"' << row.text << '"';
        EXPECT_EQ(row.number, store.ReadInt(SettingKey::Scanlines, 7)) << '"' << row.text << '"';
    }
    // A switch is written as the earlier releases wrote it, and read it back.
    EXPECT_EQ("True", BooleanText(true));
    EXPECT_EQ("False", BooleanText(false));
}

}  // namespace
}  // namespace talvero
