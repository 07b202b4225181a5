// What the window test programs share: the desktop services with the end of
// the program recorded instead of done, and where a scroll bar's parts are.
#pragma once

#include "platform/qt/qt_platform.h"

#include <QScrollBar>
#include <QString>
#include <QStyle>
#include <QStyleOptionSlider>

#include <vector>

namespace shoutotsu {

class RecordingPlatform : public QtPlatform {
  public:
    int messages = 0;
    QString lastTitle;
    QString lastText;
    std::vector<int> endStatuses;

  protected:
    void showErrorMessage(const QString& title, const QString& text) override {
        ++messages;
        lastTitle = title;
        lastText = text;
    }
    void endEventLoop(int status) override { endStatuses.push_back(status); }
};

// The centre of one part of a scroll bar (an arrow, the track on one side of
// the thumb, the thumb), in the bar's pixels.
inline QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

} // namespace shoutotsu
