// The widgets that stand for the model's windowed controls where a stock Qt
// widget does not fit as it is.
#pragma once

#include "platform/control.h"
#include "platform/qt/twips_scale.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <functional>

namespace shoutotsu {

// What a container widget needs to paint its windowless children.
struct FigureSource {
    const Control* container = nullptr;
    TwipsScale scale;
    QFont windowFont;
};

// The window's client area and the picture box: a plain surface with its
// own background on which the container's figures are painted.
class SurfaceWidget : public QWidget {
  public:
    SurfaceWidget(FigureSource source, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    FigureSource source_;
};

// A frame: a captioned group box whose labels and shapes it paints itself.
class FrameWidget : public QGroupBox {
  public:
    FrameWidget(FigureSource source, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    FigureSource source_;
};

// A push button that Enter presses as well as Space. A plain push button
// takes Enter only as the default button of a dialog; on this window the
// button with the focus is the one the learner means.
class ButtonWidget : public QPushButton {
  public:
    explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A scroll bar whose value belongs to the model. The wheel is turned into
// arrow steps (one per notch), so a wheel moves the value by the same steps
// as the arrows do; the context menu, which would set values behind the
// model's back, is off.
class ScrollBarWidget : public QScrollBar {
  public:
    ScrollBarWidget(Qt::Orientation orientation, QWidget* parent);

    // Called with +n for n notches towards the maximum, −n towards the minimum.
    std::function<void(int)> onWheelSteps;

  protected:
    void wheelEvent(QWheelEvent* event) override;
    // The keys of a classic scroll bar, alike in both orientations: Left and
    // Up step towards the minimum, Right and Down towards the maximum, Page
    // Up and Page Down page, Home and End go to the ends. Each key triggers
    // the action of the matching mouse part, so it reaches the model the
    // same way a click does.
    void keyPressEvent(QKeyEvent* event) override;
    // The style draws no focus on a scroll bar; a keyboard user needs one.
    void paintEvent(QPaintEvent* event) override;

  private:
    int pendingWheelDelta_ = 0;
};

// An option button exactly as wide as its round mark: the mark fills the
// height of the button, there is no caption, and the whole box takes clicks.
// A screen reader is told it is a radio button (see
// installAccessibleOptionRole).
class OptionWidget : public QRadioButton {
  public:
    explicit OptionWidget(QWidget* parent);

    // Called with −1 for Left or Up and +1 for Right or Down: the arrows
    // move through the group, which only the view knows.
    std::function<void(int)> onArrowStep;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

// Makes screen readers see every OptionWidget as the radio button it is. Qt
// names a checkable button that is not auto-exclusive a check box, and an
// OptionWidget is not: the model, not Qt, keeps its group exclusive. Safe to
// call more than once.
void installAccessibleOptionRole();

} // namespace shoutotsu
