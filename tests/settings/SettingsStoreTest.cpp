// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(SettingsStore, AnAbsentKeyReadsAsItsDefaultInTheStoredSpelling)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ("True", store.Read(SettingKey::Frameskip, true));
    EXPECT_EQ("False", store.Read(SettingKey::JITComp, false));
    EXPECT_EQ("0", store.Read(SettingKey::Port1, 0));
    store.Write(SettingKey::Port1, "2");
    EXPECT_EQ("2", store.Read(SettingKey::Port1, 0));
}

// Each stored text with what it reads as: a boolean and an integer (nullopt: no value of that kind).
TEST(SettingsStore, StoredTextsReadAsABooleanAndAnInteger)
{
    const struct {
        const char* text;
        std::optional<bool> flag;
        std::optional<int> number;
    } rows[] = {{"TRUE", true, {}},   {"false", false, {}},   {"0", false, 0},  {"-1", true, -1},
                {" 1 ", true, 1},     {"1.6", true, 2},       {"yes", {}, {}},  {"", {}, {}},
                {"1x", {}, {}},       {"99999999", true, {}}, {"32767", true, 32767}, {"32768", true, {}}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.flag, ParseBoolean(row.text)) << '"' << row.text << '"';
        EXPECT_EQ(row.number, ParseInteger(row.text)) << '"' << row.text << '"';
    }
}

}  // namespace
}  // namespace talvero
