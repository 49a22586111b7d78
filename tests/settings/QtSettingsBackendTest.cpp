// The settings in the user's INI file: kept across program runs, and a file that cannot be
// written reported instead of pretending.
#include "settings/QtSettingsBackend.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(QtSettingsBackend, AValueWrittenIsReadByTheNextProgramRun)
{
    const test::TestFolder folder;
    const QString file = QString::fromStdString(folder / "new/talvero.conf");
    QtSettingsBackend(file).Set(SettingKey::Drive, "E:");
    EXPECT_EQ("E:", QtSettingsBackend(file).Get(SettingKey::Drive));
    EXPECT_EQ(std::nullopt, QtSettingsBackend(file).Get(SettingKey::Port1));
    EXPECT_NE(std::string::npos, test::ReadFile(folder / "new/talvero.conf").find("[Optionen]"));
}

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
