// Talvero's start: the command line, the AppFolder, then the main window or one game start.
#include "app/AppFolderSetup.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "app/StartGameWindow.h"
#include "app/frmMain.h"
#include "demo/Demo.h"
#include "emulator/EmulatorProgram.h"
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

// The folder given with --app-folder or --demo, made absolute; empty when none was given.
std::string GivenFolder(const std::string& commandLineFolder)
{
    return commandLineFolder.empty()
               ? std::string()
               : QDir::toNativeSeparators(
                     QFileInfo(QString::fromStdString(commandLineFolder)).absoluteFilePath())
                     .toStdString();
}

constexpr const char* kNoDisplay = "talvero: no display to show the window on (DISPLAY is not set). --help, "
                                   "--version, --list and --start work without one.\n";

// Lays out the demo in `folder` with the stand-in emulator shipped beside the program, keeping
// what a demo laid out there before holds. False when it could not (said on the error stream).
bool LayOutDemoFolder(const std::string& folder)
{
    if (!CanHoldDemo(folder)) {
        std::fprintf(stderr,
                     "talvero: %s is neither an empty folder nor a demo folder (one with %s). --demo lays "
                     "out the demo in a new or empty folder, or in one it laid out before.\n",
                     folder.c_str(), kDemoNote);
        return false;
    }
    const std::string standin = HelperProgramPath(kStandinProgram);
    if (!FileExists(standin)) {
        std::fprintf(stderr, "talvero: the demo needs the stand-in emulator, which is missing: %s\n",
                     standin.c_str());
        return false;
    }
    try {
        if (!LayOutDemo(folder, standin, ExistingDemoFiles::Keep))
            std::fputs("talvero: xorriso is not installed, so the demo has no CD images (drives E: and F:); "
                       "drive D: holds the demo CD.\n",
                       stderr);
    } catch (const FileError& error) {
        std::fprintf(stderr, "talvero: the demo could not be laid out in %s: %s\n", folder.c_str(),
                     error.what());
        return false;
    }
    return true;
}

// Prints the title list, marking the games whose data file is missing in the folder the program
// would use.
void PrintTitleList(const std::string& commandLineFolder)
{
    SetAppFolder(ChooseAppFolder(GivenFolder(commandLineFolder), ProgramFolder(), UserDataFolder()).folder);
    std::fputs(TitleListText().c_str(), stdout);
}

// Sets the AppFolder; a new per-user folder gets its layout first. False when there is no usable
// folder (the message was shown).
bool PrepareAppFolder(const std::string& commandLineFolder, AppFolderSource& source)
{
    const AppFolderChoice choice =
        ChooseAppFolder(GivenFolder(commandLineFolder), ProgramFolder(), UserDataFolder());
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
        if (request.demoFolder.empty()) {
            PrintTitleList(request.appFolder);
            return 0;
        }
        break;  // after the demo is laid out, which draws its title cards with the application's fonts
    case CommandLineAction::StartGame:
    case CommandLineAction::OpenWindow:
        break;
    }
    // --demo DIR lays out the demo and then acts as --app-folder DIR.
    const std::string demoFolder = GivenFolder(request.demoFolder);
    const std::string& folder = demoFolder.empty() ? request.appFolder : demoFolder;
    const bool startOnly = request.action == CommandLineAction::StartGame;
    const bool windowOnly = request.action == CommandLineAction::OpenWindow;
    const bool windows = WindowSystemAvailable();
    if (!windows && windowOnly && demoFolder.empty()) {
        std::fputs(kNoDisplay, stderr);
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
    if (!demoFolder.empty()) {
        if (!LayOutDemoFolder(demoFolder))
            return 1;
        if (request.action == CommandLineAction::ListGames) {
            PrintTitleList(demoFolder);
            return 0;
        }
        if (!windows && windowOnly) {
            std::fprintf(stderr, "talvero: the demo is laid out in %s.\n%s", demoFolder.c_str(), kNoDisplay);
            return 1;
        }
    }
    AppFolderSource source = AppFolderSource::ProgramFolder;
    if (!PrepareAppFolder(folder, source))
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
