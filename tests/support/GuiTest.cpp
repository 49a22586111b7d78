#include "tests/support/GuiTest.h"

#include "app/frmMain.h"
#include "settings/QtSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace talvero::test {

void GuiTest::SetUp()
{
    AppFolderTest::SetUp();
    SetSettingsBackend(
        std::make_unique<QtSettingsBackend>(QString::fromStdString(settingsFolder / "Quorra.ini")));
}

void GuiTest::TearDown()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    mainWindow.reset();
    QApplication::processEvents();
    AppFolderTest::TearDown();
}

frmMain* GuiTest::StartMainWindow()
{
    mainWindow = std::make_unique<frmMain>();
    if (!mainWindow->Form_Load())
        return nullptr;
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get()))
        ADD_FAILURE() << "main window not exposed";
    return mainWindow.get();
}

void GuiTest::WriteSetting(const std::string& key, const std::string& value)
{
    Settings().Write(key, value);
}

std::string GuiTest::ReadSetting(const std::string& key)
{
    return Settings().Read(key, std::string("<absent>"));
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (condition())
            return true;
        QTest::qWait(10);
    }
    return condition();
}

QStringList Entries(QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

QString Selected(QListWidget* list)
{
    return list->selectedItems().isEmpty() ? QString() : list->selectedItems()[0]->text();
}

void Select(QListWidget* list, const QString& entry)
{
    list->setCurrentRow(Entries(list).indexOf(entry));
}

QString NextInTabOrder(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next && next != widget && (widget->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus)))
        next = next->nextInFocusChain();
    return next ? next->objectName() : QString();
}

void WhenModalOpens(std::function<void(QWidget*)> step, int milliseconds)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    const QDeadlineTimer deadline(milliseconds);
    QObject::connect(poll, &QTimer::timeout, [poll, step, deadline] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (modal)
            step(modal);
        else
            ADD_FAILURE() << "no modal dialog opened in time";
    });
    poll->start();
}

}  // namespace talvero::test
