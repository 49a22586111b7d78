// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace talvero {
namespace {

TEST(SettingsStore, AnAbsentKeyReadsAsItsDefault)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ(std::optional<bool>(true), store.ReadBool(SettingKey::Frameskip, true));
    EXPECT_EQ(std::optional<bool>(false), store.ReadBool(SettingKey::JITComp, false));
    EXPECT_EQ(std::optional<int>(2), store.ReadInt(SettingKey::Port1, 2));
    EXPECT_EQ("D:", store.ReadText(SettingKey::Drive, "D:"));
}

// A stored text with what it reads as: a boolean and an integer (nothing: no such value).
struct TextRow {
    const char* text;
    std::optional<bool> flag;
    std::optional<int> number;
};

void PrintTo(const TextRow& row, std::ostream* out)
{
    *out << '"' << row.text << '"';
}

class StoredText : public ::testing::TestWithParam<TextRow> {};

TEST_P(StoredText, ReadsAsBooleanAndInteger)
{
    const TextRow& row = GetParam();
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.Write(SettingKey::Scanlines, row.text);
    EXPECT_EQ(row.flag, store.ReadBool(SettingKey::Scanlines, true));
    EXPECT_EQ(row.number, store.ReadInt(SettingKey::Scanlines, 7));
}

INSTANTIATE_TEST_SUITE_P(
    , StoredText,
    ::testing::Values(TextRow{"TRUE", true, std::nullopt}, TextRow{"false", false, std::nullopt},
                      TextRow{"0", false, 0}, TextRow{"-1", true, -1}, TextRow{" 1 ", true, 1},
                      TextRow{"1.6", true, 2}, TextRow{"99999999", true, std::nullopt},
                      TextRow{"yes", std::nullopt, std::nullopt}, TextRow{"", std::nullopt, std::nullopt},
                      TextRow{"1x", std::nullopt, std::nullopt}, TextRow{"32767", true, 32767},
                      TextRow{"32768", true, std::nullopt}));

}  // namespace
}  // namespace talvero
