// Talvero's start: the command line, the AppFolder, then the main window or one game start.
#include "app/AppFolderSetup.h"
#include "app/CommandLine.h"
#include "app/StartGameWindow.h"
#include "app/frmMain.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Installation.h"
#include "platform/qt/QtHost.h"
#include "settings/QtSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace talvero;

namespace {

// Help, version and the title list need no display, so no window system is opened for them.
bool NeedsNoWindows(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version", "--list"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

// Sets the AppFolder; a new per-user folder gets its layout first. False when there is no usable
// folder (the message was shown).
bool PrepareAppFolder(const QString& commandLineFolder, AppFolderSource& source)
{
    const std::string given = commandLineFolder.isEmpty()
                                  ? std::string()
                                  : QFileInfo(commandLineFolder).absoluteFilePath().toStdString();
    const AppFolderChoice choice = ChooseAppFolder(given, ProgramFolder(), UserDataFolder());
    SetAppFolder(choice.folder);
    source = choice.source;
    if (source == AppFolderSource::CommandLine && !FolderExists(choice.folder)) {
        ShowMessage("The folder given with --app-folder does not exist:\n" + choice.folder,
                    MessageIcon::Critical);
        return false;
    }
    if (source == AppFolderSource::UserData) {
        try {
            LayOutAppFolder();
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
    const bool windowless = NeedsNoWindows(argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (windowless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talvero"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALVERO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Starts Amiga CD32 and CDTV games, each from its own CD, in an Amiga emulator.\n"
                       "With --start, the exit status is 0 when the emulator was started and 1 otherwise."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption appFolderOption(
        QStringLiteral("app-folder"),
        QStringLiteral(
            "Use DIR as Talvero's folder (WinUAE, Data, Cache, Previews, Talvero.dat) instead of the "
            "program's own folder or ~/.local/share/talvero."),
        QStringLiteral("DIR"));
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("List the 30 games with their systems, one a line."));
    const QCommandLineOption startOption(
        QStringLiteral("start"),
        QStringLiteral("Start the game TITLE with the stored options, without the main window, and end once "
                       "the emulator has been started. Exit status 0 when it was started, 1 otherwise."),
        QStringLiteral("TITLE"));
    parser.addOptions({appFolderOption, listOption, startOption});
    parser.process(*app);  // ends the program for --help, --version and a malformed command line
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "talvero: unexpected argument: %s\n(talvero --help shows the options)\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }
    if (parser.isSet(listOption)) {
        std::fputs(TitleListText().c_str(), stdout);
        return 0;
    }

    QApplication::setFont(DialogFont());  // the layouts are measured for a small dialog font
    const bool startOnly = parser.isSet(startOption);
    // An end through an unknown installer error is a failed start.
    QtHost host(startOnly ? 1 : 0);
    SetHost(&host);
    SetSettingsBackend(std::make_unique<QtSettingsBackend>());
    AppFolderSource source = AppFolderSource::ProgramFolder;
    if (!PrepareAppFolder(parser.value(appFolderOption), source))
        return 1;
    if (startOnly)
        return StartGameFromCommandLine(parser.value(startOption).toStdString(), StoredStartOptions);

    frmMain window;
    if (!window.Form_Load())
        return 0;
    window.show();
    // A folder other than the program's own may still lack what the games need: say so once.
    if (source != AppFolderSource::ProgramFolder) {
        if (const std::string notice = MissingFilesNotice(); !notice.empty())
            QTimer::singleShot(0, &window, [notice] { ShowMessage(notice, MessageIcon::Information); });
    }
    return app->exec();
}
