// A bare Qt window: the yardstick for the real window's start-up time and
// memory. Same style, same build flags, nothing else.
//   bare_window WIDTH HEIGHT [LINGER_MS] [text]
// With "text" the window also shows one line of Japanese in a label: the
// yardstick for what drawing Japanese text alone costs.
#include "bench/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QStyleFactory>
#include <QWidget>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int width = argc > 1 ? std::atoi(argv[1]) : 640;
    const int height = argc > 2 ? std::atoi(argv[2]) : 480;
    const int lingerMs = argc > 3 ? std::atoi(argv[3]) : 1000;
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    QWidget window;
    window.setFixedSize(width, height);
    window.setWindowTitle(QStringLiteral("bare"));
    if (argc > 4 && std::strcmp(argv[4], "text") == 0) {
        auto* label = new QLabel(QStringLiteral("ぴるての衝突　スタート　クリア　速さ"), &window);
        label->move(10, 10);
    }
    shoutotsu::bench::FirstFrameProbe probe(&window, lingerMs);
    window.show();
    return QApplication::exec();
}
