#include "platform/qt/application_look.h"

#include "platform/qt/twips_scale.h"

#include <QApplication>
#include <QStyleFactory>

namespace shoutotsu {

void applyApplicationLook(const FontSpec& windowFont) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    installJapaneseFonts(windowFont);
}

} // namespace shoutotsu
