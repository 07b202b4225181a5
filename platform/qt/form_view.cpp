#include "platform/qt/form_view.h"

#include "platform/qt/figure_painter.h"
#include "platform/qt/view_widgets.h"

#include <QAbstractSlider>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace shoutotsu {
namespace {

// The arrows, the track and Home/End, as the form's scroll actions.
const std::map<int, ScrollAction> kArrowAndTrackActions{
    {QAbstractSlider::SliderSingleStepAdd, ScrollAction::LineIncrement},
    {QAbstractSlider::SliderSingleStepSub, ScrollAction::LineDecrement},
    {QAbstractSlider::SliderPageStepAdd, ScrollAction::PageIncrement},
    {QAbstractSlider::SliderPageStepSub, ScrollAction::PageDecrement},
    {QAbstractSlider::SliderToMinimum, ScrollAction::ToMinimum},
    {QAbstractSlider::SliderToMaximum, ScrollAction::ToMaximum},
};

// The window has a title bar and a close box, nothing to maximise, minimise
// or resize: the layout is fitted to the screen once, at load.
constexpr Qt::WindowFlags kWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

QString qText(const std::string& text) { return QString::fromStdString(text); }

int16_t clampToInt16(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

// The classic desktop palette the form was designed against: button-face
// grey behind everything, black text, grey text on what is disabled.
QPalette paletteFor(const Control& window) {
    QPalette palette = QGuiApplication::palette();
    const QColor face = toQColor(window.backColor);
    const QColor text = toQColor(window.foreColor);
    const QColor disabledText(128, 128, 128);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, toQColor(Color::systemColor(kSystemColorButtonFace)));
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    return palette;
}

} // namespace

FormView::FormView(Form& form, const QIcon& icon, TwipsScale scale)
    : form_(form), scale_(scale),
      pressGuard_(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    clock_.start();
    installAccessibleOptionRole();
    FontSpec windowFontSpec = form_.window().font;
    windowFontSpec.stated = true; // the window's own font is the default of all others
    windowFont_ = toQFont(windowFontSpec, QFont());

    auto window = std::make_unique<SurfaceWidget>(
        FigureSource{&form_.window(), scale_, windowFont_}, nullptr);
    window->setWindowFlags(kWindowFlags);
    window->setPalette(paletteFor(form_.window()));
    window->setFont(windowFont_);
    window->setWindowTitle(qText(form_.window().caption()));
    if (!icon.isNull()) {
        window->setWindowIcon(icon);
    }
    window_ = std::move(window);
    widgets_[&form_.window()] = window_.get();
    placeWindow();

    buildChildren(form_.window(), window_.get());
    applyTabOrder();

    for (const auto& entry : widgets_) {
        showAccessibleText(*entry.first);
    }

    form_.setObserver(this);
}

FormView::~FormView() {
    form_.setObserver(nullptr);
    for (auto& entry : timers_) {
        entry.second->stop();
    }
}

void FormView::show() { window_->show(); }

QWidget* FormView::widgetFor(const Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

QTimer* FormView::timerFor(const Timer& timer) const {
    const auto found = timers_.find(&timer);
    return found == timers_.end() ? nullptr : found->second;
}

QRect FormView::figureRect(const Control& figure) const { return figureDamageRect(figure, scale_); }

void FormView::buildChildren(Control& container, QWidget* parent) {
    // Creation order is Qt's stacking order among siblings, so building in
    // the model's order (rearmost first) stacks the widgets the same way.
    for (Control* child : container.children()) {
        if (child->kind() == ControlKind::Timer) {
            createTimer(static_cast<Timer&>(*child));
            continue;
        }
        if (child->isWindowless()) {
            paintedRects_[child] = figureDamageRect(*child, scale_);
            continue;
        }
        QWidget* widget = createWidget(*child, parent);
        widgets_[child] = widget;
        placeWidget(*child);
        showCaption(*child);
        showValue(*child);
        widget->setEnabled(child->enabled());
        widget->setVisible(child->visible());
        if (child->isContainer()) {
            buildChildren(*child, widget);
        }
    }
}

QWidget* FormView::createWidget(Control& control, QWidget* parent) {
    switch (control.kind()) {
    case ControlKind::CommandButton: {
        auto* button = new ButtonWidget(parent);
        button->setFont(toQFont(control.font, windowFont_));
        auto& model = static_cast<CommandButton&>(control);
        QObject::connect(button, &QPushButton::clicked, [this, &model] { press(model); });
        return button;
    }
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar: {
        auto& model = static_cast<ScrollBar&>(control);
        auto* bar = new ScrollBarWidget(model.vertical() ? Qt::Vertical : Qt::Horizontal, parent);
        bar->setRange(model.minimum(), model.maximum());
        bar->setSingleStep(model.smallChange());
        bar->setPageStep(model.largeChange());
        connectScrollBar(model, bar);
        return bar;
    }
    case ControlKind::OptionButton: {
        auto& model = static_cast<OptionButton&>(control);
        auto* option = new OptionWidget(parent);
        // Every change of the mark from outside goes to the model: a click
        // or Space toggles it, and so does a screen reader's toggle action,
        // which emits no click.
        QObject::connect(option, &QAbstractButton::toggled,
                         [this, &model] { chooseOption(model); });
        option->onArrowStep = [this, &model](int step) { stepOption(model, step); };
        return option;
    }
    case ControlKind::Frame: {
        auto* frame = new FrameWidget(FigureSource{&control, scale_, windowFont_}, parent);
        frame->setFont(toQFont(control.font, windowFont_));
        QPalette palette = frame->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, toQColor(control.foreColor));
        }
        frame->setPalette(palette);
        return frame;
    }
    case ControlKind::PictureBox: {
        auto* surface = new SurfaceWidget(FigureSource{&control, scale_, windowFont_}, parent);
        // It is first in the tab order, so it holds the focus at start and a
        // stray key press lands where it does nothing.
        surface->setFocusPolicy(Qt::StrongFocus);
        return surface;
    }
    default:
        // Nothing else is windowed; an unknown kind still gets a plain
        // placeholder so the layout stays visible.
        return new QWidget(parent);
    }
}

