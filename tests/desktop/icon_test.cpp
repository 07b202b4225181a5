// The 32×32 theme icon the desktop shows is the window's icon, pixel for pixel.
#include "app/app_icon.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QImage theme(QStringLiteral(SHOUTOTSU_ICON_PNG));
    const QImage window = shoutotsu::appIconImage().convertToFormat(QImage::Format_ARGB32);
    if (theme.isNull() || theme.convertToFormat(QImage::Format_ARGB32) != window) {
        std::fprintf(stderr, "FAIL: %s is not the window icon pixel for pixel\n",
                     SHOUTOTSU_ICON_PNG);
        return 1;
    }
    return 0;
}
