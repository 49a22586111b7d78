#include "tests/support/TestPlatform.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The offscreen platform reports window-manager requests it cannot carry out; they say nothing
    // about the program.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith(QStringLiteral("This plugin does not support")))
            qt_message_output(type, context, message);
    });
    talvero::test::PrepareTestProcess(TALVERO_STANDIN);
    // Windows render offscreen, and so do the emulators the tests start, whatever display there is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Wine hides every QT_ variable from Windows programs, so the test runs name Qt's settings
    // (font dpi, scale factor, font folder) as TALVERO_QT_...; they take effect here.
    const QString prefix = QStringLiteral("TALVERO_");
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(prefix + QStringLiteral("QT_")))
            qputenv(name.mid(prefix.size()).toLocal8Bit().constData(), environment.value(name).toLocal8Bit());
    }
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    QApplication app(argc, argv);
    app.setFont(talvero::DialogFont());
    // Closing the main window must not end the test run.
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
