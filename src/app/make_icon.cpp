// Build step: draws the program's icon into a PNG for the desktop package.
#include <QGuiApplication>

#include "platform/qt/artwork.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3)
        return 1;
    return vz::applicationIcon().pixmap(std::atoi(argv[1])).save(argv[2]) ? 0 : 1;
}
