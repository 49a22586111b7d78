// Talvero's start: the command line, the AppFolder, then the main window or one game start.
#include "app/AppFolderSetup.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "app/StartGameWindow.h"
#include "app/frmMain.h"
#include "platform/AppFolder.h"
#include "platform/Display.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Installation.h"
#include "platform/qt/QtHost.h"
#include "settings/QtSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace talvero;

namespace {

// The folder given with --app-folder, made absolute; empty when none was given.
std::string GivenFolder(const QString& commandLineFolder)
{
    return commandLineFolder.isEmpty()
               ? std::string()
               : QDir::toNativeSeparators(QFileInfo(commandLineFolder).absoluteFilePath()).toStdString();
}

// Sets the AppFolder; a new per-user folder gets its layout first. False when there is no usable
// folder (the message was shown).
bool PrepareAppFolder(const QString& commandLineFolder, AppFolderSource& source)
{
    const AppFolderChoice choice = ChooseAppFolder(GivenFolder(commandLineFolder), ProgramFolder(), UserDataFolder());
    SetAppFolder(choice.folder);
    source = choice.source;
    if (source == AppFolderSource::CommandLine && !FolderExists(choice.folder)) {
        ShowMessage("The folder given with --app-folder does not exist:\n" + choice.folder,
                    MessageIcon::Critical);
        return false;
    }
    if (source == AppFolderSource::UserData) {
        try {
            LayOutNewAppFolder();
        } catch (const FileError& error) {
            ShowMessage("Talvero could not set up its folder " + choice.folder + ":\n" + error.what(),
                        MessageIcon::Critical);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // The command line is read before the window system is opened: help, the version, the title
    // list and a refused command line need no display.
    const CommandLineRequest request = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.action) {
    case CommandLineAction::Refuse:
        std::fprintf(stderr, "talvero: %s\n\n%s", request.error.c_str(), UsageText().c_str());
        return 2;
    case CommandLineAction::ShowHelp:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case CommandLineAction::ShowVersion:
        std::fputs("talvero " TALVERO_VERSION "\n", stdout);
        return 0;
    case CommandLineAction::ListGames:
        // Marks the games whose data file is missing in the folder the program would use.
        SetAppFolder(ChooseAppFolder(GivenFolder(QString::fromStdString(request.appFolder)), ProgramFolder(),
                                     UserDataFolder())
                         .folder);
        std::fputs(TitleListText().c_str(), stdout);
        return 0;
    case CommandLineAction::StartGame:
    case CommandLineAction::OpenWindow:
        break;
    }
    const bool startOnly = request.action == CommandLineAction::StartGame;
    const bool windows = WindowSystemAvailable();
    if (!windows && !startOnly) {
        std::fputs("talvero: no display to show the window on (DISPLAY is not set). --help, --version, "
                   "--list and --start work without one.\n",
                   stderr);
        return 1;
    }
    // A start without a display still loads the options as the window would, offscreen, and says
    // on the error stream what it would have shown.
    if (!windows)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talvero"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALVERO_VERSION));

    QApplication::setFont(DialogFont());  // the layouts are measured for a small dialog font
    // An end through an unknown installer error is a failed start; its caller reads the messages.
    QtHost host(startOnly ? 1 : 0, !startOnly ? MessageOutput::Boxes
                                   : windows  ? MessageOutput::BoxesAndErrorStream
                                              : MessageOutput::ErrorStreamOnly);
    SetHost(&host);
    SetSettingsBackend(std::make_unique<QtSettingsBackend>());
    AppFolderSource source = AppFolderSource::ProgramFolder;
    if (!PrepareAppFolder(QString::fromStdString(request.appFolder), source))
        return 1;
    if (startOnly)
        return StartGameFromCommandLine(request.startTitle, StoredStartOptions);

    frmMain window;
    if (!window.Form_Load())
        return 1;  // the cache folder could not be created
    window.show();
    // An image file, as a file manager hands it over, goes in as Extras > Insert CD image does.
    if (!request.imageFile.empty())
        window.InsertImage(QFileInfo(QString::fromStdString(request.imageFile)).absoluteFilePath());
    // A folder other than the program's own may still lack what the games need: say so once.
    if (source != AppFolderSource::ProgramFolder)
        QTimer::singleShot(0, &window, &frmMain::ShowMissingFilesNotice);
    return app.exec();
}
