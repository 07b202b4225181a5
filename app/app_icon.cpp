#include "app/app_icon.h"

#include <QPixmap>

namespace shoutotsu {
namespace {

// Drawn on a 32×32 grid, in pixel-edge coordinates: the table, a green box
// with a 1-pixel black outline, spans x 1–23 and y 19–31 and stands on the
// floor, a black row at y 31; the striking bob (blue) and the struck bob
// (red), radius 6 with a 1-pixel black outline, touch at x 17 with their
// centres at (11, 13) and (23, 13), so the red one sits over the table's
// right edge; each has a small white highlight. Grey speed streaks run
// behind the blue bob (rows 10, 13 and 16) and a yellow spark marks the
// contact above them. Eight colours of the 16-colour palette.
// clang-format off
const char* const kAppIconXpm[] = {
    "32 32 8 1",
    "  c None",
    "b c #0000FF",
    "g c #008000",
    "k c #000000",
    "r c #FF0000",
    "s c #808080",
    "w c #FFFFFF",
    "y c #FFFF00",
    "                                ",
    "                                ",
    "                                ",
    "               y   y            ",
    "                 y              ",
    "                yyy             ",
    "                 y              ",
    "         kkkk        kkkk       ",
    "       kkbbbbkk    kkrrrrkk     ",
    "      kbbbbbbbbk  krrrrrrrrk    ",
    "sssss kbwwbbbbbk  krwwrrrrrk    ",
    "     kbbwbbbbbbbkkrrwrrrrrrrk   ",
    "     kbbbbbbbbbbkkrrrrrrrrrrk   ",
    "ssss kbbbbbbbbbbkkrrrrrrrrrrk   ",
    "     kbbbbbbbbbbkkrrrrrrrrrrk   ",
    "      kbbbbbbbbk  krrrrrrrrk    ",
    "sssss kbbbbbbbbk  krrrrrrrrk    ",
    "       kkbbbbkk    kkrrrrkk     ",
    "         kkkk        kkkk       ",
    " kkkkkkkkkkkkkkkkkkkkkk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    " kggggggggggggggggggggk         ",
    "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"
};
// clang-format on

} // namespace

QImage appIconImage() { return QImage(kAppIconXpm).convertToFormat(QImage::Format_Indexed8); }

QIcon appIcon() { return QIcon(QPixmap::fromImage(appIconImage())); }

} // namespace shoutotsu