void FormView::connectScrollBar(ScrollBar& bar, QWidget* widget) {
    auto* slider = static_cast<ScrollBarWidget*>(widget);
    // Puts the widget back on the model's value once the model has decided.
    auto showModel = [&bar, slider] {
        const QSignalBlocker blocker(slider);
        slider->setSliderPosition(bar.value());
        slider->setValue(bar.value());
    };

    // Qt reports an action after moving the thumb but before taking the new
    // value; the model decides, and the thumb is set to its answer.
    QObject::connect(
        slider, &QAbstractSlider::actionTriggered, [this, &bar, slider, showModel](int action) {
            if (!acceptsInput()) {
                showModel();
                return;
            }
            if (action == QAbstractSlider::SliderMove) {
                // While the thumb is held only its picture moves; the value
                // changes when it is let go.
                if (slider->isSliderDown()) {
                    return;
                }
                form_.scroll(bar, ScrollAction::ThumbTo, clampToInt16(slider->sliderPosition()));
            } else if (const auto found = kArrowAndTrackActions.find(action);
                       found != kArrowAndTrackActions.end()) {
                form_.scroll(bar, found->second);
            } else {
                return;
            }
            showModel();
        });

    // Anything else that moves the value (there should be nothing) is taken
    // as a thumb move, so the widget never shows a value the model lacks.
    QObject::connect(slider, &QAbstractSlider::valueChanged, [this, &bar, showModel](int value) {
        if (value != bar.value() && acceptsInput()) {
            form_.scroll(bar, ScrollAction::ThumbTo, clampToInt16(value));
        }
        showModel();
    });

    slider->onWheelSteps = [this, &bar, showModel](int steps) {
        const ScrollAction action =
            steps > 0 ? ScrollAction::LineIncrement : ScrollAction::LineDecrement;
        for (int i = 0; i < std::abs(steps) && acceptsInput(); ++i) {
            form_.scroll(bar, action);
        }
        showModel();
    };
}

void FormView::chooseOption(OptionButton& option) {
    if (acceptsInput()) {
        form_.select(option);
    }
    // Show the model's choice, which also undoes a click that merely
    // unchecked the selected button.
    for (OptionButton* each : optionGroup(option)) {
        showValue(*each);
    }
}

void FormView::stepOption(OptionButton& from, int step) {
    // The options stand left to right in index order. An arrow moves the
    // focus to the next one, round from the last to the first, and selects
    // it, as in a classic option group.
    OptionButton& next = optionAfter(from, step);
    QWidget* target = widgetFor(next);
    if (target == nullptr || !target->isVisible() || !target->isEnabled()) {
        return;
    }
    target->setFocus(Qt::TabFocusReason);
    chooseOption(next);
}

