// The icons the desktop shows for the program are the window's icon: the
// 32×32 theme icon pixel for pixel, the scalable one in its design.
#include "app/app_icon.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#ifdef SHOUTOTSU_HAVE_QT_SVG
#include <QSvgRenderer>
#endif

#include <cstdlib>

using namespace shoutotsu;

namespace {

QImage windowIcon() { return appIconImage().convertToFormat(QImage::Format_ARGB32); }

// True when the pixel and its eight neighbours (those inside the image) are
// of one colour: the inside of a figure, away from any edge.
bool insideAFigure(const QImage& image, int x, int y) {
    const QRgb centre = image.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && image.pixel(p) != centre) {
                return false;
            }
        }
    }
    return true;
}

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

} // namespace

class IconTest : public QObject {
    Q_OBJECT

  private slots:
    void themeIconIsTheWindowIconPixelForPixel() {
        QImage theme(QStringLiteral(SHOUTOTSU_ICON_PNG));
        QVERIFY2(!theme.isNull(), SHOUTOTSU_ICON_PNG);
        theme = theme.convertToFormat(QImage::Format_ARGB32);
        const QImage window = windowIcon();
        QCOMPARE(theme.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                QVERIFY2(theme.pixel(x, y) == window.pixel(x, y),
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void scalableIconIsTheWindowIconsDesign() {
#ifndef SHOUTOTSU_HAVE_QT_SVG
        QSKIP("built without Qt SVG");
#else
        QSvgRenderer svg(QStringLiteral(SHOUTOTSU_ICON_SVG));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(0, 0, 32, 32));
        QImage drawn(32, 32, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();

        // Edges may fall differently (circles drawn as circles rather than
        // stepped); the inside of every figure, and the empty space around
        // them, must be the window icon's.
        const QImage window = windowIcon();
        int compared = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (!insideAFigure(window, x, y)) {
                    continue;
                }
                ++compared;
                QVERIFY2(channelDistance(drawn.pixel(x, y), window.pixel(x, y)) <= 48,
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(compared > 400); // most of the icon
#endif
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
