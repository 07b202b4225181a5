#include "platform/qt/view_widgets.h"

#include "platform/qt/figure_painter.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QWheelEvent>

#include <algorithm>

namespace shoutotsu {
namespace {

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

// Keys held with these belong to the desktop's shortcuts, not to a control.
constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// −1 for Left or Up, +1 for Right or Down, 0 for any other key.
int arrowStep(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return 1;
    default:
        return 0;
    }
}

// An OptionWidget as a screen reader sees it: a radio button, checked or
// not, that its toggle (or press) action clicks like the mouse does.
class AccessibleOption : public QAccessibleWidget {
  public:
    explicit AccessibleOption(QAbstractButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != toggleAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (option()->isEnabled()) {
            option()->click();
        }
    }

  private:
    QAbstractButton* option() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* accessibleOptionFactory(const QString&, QObject* object) {
    if (auto* option = dynamic_cast<OptionWidget*>(object)) {
        return new AccessibleOption(option);
    }
    return nullptr;
}

// A frame's etched edge and where its caption interrupts it, logical pixels.
const QColor kEtchShadow(128, 128, 128);
const QColor kEtchLight(255, 255, 255);
constexpr int kCaptionIndentPixels = 6;
constexpr int kCaptionPaddingPixels = 2;

} // namespace

SurfaceWidget::SurfaceWidget(FigureSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(source_.container->backColor));
    paintFigures(painter, *source_.container, source_.scale, source_.windowFont, event->rect());
}

FrameWidget::FrameWidget(FigureSource source, QWidget* parent)
    : QGroupBox(parent), source_(std::move(source)) {}

void FrameWidget::paintEvent(QPaintEvent* event) {
    // An etched rectangle whose top edge runs through the middle of the
    // caption, so the frame's contents, placed relative to its outer top
    // left corner, sit inside it.
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QRect box = rect().adjusted(0, lineY, -1, -1);
    painter.setPen(kEtchShadow);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(kEtchLight);
    painter.drawRect(box.adjusted(1, 1, 0, 0));

    const QString caption = title();
    if (!caption.isEmpty()) {
        const QRect captionBox(kCaptionIndentPixels, 0,
                               metrics.horizontalAdvance(caption) + 2 * kCaptionPaddingPixels,
                               metrics.height());
        painter.fillRect(captionBox, palette().color(QPalette::Window));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }

    paintFigures(painter, *source_.container, source_.scale, source_.windowFont, event->rect());
}

void ButtonWidget::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & kShortcutModifiers) != 0) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    // Held down, Enter presses once, as Space does.
    if (!event->isAutoRepeat()) {
        click();
    }
}

ScrollBarWidget::ScrollBarWidget(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ScrollBarWidget::wheelEvent(QWheelEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const QPoint angle = event->angleDelta();
    const int delta = std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x();
    // Turning the wheel towards the user, or tilting it right (negative
    // delta), moves towards the maximum, as it scrolls a page down.
    // High-resolution wheels send parts of a notch; they add up until a whole
    // notch is reached.
    pendingWheelDelta_ -= delta;
    const int steps = pendingWheelDelta_ / kWheelNotch;
    pendingWheelDelta_ -= steps * kWheelNotch;
    event->accept();
    if (steps != 0 && onWheelSteps) {
        onWheelSteps(steps);
    }
}

void ScrollBarWidget::keyPressEvent(QKeyEvent* event) {
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default: {
        const int step = arrowStep(*event);
        action = step < 0 ? SliderSingleStepSub : step > 0 ? SliderSingleStepAdd : SliderNoAction;
        break;
    }
    }
    if (action == SliderNoAction || (event->modifiers() & kShortcutModifiers) != 0) {
        event->ignore();
        return;
    }
    event->accept();
    triggerAction(action);
}

void ScrollBarWidget::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

OptionWidget::OptionWidget(QWidget* parent) : QRadioButton(parent) {
    // The model keeps the group exclusive; the widget only shows it.
    setAutoExclusive(false);
}

void OptionWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int side = std::min(width(), height());
    option.rect = QRect((width() - side) / 2, (height() - side) / 2, side, side);
    style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, this);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void OptionWidget::keyPressEvent(QKeyEvent* event) {
    const int step = arrowStep(*event);
    if (step == 0) {
        QRadioButton::keyPressEvent(event); // Space, as on any radio button
        return;
    }
    if (!onArrowStep || (event->modifiers() & kShortcutModifiers) != 0) {
        event->ignore();
        return;
    }
    event->accept();
    onArrowStep(step);
}

bool OptionWidget::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void installAccessibleOptionRole() { QAccessible::installFactory(&accessibleOptionFactory); }

} // namespace shoutotsu
