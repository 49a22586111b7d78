#include "help/HelpWindow.h"

#include "help/Watchdog.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

namespace talvero {

HelpWindow::HelpWindow(const char* name, QSize clientTwips, QRect frameTwips, QRect closeButtonTwips)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QString::fromLatin1(name));
    setModal(false);
    setFixedSize(TwipsSize(clientTwips.width(), clientTwips.height()));
    m_frame1 = new QGroupBox(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(TwipsRect(frameTwips.x(), frameTwips.y(), frameTwips.width(), frameTwips.height()));
    m_command1 = new QPushButton(m_frame1);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(TwipsRect(closeButtonTwips.x(), closeButtonTwips.y(), closeButtonTwips.width(),
                                      closeButtonTwips.height()));
    // Enter presses Close as the default button; Esc closes the dialog as its cancel button.
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &QDialog::close);
    StartWatchdog(this);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred && screen()) {
        m_centred = true;
        move(screen()->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

}  // namespace talvero
