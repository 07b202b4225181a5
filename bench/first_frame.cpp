#include "bench/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace shoutotsu::bench {

FirstFrameProbe::FirstFrameProbe(QWidget* window, int lingerMs)
    : window_(window), lingerMs_(lingerMs) {
    window_->installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::Paint || seen_) {
        return false;
    }
    seen_ = true;
    // Let the paint happen, then take the time once the frame is flushed.
    QTimer::singleShot(0, [this] {
        std::printf("first_frame_ms %.3f\n", millisecondsSinceLaunch());
        std::fflush(stdout);
        QTimer::singleShot(lingerMs_, [] { QCoreApplication::quit(); });
    });
    return false;
}

double millisecondsSinceLaunch() {
    const char* t0 = std::getenv("SHOUTOTSU_T0");
    if (t0 == nullptr) {
        return -1.0;
    }
    const double launched = std::strtod(t0, nullptr);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const double nowSeconds = std::chrono::duration<double>(now).count();
    return (nowSeconds - launched) * 1000.0;
}

} // namespace shoutotsu::bench
