// Writes the window icon as a PNG file, for the desktop's icon theme, so the
// menu shows exactly the image the window carries.
//
// Usage: shoutotsu-icon-png OUTPUT.png
#include "app/app_icon.h"

#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    // Full colour with alpha: every theme tool reads that, and the pixels
    // stay those of the indexed image.
    const QImage image = shoutotsu::appIconImage().convertToFormat(QImage::Format_ARGB32);
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
