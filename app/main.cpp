#include "settings/SettingsStore.h"
#include "app/frmMain.h"
#include "platform/Host.h"
#include "platform/qt/QtHost.h"
#include "settings/QtSettingsBackend.h"

#include <QApplication>
#include "ui/Twips.h"

#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The layouts are measured for a small dialog font.
    app.setFont(talvero::DialogFont());
    talvero::QtHost host;
    talvero::SetHost(&host);
    talvero::SetSettingsBackend(std::make_unique<talvero::QtSettingsBackend>());

    talvero::frmMain window;
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
