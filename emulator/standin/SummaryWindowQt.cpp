#include "emulator/standin/SummaryWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

namespace talvero {

namespace {

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
    html += "</table>";
    if (!report.bootScript.empty()) {
        html += "<p>The game's boot script, which the emulated Amiga would run now:</p><pre>" +
                QString::fromLatin1(report.bootScript.c_str()).toHtmlEscaped() + "</pre>";
    }
    html += "<p>Configuration lines read:</p><pre>";
    for (const auto& [key, value] : report.lines)
        html += QString::fromStdString(key + value).toHtmlEscaped() + "\n";
    html += "</pre><p><i>This is Talvero's stand-in: no Amiga is emulated here.</i></p>";
    return html;
}

}  // namespace

void ShowSummaryWhereDisplayed(int argc, char** argv, const LaunchReport& report)
{
    if (!DisplayAvailable())
        return;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(
        QStringLiteral("Stand-in emulator: %1").arg(QString::fromStdString(report.executable)));
    auto* layout = new QVBoxLayout(&window);
    auto* summary = new QLabel(HtmlSummary(report));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
    layout->addWidget(buttons);
    window.show();
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    app.exec();
}

void ShowNoticeWhereDisplayed(int argc, char** argv, const std::string& title, const std::string& text)
{
    if (!DisplayAvailable())
        return;
    QApplication app(argc, argv);
    QMessageBox::critical(nullptr, QString::fromStdString(title), QString::fromStdString(text));
}

}  // namespace talvero
