#include "app/StartGameProgress.h"

#include "platform/Host.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <climits>

namespace talvero {

namespace {
constexpr int kSteps = 1000;
}  // namespace

StartGameProgress::StartGameProgress(QWidget* parent) : m_dialog(new QProgressDialog(parent))
{
    m_dialog->setObjectName(QStringLiteral("StartGameProgress"));
    m_dialog->setWindowTitle(QString::fromLatin1(kApplicationTitle));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setRange(0, kSteps);
    // Wide enough that a long file name does not make the dialog jump.
    m_dialog->setMinimumWidth(420);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    // The dialog appears when this class says so, not on the dialog's own estimate, nor by the
    // timer it starts when it is made (which would show it, empty, over a message that the user
    // takes more than four seconds to read): reset() stops that timer.
    m_dialog->setMinimumDuration(INT_MAX);
    m_dialog->reset();
    m_dialog->hide();
    m_clock.start();
}

StartGameProgress::~StartGameProgress()
{
    delete m_dialog;
}

void StartGameProgress::Report(const std::string& title, const std::string& file, std::uint64_t done,
                               std::uint64_t total)
{
    const QString game = QString::fromStdString(title);
    const QString label =
        file.empty()
            ? QStringLiteral("Starting \"%1\"...").arg(game)
            : QStringLiteral("Copying \"%1\" from the CD:\n%2").arg(game, QString::fromStdString(file));
    if (m_dialog->labelText() != label)
        m_dialog->setLabelText(label);
    const auto share = total == 0 ? kSteps : static_cast<int>(done * kSteps / total);
    if (m_dialog->value() != share)
        m_dialog->setValue(share);
    if (!m_dialog->isVisible() && m_clock.elapsed() >= kShowAfterMilliseconds)
        m_dialog->show();
    // Once the modal dialog shows, it keeps input from the other windows; before that, no input
    // is taken at all.
    QCoreApplication::processEvents(m_dialog->isVisible() ? QEventLoop::AllEvents
                                                          : QEventLoop::ExcludeUserInputEvents);
}

bool StartGameProgress::Cancelled()
{
    return m_dialog->wasCanceled();
}

}  // namespace talvero
