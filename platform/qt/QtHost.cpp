#include "platform/qt/QtHost.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace talvero {

namespace {
QMessageBox::Icon ToQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

MessageAnswer QtHost::ShowMessage(const MessageBoxRequest& request)
{
    if (m_output != MessageOutput::Boxes)
        PrintMessage(request);
    if (m_output == MessageOutput::ErrorStreamOnly)
        return request.buttons == MessageButtons::YesNo ? request.defaultAnswer : MessageAnswer::Ok;
    QMessageBox box(ToQt(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (!request.detail.empty())
        box.setDetailedText(QString::fromStdString(request.detail));
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::Yes ? QMessageBox::Yes
                                                                         : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::optional<std::string> QtHost::ChooseFileToOpen(const OpenFileRequest& request)
{
    if (m_output == MessageOutput::ErrorStreamOnly)
        return std::nullopt;
    const QString filter =
        QString::fromStdString(request.filterDescription);  // the description carries its pattern: "(*.rom)"
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QString::fromStdString(request.title), QString(), filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

void QtHost::EndProgramNow()
{
    // At once: no window closes, no further event runs. Every file was closed when written.
    std::fflush(nullptr);
    std::_Exit(m_endStatus);
}

}  // namespace talvero
