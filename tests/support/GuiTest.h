#pragma once

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <memory>

namespace talvero::test {

/// A window test: a fresh AppFolder, its own settings file, every window closed after, and helpers.
class GuiTest : public AppFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;
    /// Builds the main window, runs its start-up and shows it; nullptr when start-up failed.
    frmMain* StartMainWindow();
    /// Picks `title` in the list (the main window started if need be) and clicks Start game.
    void StartFromWindow(const QString& title);
    QAction* Action(const char* name) { return Child<QAction>(mainWindow.get(), name); }
    std::string ReadSetting(const std::string& key) { return Settings().ReadText(key, "<absent>"); }

    template <typename T = QWidget>
    static T* Child(QObject* window, const QString& name)
    {
        T* child = window->findChild<T*>(name);
        EXPECT_TRUE(child) << "no child named " << name.toStdString();
        return child;
    }
    static void ClickOn(QObject* window, const QString& name)
    {
        QTest::mouseClick(Child(window, name), Qt::LeftButton, {}, QPoint(5, 5));
    }
    /// Expects a property of each named child to read as its text; a failure names the child.
    static void ExpectProps(QObject* window, const char* property,
                            std::initializer_list<std::pair<const char*, QString>> expected);
    void ExpectMain(const char* property, std::initializer_list<std::pair<const char*, QString>> expected)
    {
        ExpectProps(mainWindow.get(), property, expected);
    }
    /// The selected entry of a list (the current one; "" when none); selecting one.
    static QString Selected(QListWidget* list)
    {
        return list->currentItem() ? list->currentItem()->text() : "";
    }
    static void Select(QListWidget* list, QString text)
    {
        list->setCurrentItem(list->findItems(text, {}).value(0));
    }
    /// Runs `step` on the modal dialog that opens next, as soon as it shows; fails when none opens in time.
    static void WhenModalOpens(std::function<void(QWidget*)> step);

    std::unique_ptr<frmMain> mainWindow;
    TestFolder settingsFolder;
};

}  // namespace talvero::test

// Readable QString values in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
