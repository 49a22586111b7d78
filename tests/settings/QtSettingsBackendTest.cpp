// A settings file that cannot be written is reported instead of pretending (the values written
// and read back go through this backend in every window test).
#include "settings/QtSettingsBackend.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(QtSettingsBackend, AStoreThatCannotBeWrittenFailsAndReadsAsEmpty)
{
    const test::TestFolder folder;
    test::MakeFolders(folder / "talvero.conf");  // a folder where the file belongs
    QtSettingsBackend store(QString::fromStdString(folder / "talvero.conf"));
    EXPECT_THROW(store.Set(SettingKey::Drive, "E:"), SettingsError);
    EXPECT_EQ(std::nullopt, store.Get(SettingKey::Drive));
}

}  // namespace
}  // namespace talvero
