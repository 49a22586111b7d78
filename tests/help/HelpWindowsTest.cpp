// The joypad help and the compatibility chart, with their watchdog.
#include "app/frmMain.h"
#include "help/CompatibilityChart.h"
#include "help/Watchdog.h"
#include "help/frmComp.h"
#include "help/frmHelp1.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"
#include "ui/Artwork.h"
#include "ui/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace talvero {
namespace {

using test::Child;
using test::WaitUntil;

class HelpWindowsTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        ASSERT_TRUE(StartMainWindow());
    }
    QWidget* OpenChart()
    {
        Child<QAction>(mainWindow.get(), "Hilfe2")->trigger();
        return Windows().compatibility;
    }
    QWidget* OpenJoypadHelp()
    {
        Child<QAction>(mainWindow.get(), "Hilfe1")->trigger();
        return Windows().joypadHelp;
    }
};

TEST_F(HelpWindowsTest, TheJoypadHelpShowsItsTexts)
{
    QWidget* help = OpenJoypadHelp();
    ASSERT_TRUE(help);
    EXPECT_EQ("Help: Joypad-Emulation", help->windowTitle());
    EXPECT_EQ(nullptr, help->parentWidget());
    EXPECT_FALSE(help->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ("Note:", Child<QLabel>(help, "Label1")->text());
    EXPECT_EQ(
        "The joypad emulation is only available for games, that can't be played without a joypad. Some games "
        "like 'Gloom' or 'Roadkill' are incompatible to the joypad emulation. You have to set the controller "
        "to "
        "'Joystick' (inside the game) to play these games.",
        Child<QLabel>(help, "Label2")->text());
    EXPECT_EQ(QString::fromUtf8("Joypad-Emulation (FakePad) \u00A9 1999 its author"),
              Child<QLabel>(help, "Label3")->text());
    EXPECT_EQ(QSize(350, 209), Child<QLabel>(help, "Image1")->pixmap().size());
    EXPECT_EQ("Close", Child<QPushButton>(help, "Command1")->text());
    EXPECT_TRUE(Child<QPushButton>(help, "Command1")->isDefault());
    EXPECT_EQ(3000, help->findChild<QTimer*>("Timer1")->interval());
    EXPECT_TRUE(help->findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(HelpWindowsTest, TheChartShowsEveryRow)
{
    QWidget* chart = OpenChart();
    ASSERT_TRUE(chart);
    EXPECT_EQ("Help: Compatibility", chart->windowTitle());
    EXPECT_EQ("Game|Note|= not tested", Child<QLabel>(chart, "Label22")->text() + "|" +
                                            Child<QLabel>(chart, "Label2")->text() + "|" +
                                            Child<QLabel>(chart, "Label47")->text());
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    const auto rows = CompatibilityChart();
    for (int row = 1; row <= 30; ++row) {
        const QString n = QString::number(row);
        const ChartRow& expected = rows[static_cast<std::size_t>(row - 1)];
        EXPECT_EQ(expected.title,
                  Child<QLabel>(chart, ("Game" + n).toLatin1().constData())->text().toStdString());
        EXPECT_EQ(states[int(expected.joypad)],
                  Child<QCheckBox>(chart, ("Joypad" + n).toLatin1().constData())->checkState());
        EXPECT_EQ(states[int(expected.nvram)],
                  Child<QCheckBox>(chart, ("NVRAM" + n).toLatin1().constData())->checkState());
        EXPECT_EQ(expected.note,
                  Child<QLabel>(chart, ("Note" + n).toLatin1().constData())->text().toStdString());
    }
    EXPECT_EQ(nullptr, chart->findChild<QCheckBox*>("Joypad31"));
}

TEST_F(HelpWindowsTest, EnterEscAndCloseCloseAndTheMenuShowsTheOpenWindowAgain)
{
    QWidget* help = OpenJoypadHelp();
    EXPECT_EQ(help, OpenJoypadHelp());
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp; }));
    QTest::keyClick(Child<QPushButton>(OpenJoypadHelp(), "Command1"), Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp; }));
    QTest::mouseClick(Child<QPushButton>(OpenChart(), "Command1"), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([] { return !Windows().compatibility; }));
}

