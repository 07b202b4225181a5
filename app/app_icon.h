// The program's icon: a blue bob striking a red bob on a green table.
#pragma once

#include <QIcon>
#include <QImage>

namespace shoutotsu {

// The 32×32 image in its 16-colour indexed form, transparent around the
// figures.
QImage appIconImage();
// The same image as the window icon.
QIcon appIcon();

} // namespace shoutotsu
