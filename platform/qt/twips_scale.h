// Converting the model's twips to logical pixels, and the model's colours and
// fonts to Qt's.
//
// One twip is 1/1440 inch, so a screen of L logical dots per inch has
// L / 1440 logical pixels per twip (1/15 at 96 dpi). Windowed controls get
// whole logical pixels; painted figures keep fractions and are snapped to
// the device pixel grid by the painter.
#pragma once

#include "platform/control.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRectF>

class QScreen;

namespace shoutotsu {

class TwipsScale {
  public:
    explicit TwipsScale(double logicalDpi = 96.0) : pixelsPerTwip_(logicalDpi / 1440.0) {}
    // The scale of the primary screen (96 dpi when there is none).
    static TwipsScale ofPrimaryScreen();

    double pixelsPerTwip() const { return pixelsPerTwip_; }
    double twipsPerPixel() const { return 1.0 / pixelsPerTwip_; }

    double toPixelsF(double twips) const { return twips * pixelsPerTwip_; }
    int toPixels(double twips) const;
    double toTwips(double pixels) const { return pixels / pixelsPerTwip_; }

    // A windowed control's rectangle: each edge value rounded on its own, as
    // the model stores Left, Top, Width and Height separately.
    QRect toPixelRect(float left, float top, float width, float height) const;
    QRect toPixelRect(const Control& control) const {
        return toPixelRect(control.left(), control.top(), control.width(), control.height());
    }
    // The same rectangle with fractions kept, in logical pixels.
    QRectF toPixelRectF(const Control& control) const;

  private:
    double pixelsPerTwip_;
};

// The desktop colours the model names by index: 9 (active title text) is
// white, 15 (button face) a light grey, 18 (button text) black.
QColor toQColor(const Color& color);

// A stated font ("ＭＳ Ｐゴシック" at some size) or the window's default.
QFont toQFont(const FontSpec& wanted, const QFont& windowFont);

// Makes the Japanese Gothic face the model asks for resolve to an installed
// proportional Japanese Gothic, and makes the model's window font, built on
// it, the application's default font (returned). Call once, after the
// application object exists and before any widget does.
QFont installJapaneseFonts(const FontSpec& windowFont);

} // namespace shoutotsu
