#pragma once

#include "app/frmMain.h"
#include "tests/support/AppFolderTest.h"

#include <QAction>
#include <QListWidget>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace talvero::test {

template <typename T = QWidget>
T* Child(QObject* window, const char* name)
{
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no child named " << name;
    return child;
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
    void Click(const char* name);
    void WriteSetting(const std::string& key, const std::string& value);
    std::string ReadSetting(const std::string& key);

    std::unique_ptr<frmMain> mainWindow;
    TestFolder settingsFolder;
};

/// A property of the children named in `names` (separated by spaces), joined by "|".
QString Props(QObject* window, const char* property, const QString& names);
/// The widgets that Tab visits from `first` on, until it comes back to it, separated by spaces.
QString TabStops(QWidget* first);
/// Processes events until `condition` holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);
/// Runs `step` on the modal dialog that the next event opens, as soon as it is shown; fails the
/// test when none opens in time.
void WhenModalOpens(std::function<void(QWidget*)> step, int milliseconds = 5000);
/// The entries of a list joined by ",", its selected entry ("" when none), selecting one by its text.
QString Entries(QListWidget* list);
QString Selected(QListWidget* list);
void Select(QListWidget* list, const QString& entry);

}  // namespace talvero::test

// Readable QString values in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
