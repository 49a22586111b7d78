// Lays out the demo (LayOutDemo): an AppFolder with placeholder data for all 30 games, the given
// emulator under both executable names, title cards, a demo CD as drive D: and the same games as
// CD images (E: and F:). Then copies the program into it, since Talvero finds its files beside
// its own executable.
#include "demo/Demo.h"
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
        if (!LayOutDemo(folder, argv[3], ExistingDemoFiles::Replace))
            std::fputs("talvero-demo: xorriso is not installed, so the demo has no CD images (E:, F:).\n",
                       stderr);
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
