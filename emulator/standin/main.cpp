// The stand-in emulator: takes the emulator's place for the demo and the tests. It reads the
// configuration file beside itself exactly as the emulator would, checks what a game start relies
// on, appends a launch record to launch.log beside itself, and shows a summary when a display is
// there. Exit status 0 when every check holds.
#include "emulator/LaunchCheck.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Process.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

using namespace talvero;

namespace {

std::string Now()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

bool DisplayAvailable()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform).rfind("offscreen", 0) == 0)
        return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

QString HtmlSummary(const LaunchReport& report)
{
    QString html = QStringLiteral("<h3>%1 started</h3><p>%2</p><table cellspacing='4'>")
                       .arg(QString::fromStdString(report.executable).toHtmlEscaped(),
                            QString::fromStdString(report.time));
    for (const CheckResult& check : report.checks) {
        html += QStringLiteral("<tr><td><b style='color:%1'>%2</b></td><td>%3</td><td>%4</td></tr>")
                    .arg(check.passed ? "#1a7f37" : "#cf222e", check.passed ? "\u2714" : "\u2718",
                         QString::fromStdString(check.name).toHtmlEscaped(),
                         QString::fromStdString(check.detail).toHtmlEscaped());
    }
    html += "</table><p>Configuration lines read:</p><pre>";
    for (const auto& [key, value] : report.lines)
        html += QString::fromStdString(key + value).toHtmlEscaped() + "\n";
    html += "</pre><p><i>This is Talvero's stand-in: no Amiga is emulated here.</i></p>";
    return html;
}

void ShowSummary(int argc, char** argv, const LaunchReport& report)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Stand-in emulator: %1").arg(QString::fromStdString(report.executable)));
    auto* layout = new QVBoxLayout(&window);
    auto* summary = new QLabel(HtmlSummary(report));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
    layout->addWidget(buttons);
    window.show();
    app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string self = RunningExecutablePath();
    const std::string folder = AppFolder();
    LaunchReport report;
    try {
        report = CheckLaunch(ReadFileBytes(JoinPath(JoinPath(folder, "Configurations"), "Default.uae")), folder);
    } catch (const FileError& error) {
        report.checks.push_back({"configuration", false, error.what()});
    }
    report.executable = self.substr(self.find_last_of("/\\") + 1);
    report.time = Now();
    for (int i = 1; i < argc; ++i)
        report.arguments.emplace_back(argv[i]);

    std::ofstream log(JoinPath(folder, "launch.log"), std::ios::app | std::ios::binary);
    log << report.Record();
    log.close();

    if (DisplayAvailable())
        ShowSummary(argc, argv, report);
    return report.AllPassed() ? 0 : 1;
}
