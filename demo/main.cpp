// Lays out the demo: an AppFolder with placeholder data for all 30 games, the stand-in emulator
// under both executable names, title cards, a demo CD as drive D: that holds one CD32 game
// (Akira) and one CDTV game (Lemmings), and the same games as CD images: Lemmings as BIN/CUE
// (drive E:) and Akira as ISO (drive F:), made with xorriso. Then copies the program into it, since Talvero
// finds its files beside its own executable.
#include "demo/DemoFolder.h"
#include "demo/DemoImage.h"
#include "demo/DemoPreviews.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"

#include <QGuiApplication>

#include <cstdio>

using namespace talvero;

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: talvero-demo <demo folder> <talvero program> <stand-in emulator>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const std::string folder = argv[1];
        LayOutDemoAppFolder(folder, argv[3]);
        WriteAllTitleCards();
        CreateFolderIfMissing(AppPath("\\Drives"));
        for (const char* title : {"Akira", "Lemmings"})
            LayOutDemoCd(*FindProfile(title), AppPath("\\Drives\\D"));
        MakeDemoCdImage({"Lemmings"}, AppPath("\\Drives\\E.cue"));
        MakeDemoCdImage({"Akira"}, AppPath("\\Drives\\F.iso"));
        const std::string source = argv[2];
        const std::string program = JoinPath(folder, LastPartOf(source));
        WriteFileBytes(program, ReadFileBytes(argv[2]));
        MarkExecutable(program);
        std::printf("Demo laid out in %s\n", folder.c_str());
    } catch (const FileError& error) {
        std::fprintf(stderr, "talvero-demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
