#pragma once

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"

#include <QAction>
#include <QListWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace talvero::test {

template <typename T = QWidget>
T* Child(QObject* window, const QString& name)
{
    T* child = window->findChild<T*>(name);
    if (!child)
        ADD_FAILURE() << "no child named " << name.toStdString();
    return child;
}

/// A property of the children named in `names` (separated by spaces), joined by "|".
QString Props(QObject* window, const char* property, const QString& names);
/// The entries of a list joined by ",", its selected entry ("" when none), selecting one by its text.
QString Entries(QListWidget* list);
QString Selected(QListWidget* list);
void Select(QListWidget* list, const QString& entry);
/// The widgets that Tab visits from `first` on, until it comes back to it, separated by spaces.
QString TabStops(QWidget* first);
/// Processes events until `condition` holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);
/// Runs `step` on the modal dialog that the next event opens, as soon as it is shown; fails the
/// test when none opens in time.
void WhenModalOpens(std::function<void(QWidget*)> step, int milliseconds = 5000);
inline void ClickOn(QObject* window, const QString& name)
{
    QTest::mouseClick(Child(window, name), Qt::LeftButton, {}, QPoint(5, 5));
}

/// A window test: a fresh AppFolder, a settings file of its own, and every window closed after.
class GuiTest : public AppFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;
    /// Builds the main window, runs its start-up and shows it; nullptr when start-up failed.
    frmMain* StartMainWindow();
    /// Picks `title` in the main window (started if need be), in the list that holds it, and
    /// clicks Start game.
    void StartFromWindow(const QString& title);
    QAction* Action(const char* name) { return Child<QAction>(mainWindow.get(), name); }
    void Click(const char* name) { ClickOn(mainWindow.get(), name); }
    void WriteSetting(const std::string& key, const std::string& value) { Settings().Write(key, value); }
    std::string ReadSetting(const std::string& key) { return Settings().Read(key, std::string("<absent>")); }

    std::unique_ptr<frmMain> mainWindow;
    TestFolder settingsFolder;
};

}  // namespace talvero::test

// Readable QString values in test failures and in their messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, const QString& text)
{
    return out << text.toStdString();
}
QT_END_NAMESPACE
