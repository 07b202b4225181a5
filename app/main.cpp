// ぴるての衝突: the program's entry. Loads the form, then shows it.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/application_look.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>

#include <optional>

int main(int argc, char** argv) {
    // Qt takes its own options (-platform, -display, ...); the program has
    // none and ignores whatever else is given.
    // Without a display, a one-line message and status 1 rather than Qt's abort.
    std::optional<shoutotsu::DisplayStartGuard> noDisplay(std::in_place);
    QApplication app(argc, argv);
    noDisplay.reset();
    // Ties the window to its menu entry, so the desktop shows the entry's
    // name and icon for it.
    QGuiApplication::setDesktopFileName(QStringLiteral(SHOUTOTSU_APP_ID));
    shoutotsu::QtPlatform platform;
    shoutotsu::MainForm form(platform);
    shoutotsu::applyApplicationLook(form.main.font);

    // The form fits itself to the screen and builds the scene before
    // anything is shown, so none of its intermediate states is seen.
    form.load();
    if (form.halted()) {
        return platform.exitStatus();
    }

    shoutotsu::FormView view(form, shoutotsu::appIcon());
    platform.setMainWindow(view.window());
    view.show();
    const int status = QApplication::exec();
    return platform.exitStatus() != 0 ? platform.exitStatus() : status;
}