TEST_F(HelpWindowsTest, TheWatchdogEndsTheProgramWithoutTheShutdownOnlyOnceTheMainWindowHasGone)
{
    const std::string configBefore = Config();
    OpenJoypadHelp();
    OpenChart();
    for (int tick = 0; tick < 5; ++tick)
        WatchdogTick();
    EXPECT_EQ(0, host->endProgramRequests);
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_TRUE(Windows().joypadHelp && Windows().compatibility);
    // The real timer, not a direct call: within about three seconds.
    EXPECT_TRUE(WaitUntil([this] { return host->endProgramRequests > 0; }, 6000));
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp && !Windows().compatibility; }));
    EXPECT_EQ(configBefore, Config()) << "the watchdog's end must not run the shutdown";
}

TEST_F(HelpWindowsTest, TheShutdownSequenceClosesTheHelpWindows)
{
    OpenJoypadHelp();
    OpenChart();
    Child<QAction>(mainWindow.get(), "Programm2")->trigger();
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp && !Windows().compatibility; }));
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ(0, host->endProgramRequests);
}

TEST_F(HelpWindowsTest, AClickTogglesABoxBetweenTickedAndEmptyUntilTheChartIsReopened)
{
    ASSERT_TRUE(StartMainWindow());
    QWidget* chart = OpenChart();
    // NVRAM2 starts empty, NVRAM11 grey; grey never comes back from a click.
    const std::vector<std::pair<const char*, std::vector<Qt::CheckState>>> clicks = {
        {"NVRAM2", {Qt::Checked, Qt::Unchecked, Qt::Checked}},
        {"NVRAM11", {Qt::Checked, Qt::Unchecked, Qt::Checked}}};
    for (const auto& [name, states] : clicks) {
        auto* box = Child<QCheckBox>(chart, name);
        for (Qt::CheckState expected : states) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
            EXPECT_EQ(expected, box->checkState()) << name;
        }
    }
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([] { return !Windows().compatibility; }));
    chart = OpenChart();
    EXPECT_EQ(Qt::Unchecked, Child<QCheckBox>(chart, "NVRAM2")->checkState());
    EXPECT_EQ(Qt::PartiallyChecked, Child<QCheckBox>(chart, "NVRAM11")->checkState());
}

TEST_F(HelpWindowsTest, TheMainWindowsKeysDoNothingInAHelpWindow)
{
    ASSERT_TRUE(StartMainWindow());
    QStringList opened;
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->objectName();
            modal->close();
        }
    });
    modalWatch.start(5);
    const auto press = [](QWidget* window, Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier);
    };
    for (QPointer<QWidget> help : {OpenJoypadHelp(), OpenChart()}) {
        for (Qt::Key key : {Qt::Key_F, Qt::Key_J, Qt::Key_O, Qt::Key_N, Qt::Key_Q})
            press(help, key);
        QTest::qWait(20);
        EXPECT_TRUE(opened.isEmpty()) << opened.join(' ').toStdString();
        ASSERT_TRUE(help && help->isVisible() && mainWindow->isVisible());
        EXPECT_TRUE(Child<QAction>(mainWindow.get(), "Frameskip")->isChecked());
        EXPECT_FALSE(Child<QAction>(mainWindow.get(), "JITComp")->isChecked());
        EXPECT_EQ("<absent>", ReadSetting("Frameskip"));
    }
    // In the main window itself the same keys act.
    press(mainWindow.get(), Qt::Key_F);
    EXPECT_FALSE(Child<QAction>(mainWindow.get(), "Frameskip")->isChecked());
    press(mainWindow.get(), Qt::Key_N);
    EXPECT_TRUE(WaitUntil([&] { return opened == QStringList{"frmNVRAM"}; }));
}

TEST_F(HelpWindowsTest, EveryWindowShowsTheProgramsIcon)
{
    ASSERT_TRUE(StartMainWindow());
    const QImage icon = WindowIcon().pixmap(32).toImage();
    frmNVRAM nvram(nullptr);
    for (QWidget* window : {static_cast<QWidget*>(mainWindow.get()), OpenJoypadHelp(), OpenChart(),
                            static_cast<QWidget*>(&nvram)})
        EXPECT_EQ(icon, window->windowIcon().pixmap(32).toImage()) << window->objectName().toStdString();
}

}  // namespace
}  // namespace talvero
