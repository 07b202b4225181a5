#include "platform/qt/qt_platform.h"

#include "platform/qt/twips_scale.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

namespace shoutotsu {

ScreenSize QtPlatform::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return ScreenSize{};
    }
    const TwipsScale scale = TwipsScale::ofPrimaryScreen();
    const QSize size = screen->size();
    return ScreenSize{static_cast<float>(scale.toTwips(size.width())),
                      static_cast<float>(scale.toTwips(size.height()))};
}

void QtPlatform::unloadMainWindow() {
    if (window_ != nullptr) {
        window_->close();
    }
    endEventLoop(0);
}

QString QtPlatform::errorTitle() { return QStringLiteral("ぴるての衝突"); }

QString QtPlatform::errorText(const RunTimeError& error) {
    return QStringLiteral("実行時エラー '%1':\n\n%2\n\nプログラムを終了します。")
        .arg(error.number())
        .arg(QString::fromStdString(error.japaneseText()));
}

void QtPlatform::reportUnhandledError(const RunTimeError& error) {
    if (errorReported_) {
        return;
    }
    errorReported_ = true;
    exitStatus_ = 1;
    std::cerr << error.reportLine() << std::endl;
    // The form takes no more events once it has reported, and the message
    // box is modal, so the window behind it cannot be used meanwhile.
    showErrorMessage(errorTitle(), errorText(error));
    endEventLoop(1);
}

void QtPlatform::showErrorMessage(const QString& title, const QString& text) {
    QWidget* parent = (window_ != nullptr && window_->isVisible()) ? window_.data() : nullptr;
    QMessageBox::critical(parent, title, text);
}

void QtPlatform::endEventLoop(int status) { QCoreApplication::exit(status); }

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList heldBack; // Qt's warnings while the guard is alive

void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        // Qt would abort next; the learner gets a sentence and a plain exit.
        std::fputs(noDisplayMessage(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldBack << qFormatLogMessage(type, context, message);
}

} // namespace

DisplayStartGuard::DisplayStartGuard() { previousHandler = qInstallMessageHandler(startUpMessage); }

DisplayStartGuard::~DisplayStartGuard() {
    qInstallMessageHandler(previousHandler);
    for (const QString& line : std::exchange(heldBack, {})) {
        std::cerr << line.toStdString() << std::endl;
    }
}

const char* noDisplayMessage() {
    return "shoutotsu: デスクトップの画面が見つかりません。デスクトップで起動するか、"
           "画面 (DISPLAY) を設定して起動してください。 / "
           "shoutotsu: no desktop display was found; start it on a desktop, or with a "
           "display set (DISPLAY or WAYLAND_DISPLAY).";
}

} // namespace shoutotsu
