#include "platform/qt/QtHost.h"

#include <QApplication>
#include <QCheckBox>
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
    QCheckBox* checkBox = nullptr;
    if (!request.checkBoxText.empty()) {
        checkBox = new QCheckBox(QString::fromStdString(request.checkBoxText), &box);
        box.setCheckBox(checkBox);
    }
    const auto keepCheckBox = [&] {
        if (checkBox && request.checkBoxChecked)
            *request.checkBoxChecked = checkBox->isChecked();
    };
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::Yes ? QMessageBox::Yes
                                                                         : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        const bool yes = box.exec() == QMessageBox::Yes;
        keepCheckBox();
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    keepCheckBox();
    return MessageAnswer::Ok;
}

std::optional<std::string> QtHost::ChooseFileToOpen(const OpenFileRequest& request)
{
    if (m_output == MessageOutput::ErrorStreamOnly)
        return std::nullopt;
    if (request.folder) {
        const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                                                 QString::fromStdString(request.title));
        if (folder.isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(folder).toStdString();
    }
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
