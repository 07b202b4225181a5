// The look every window of the program shares, set once after QApplication
// is made: one widget style everywhere, so the controls' metrics do not
// depend on the desktop, and the Japanese Gothic fonts.
#pragma once

#include "platform/control.h"

namespace shoutotsu {

void applyApplicationLook(const FontSpec& windowFont);

} // namespace shoutotsu
