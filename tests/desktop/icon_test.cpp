// The icons the desktop shows for the program are the window's icon: the
// 32×32 theme icon pixel for pixel, the scalable one in its design.
#include "app/app_icon.h"

#include <QPainter>
#include <QtTest>
#ifdef SHOUTOTSU_HAVE_QT_SVG
#include <QSvgRenderer>
#endif

class IconTest : public QObject {
    Q_OBJECT

    const QImage window = shoutotsu::appIconImage().convertToFormat(QImage::Format_ARGB32);

  private slots:
    void themeIconIsTheWindowIconPixelForPixel() {
        const QImage theme(QStringLiteral(SHOUTOTSU_ICON_PNG));
        QVERIFY2(!theme.isNull(), SHOUTOTSU_ICON_PNG);
        QCOMPARE(theme.convertToFormat(QImage::Format_ARGB32), window);
    }

    // Edges may fall differently (circles drawn as circles rather than
    // stepped); inside every figure and in the empty space around them, a
    // pixel whose eight neighbours share its colour, the colours must agree.
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
        int compared = 0;
        for (int y = 1; y < 31; ++y) {
            for (int x = 1; x < 31; ++x) {
                const QRgb want = window.pixel(x, y), got = drawn.pixel(x, y);
                bool inside = true;
                for (int n = 0; n < 9; ++n) {
                    inside = inside && window.pixel(x - 1 + n % 3, y - 1 + n / 3) == want;
                }
                const int distance = std::max(
                    {std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                     std::abs(qBlue(got) - qBlue(want)), std::abs(qAlpha(got) - qAlpha(want))});
                QVERIFY2(!inside || distance <= 48,
                         qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
                compared += inside ? 1 : 0;
            }
        }
        QVERIFY(compared > 400); // most of the icon
#endif
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
