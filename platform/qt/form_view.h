// The real window: mirrors a form into Qt widgets and feeds user input
// and timer ticks back into the form's event entries.
//
// The model is the source of truth. Widgets show what the model holds; a
// user action is handed to the form, and whatever the form decides is then
// shown, with the widgets' own signals blocked so nothing echoes back.
// Windowless figures (labels, shapes, lines) have no widget: their container
// paints them, and a change repaints only the pixels the figure covered
// before and covers now.
//
// Every widget that takes the focus carries the accessible name and
// description its control holds; the form rewrites them once per event, so
// a screen reader hears the outcome (the result of a run, a new value) and
// not the steps on the way.
#pragma once

#include "platform/form.h"
#include "platform/press_guard.h"
#include "platform/qt/twips_scale.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QRect>

#include <map>
#include <memory>

class QTimer;
class QWidget;

namespace shoutotsu {

class FormView : public ControlObserver {
  public:
    // Builds every widget from the form as it stands (normally just after
    // load()) and starts observing it. The window is not shown yet.
    FormView(Form& form, const QIcon& icon = QIcon(),
             TwipsScale scale = TwipsScale::ofPrimaryScreen());
    ~FormView() override;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    void show();

    QWidget* window() const { return window_.get(); }
    // The widget of a windowed control or container; null for windowless
    // figures and timers.
    QWidget* widgetFor(const Control& control) const;
    QTimer* timerFor(const Timer& timer) const;
    const TwipsScale& scale() const { return scale_; }
    const QFont& windowFont() const { return windowFont_; }
    // Where a windowless figure paints, in its container widget's pixels.
    QRect figureRect(const Control& figure) const;

    void propertyChanged(Control& control, Property property) override;

  private:
    void buildChildren(Control& container, QWidget* parent);
    QWidget* createWidget(Control& control, QWidget* parent);
    void createTimer(Timer& timer);
    void connectScrollBar(ScrollBar& bar, QWidget* widget);
    void chooseOption(OptionButton& option);
    void stepOption(OptionButton& from, int step);
    void showAccessibleText(const Control& control);
    void applyTabOrder();
    void placeWindow();
    void placeWidget(const Control& control);
    void showCaption(const Control& control);
    void showValue(const Control& control);
    void repaintFigure(const Control& figure);
    void runTimer(const Timer& timer);
    bool acceptsInput() const;
    void press(CommandButton& button);

    Form& form_;
    TwipsScale scale_;
    // A double click on a button is one press; the clock times the presses.
    PressGuard pressGuard_;
    QElapsedTimer clock_;
    QFont windowFont_;
    std::unique_ptr<QWidget> window_;
    std::map<const Control*, QWidget*> widgets_;
    std::map<const Control*, QTimer*> timers_;
    std::map<const Control*, QRect> paintedRects_; // last damage rect of each figure
};

} // namespace shoutotsu
