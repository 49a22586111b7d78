#include "help/Watchdog.h"

#include "platform/Host.h"
#include "ui/WindowRegistry.h"

#include <QTimer>

namespace talvero {

void WatchdogTick()
{
    if (MainWindowShown())
        return;
    CloseWindowsInOrder();
    CurrentHost().EndProgramNow();
}

void StartWatchdog(QWidget* helpWindow)
{
    auto* timer = new QTimer(helpWindow);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(kWatchdogInterval);
    QObject::connect(timer, &QTimer::timeout, helpWindow, &WatchdogTick);
    timer->start();
}

}  // namespace talvero
