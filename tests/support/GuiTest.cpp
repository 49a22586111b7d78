#include "tests/support/GuiTest.h"

#include "settings/QtSettingsBackend.h"

#include <QDeadlineTimer>
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
    QApplication::closeAllWindows();
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
    EXPECT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
    return mainWindow.get();
}

void GuiTest::StartFromWindow(const QString& title)
{
    if (!mainWindow) {
        ASSERT_TRUE(StartMainWindow());
    }
    auto* list = Child<QListWidget>(mainWindow.get(), "List1");
    Select(list, title);
    ASSERT_EQ(title, Selected(list));
    ClickOn(mainWindow.get(), "Command1");
}

void GuiTest::ExpectProps(QObject* window, const char* property,
                          std::initializer_list<std::pair<const char*, QString>> expected)
{
    for (const auto& [name, text] : expected) {
        if (QObject* child = Child<QObject>(window, name)) {
            EXPECT_EQ(text, child->property(property).toString()) << name << "." << property;
        }
    }
}

void GuiTest::WhenModalOpens(std::function<void(QWidget*)> step)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, step, deadline = QDeadlineTimer(5000)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !deadline.hasExpired())
            return;
        poll->deleteLater();
        poll->stop();
        EXPECT_TRUE(modal) << "no modal dialog opened in time";
        if (modal)
            step(modal);
    });
    poll->start(5);
}

}  // namespace talvero::test
