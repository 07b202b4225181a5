#include "platform/qt/twips_scale.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cmath>

namespace shoutotsu {
namespace {

// Proportional Japanese Gothic faces, best metric match first. IPAPGothic is
// drawn to the same advance widths as the face the form was designed with.
const char* const kGothicFallbacks[] = {"IPAPGothic",       "IPA Pゴシック", "VL PGothic",
                                        "Noto Sans CJK JP", "Noto Sans JP",  "IPAGothic"};

QStringList gothicFallbacks() {
    QStringList names;
    for (const char* name : kGothicFallbacks) {
        names << QString::fromUtf8(name);
    }
    return names;
}

} // namespace

TwipsScale TwipsScale::ofPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->logicalDotsPerInch() <= 0) {
        return TwipsScale();
    }
    return TwipsScale(screen->logicalDotsPerInch());
}

int TwipsScale::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

QRect TwipsScale::toPixelRect(float left, float top, float width, float height) const {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

QRectF TwipsScale::toPixelRectF(const Control& control) const {
    return QRectF(toPixelsF(control.left()), toPixelsF(control.top()), toPixelsF(control.width()),
                  toPixelsF(control.height()));
}

QColor toQColor(const Color& color) {
    if (!color.system) {
        return QColor(color.r, color.g, color.b);
    }
    switch (color.systemIndex) {
    case kSystemColorActiveTitleText:
        return QColor(255, 255, 255);
    case kSystemColorButtonFace:
        return QColor(192, 192, 192);
    case kSystemColorButtonText:
        return QColor(0, 0, 0);
    default:
        return QColor(0, 0, 0);
    }
}

QFont toQFont(const FontSpec& wanted, const QFont& windowFont) {
    if (!wanted.stated) {
        return windowFont;
    }
    QFont font = windowFont;
    QStringList families{QString::fromStdString(wanted.face)};
    families << gothicFallbacks();
    font.setFamilies(families);
    font.setPointSizeF(wanted.points);
    font.setWeight(static_cast<QFont::Weight>(wanted.weight));
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

QFont installJapaneseFonts(const FontSpec& windowFont) {
    QFont::insertSubstitutions(QString::fromStdString(windowFont.face), gothicFallbacks());
    QFont font;
    QStringList families{QString::fromStdString(windowFont.face)};
    families << gothicFallbacks();
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(windowFont.points);
    font.setWeight(static_cast<QFont::Weight>(windowFont.weight));
    QGuiApplication::setFont(font);
    return font;
}

} // namespace shoutotsu
