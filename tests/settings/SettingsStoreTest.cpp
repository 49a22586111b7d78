// Reading and writing the stored choices, and turning their texts back into values.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(SettingsStore, DefaultsAsTextAndTextsReadAsValues)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ("True|False|0", store.Read(SettingKey::Frameskip, true) + "|" +
                                  store.Read(SettingKey::JITComp, false) + "|" +
                                  store.Read(SettingKey::Port1, 0));
    // Each text with what it reads as: a boolean (T true, F false) and an integer; '-' no value.
    std::string read;
    for (const char* text : {"TRUE", "false", "0", "-1", " 1 ", "1.6", "99999999", "yes", "", "1x"}) {
        const auto flag = ParseBoolean(text);
        const auto number = ParseInteger(text);
        read += std::string(text) + "=" + (flag ? (*flag ? "T" : "F") : "-") + "/" +
                (number ? std::to_string(*number) : "-") + " ";
    }
    EXPECT_EQ("TRUE=T/- false=F/- 0=F/0 -1=T/-1  1 =T/1 1.6=T/2 99999999=T/- yes=-/- =-/- 1x=-/- ", read);
}

}  // namespace
}  // namespace talvero
