// The real window, started exactly as the program starts it, that reports
// the time to its first frame and then ends by itself.
//   startup_probe [LINGER_MS] [text-first]
// With "text-first" the probe measures one line of Japanese text in the
// window font and the size of one styled push button before it builds the
// widgets, which splits Qt's first use of the Japanese font and of the style
// from the building of the program's own widgets.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "bench/first_frame.h"
#include "platform/qt/application_look.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/twips_scale.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    using shoutotsu::bench::millisecondsSinceLaunch;
    const double entered = millisecondsSinceLaunch();
    QApplication app(argc, argv);
    const double appReady = millisecondsSinceLaunch();
    const int lingerMs = argc > 1 ? std::atoi(argv[1]) : 1000;
    shoutotsu::QtPlatform platform;
    shoutotsu::MainForm form(platform);
    shoutotsu::applyApplicationLook(form.main.font);
    const double fontsReady = millisecondsSinceLaunch();
    if (argc > 2 && std::strcmp(argv[2], "text-first") == 0) {
        const QFontMetrics metrics(QApplication::font());
        const int width = metrics.horizontalAdvance(QStringLiteral("ぴるての衝突　スタート"));
        const double textMeasured = millisecondsSinceLaunch();
        QPushButton button(QStringLiteral("スタート"));
        const QSize size = button.sizeHint();
        std::printf("first_use_ms text %.3f control %.3f (%d px, %dx%d)\n",
                    textMeasured - fontsReady, millisecondsSinceLaunch() - textMeasured, width,
                    size.width(), size.height());
    }
    const double textReady = millisecondsSinceLaunch();
    form.load();
    if (form.halted()) {
        return 1;
    }
    shoutotsu::FormView view(form, shoutotsu::appIcon());
    platform.setMainWindow(view.window());
    shoutotsu::bench::FirstFrameProbe probe(view.window(), lingerMs);
    const double viewBuilt = millisecondsSinceLaunch();
    view.show();
    // Where the start-up time goes, in milliseconds since launch.
    std::printf("steps_ms main %.3f application %.3f fonts %.3f text %.3f widgets %.3f\n", entered,
                appReady, fontsReady, textReady, viewBuilt);
    const int status = QApplication::exec();
    // The bare window opens at this size, for a like-for-like comparison.
    std::printf("window_size %dx%d\n", view.window()->width(), view.window()->height());
    return status;
}
