// Writes the program's icon as PNG files for the desktop's icon theme, at build time:
//   talvero-make-icons <folder> <size>...   writes <folder>/<size>/talvero.png for each size
#include "ui/Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: talvero-make-icons <folder> <size>...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sizeFolder = folder + '/' + QString::number(size);
        if (size <= 0 || !QDir().mkpath(sizeFolder) ||
            !talvero::IconImage(size).save(sizeFolder + QStringLiteral("/talvero.png"))) {
            std::fprintf(stderr, "talvero-make-icons: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