void FormView::showAccessibleText(const Control& control) {
    // Buttons, frames and the window are named by the caption they show.
    switch (control.kind()) {
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
    case ControlKind::OptionButton:
    case ControlKind::PictureBox:
        break;
    default:
        return;
    }
    QWidget* widget = widgetFor(control);
    if (widget == nullptr) {
        return;
    }
    // Qt tells a screen reader of every change it is given, so only real
    // changes are given.
    const QString name = qText(control.accessibleName());
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
    const QString description = qText(control.accessibleDescription());
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

void FormView::createTimer(Timer& timer) {
    auto* qtimer = new QTimer(window_.get());
    qtimer->setTimerType(Qt::PreciseTimer);
    qtimer->setInterval(timer.interval());
    QObject::connect(qtimer, &QTimer::timeout, [this, &timer] {
        if (acceptsInput()) {
            form_.tick(timer);
        }
    });
    timers_[&timer] = qtimer;
    runTimer(timer);
}

void FormView::applyTabOrder() {
    std::vector<const Control*> ordered;
    for (const Control* control : form_.allControls()) {
        QWidget* widget = widgetFor(*control);
        if (control->tabIndex < 0 || widget == nullptr || widget == window_.get()) {
            continue;
        }
        if ((widget->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        ordered.push_back(control);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(widgetFor(*ordered[i - 1]), widgetFor(*ordered[i]));
    }
    // The window opens with the focus on the first control in that order.
    if (!ordered.empty()) {
        widgetFor(*ordered.front())->setFocus(Qt::OtherFocusReason);
    }
}

void FormView::placeWindow() {
    const Control& main = form_.window();
    // The model's rectangle is the outer one; the client area lies inside
    // the border and the title bar.
    const int clientWidth = scale_.toPixels(main.width() - 2 * kWindowBorderTwips);
    const int clientHeight =
        scale_.toPixels(main.height() - kWindowCaptionTwips - kWindowBorderTwips);
    window_->setFixedSize(std::max(1, clientWidth), std::max(1, clientHeight));
    window_->move(scale_.toPixels(main.left()), scale_.toPixels(main.top()));
}

void FormView::placeWidget(const Control& control) {
    if (&control == &form_.window()) {
        placeWindow();
        return;
    }
    if (QWidget* widget = widgetFor(control)) {
        widget->setGeometry(scale_.toPixelRect(control));
    }
}

void FormView::showCaption(const Control& control) {
    QWidget* widget = widgetFor(control);
    if (widget == nullptr) {
        return;
    }
    const QString caption = qText(control.caption());
    switch (control.kind()) {
    case ControlKind::Window:
        widget->setWindowTitle(caption);
        break;
    case ControlKind::CommandButton:
        static_cast<QPushButton*>(widget)->setText(caption);
        break;
    case ControlKind::Frame:
        static_cast<QGroupBox*>(widget)->setTitle(caption);
        break;
    default:
        break;
    }
}

void FormView::showValue(const Control& control) {
    QWidget* widget = widgetFor(control);
    if (widget == nullptr) {
        return;
    }
    if (control.kind() == ControlKind::HScrollBar || control.kind() == ControlKind::VScrollBar) {
        auto* slider = static_cast<QAbstractSlider*>(widget);
        const QSignalBlocker blocker(slider);
        slider->setValue(static_cast<const ScrollBar&>(control).value());
        slider->setSliderPosition(slider->value());
        return;
    }
    if (control.kind() == ControlKind::OptionButton) {
        auto* option = static_cast<QAbstractButton*>(widget);
        const QSignalBlocker blocker(option);
        option->setChecked(static_cast<const OptionButton&>(control).value());
    }
}

void FormView::repaintFigure(const Control& figure) {
    QWidget* surface = figure.container() != nullptr ? widgetFor(*figure.container()) : nullptr;
    if (surface == nullptr) {
        return;
    }
    QRect& painted = paintedRects_[&figure];
    const QRect now = figureDamageRect(figure, scale_);
    surface->update(painted);
    surface->update(now);
    painted = now;
}

void FormView::runTimer(const Timer& timer) {
    QTimer* qtimer = timerFor(timer);
    if (qtimer == nullptr) {
        return;
    }
    if (timer.enabled() && !form_.halted() && !form_.unloaded()) {
        qtimer->start();
    } else {
        qtimer->stop();
    }
}

bool FormView::acceptsInput() const {
    return form_.loaded() && !form_.halted() && !form_.unloaded();
}

void FormView::press(CommandButton& button) {
    const auto now = static_cast<double>(clock_.elapsed());
    if (!acceptsInput() || !pressGuard_.allows(button, now)) {
        return;
    }
    if (form_.click(button)) {
        pressGuard_.taken(button, now);
    }
}

void FormView::propertyChanged(Control& control, Property property) {
    if (control.kind() == ControlKind::Timer) {
        runTimer(static_cast<Timer&>(control));
        return;
    }
    if (control.isWindowless()) {
        if (property != Property::Accessible) {
            repaintFigure(control);
        }
        return;
    }
    QWidget* widget = widgetFor(control);
    if (widget == nullptr) {
        return;
    }
    switch (property) {
    case Property::Geometry:
        placeWidget(control);
        break;
    case Property::Caption:
        showCaption(control);
        break;
    case Property::Visible:
        if (&control != &form_.window()) {
            widget->setVisible(control.visible());
        }
        break;
    case Property::Enabled:
        widget->setEnabled(control.enabled());
        break;
    case Property::Value:
        showValue(control);
        break;
    case Property::Accessible:
        showAccessibleText(control);
        break;
    }
}

} // namespace shoutotsu
