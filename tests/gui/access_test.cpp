// The window used from the keyboard alone, and what a screen reader is told
// about it: key presses go to the widget with the focus, as a learner's do,
// and every change they make must come from the form.
#include "app/main_form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/twips_scale.h"
#include "tests/gui/window_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QStyleFactory>
#include <QWheelEvent>
#include <QtTest>

#include <memory>
#include <vector>

using namespace shoutotsu;

namespace {

// The accessibility events Qt sends, with what the object said of itself
// then. Only name and description changes are asked for their text: other
// events may concern objects on their way out.
struct SeenEvent {
    QAccessible::Event type;
    QObject* object;
    QString text;
};
std::vector<SeenEvent>* seenEvents = nullptr;

void recordEvent(QAccessibleEvent* event) {
    if (seenEvents == nullptr) {
        return;
    }
    QString text;
    QAccessibleInterface* object = event->accessibleInterface();
    if (object != nullptr && event->type() == QAccessible::NameChanged) {
        text = object->text(QAccessible::Name);
    } else if (object != nullptr && event->type() == QAccessible::DescriptionChanged) {
        text = object->text(QAccessible::Description);
    }
    seenEvents->push_back({event->type(), event->object(), text});
}

QString nameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}
QString descriptionOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

} // namespace

class AccessTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RecordingPlatform> platform_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<FormView> view_;
    std::vector<SeenEvent> events_;

    QWidget* widget(const Control& model) { return view_->widgetFor(model); }
    QScrollBar* bar(const Control& model) { return qobject_cast<QScrollBar*>(widget(model)); }
    QAbstractButton* button(const Control& model) {
        return qobject_cast<QAbstractButton*>(widget(model));
    }
    ScrollBar& barNamed(const QString& name) {
        return static_cast<ScrollBar&>(*form_->find(name.toStdString()));
    }
    QString captionOf(const Control& control) { return QString::fromStdString(control.caption()); }

    // A key pressed and let go by the learner: it goes to the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    void focus(const Control& model) {
        widget(model)->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), widget(model));
    }
    // Counts the Change events of a scroll bar; what Change does still runs.
    std::shared_ptr<int> countChanges(ScrollBar& model) {
        auto count = std::make_shared<int>(0);
        model.onChange = [count, change = model.onChange] {
            ++*count;
            change();
        };
        return count;
    }
    std::vector<SeenEvent> eventsOf(QObject* object, QAccessible::Event type) const {
        std::vector<SeenEvent> found;
        for (const SeenEvent& event : events_) {
            if (event.object == object && event.type == type) {
                found.push_back(event);
            }
        }
        return found;
    }
    void requireAccessibilityEvents() {
        if (!QAccessible::isActive()) {
            QSKIP("no accessibility bus: Qt sends no accessibility events");
        }
    }

  private slots:
    void initTestCase() {
        if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(style);
        }
        RecordingPlatform platform;
        MainForm probe(platform);
        installJapaneseFonts(probe.main.font);
        if (qEnvironmentVariable("SHOUTOTSU_ACCESSIBILITY_BUS") == QLatin1String("1")) {
            // Qt finds the bus asynchronously, once its event loop runs.
            QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
        }
        QAccessible::installUpdateHandler(&recordEvent);
    }

    void init() {
        platform_ = std::make_unique<RecordingPlatform>();
        form_ = std::make_unique<MainForm>(*platform_);
        QVERIFY(form_->load());
        view_ = std::make_unique<FormView>(*form_);
        platform_->setMainWindow(view_->window());
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_->window()));
        view_->window()->activateWindow();
        if (!QTest::qWaitForWindowActive(view_->window())) {
            QSKIP("the display gives the window no keyboard focus");
        }
        events_.clear();
        seenEvents = &events_;
    }

    void cleanup() {
        seenEvents = nullptr;
        view_.reset();
        form_.reset();
        platform_.reset();
    }

    // --- screen readers ---

    void everyControlThatTakesTheFocusHasAJapaneseName() {
        const std::vector<std::pair<const Control*, QString>> expected{
            {&form_->work, QStringLiteral("実験のようす")},
            {&form_->Command1, QStringLiteral("おわる")},
            {&form_->T1mScroll, QStringLiteral("当てるぴるての重さ (g)")},
            {&form_->T2mScroll, QStringLiteral("当てられるぴるての重さ (g)")},
            {&form_->T1rScroll, QStringLiteral("当てるぴるての半径 (mm)")},
            {&form_->T2rScroll, QStringLiteral("当てられるぴるての半径 (mm)")},
            {&form_->start, QStringLiteral("スタート")},
            {&form_->Hscroll, QStringLiteral("レールの高さ (cm)")},
            {&form_->Lscroll, QStringLiteral("ななめの長さ (cm)")},
            {&form_->sp[0], QStringLiteral("速")},
            {&form_->sp[1], QStringLiteral("中")},
            {&form_->sp[2], QStringLiteral("遅")},
        };
        for (const auto& [control, name] : expected) {
            QCOMPARE(nameOf(widget(*control)), name);
        }
        // The speed options are radio buttons, the selected one checked.
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* option =
                QAccessible::queryAccessibleInterface(widget(form_->sp[i]));
            QCOMPARE(option->role(), QAccessible::RadioButton);
            QVERIFY(option->state().checkable);
            QCOMPARE(bool(option->state().checked), i == 1);
        }

        // Nothing else takes the focus, so nothing is left unnamed.
        int focusable = 0;
        for (const Control* control : form_->allControls()) {
            QWidget* each = widget(*control);
            if (each != nullptr && each != view_->window() &&
                (each->focusPolicy() & Qt::TabFocus) != 0) {
                ++focusable;
            }
        }
        QCOMPARE(focusable, static_cast<int>(expected.size()));

        // The window and the frames around the controls by their captions.
        QCOMPARE(nameOf(view_->window()), QStringLiteral("ぴるての衝突"));
        QCOMPARE(nameOf(widget(form_->T1Frame)), QStringLiteral("ぴるての重さ"));
        QCOMPARE(nameOf(widget(form_->T2Frame)), QStringLiteral("ぴるての半径"));
        QCOMPARE(nameOf(widget(form_->RFrame)), QStringLiteral("レール"));
        QCOMPARE(nameOf(widget(form_->SPFrame)), QStringLiteral("ｼﾐｭﾚｰｼｮﾝ速度"));
    }

    void descriptionsTellTheValuesAsShown() {
        // The rail's height and slope length are shown counted from the
        // other end of their bars: the description says what the label says.
        QCOMPARE(descriptionOf(widget(form_->T1mScroll)), QStringLiteral("20 g"));
        QCOMPARE(descriptionOf(widget(form_->T2mScroll)), QStringLiteral("20 g"));
        QCOMPARE(descriptionOf(widget(form_->T1rScroll)), QStringLiteral("10 mm"));
        QCOMPARE(descriptionOf(widget(form_->T2rScroll)), QStringLiteral("10 mm"));
        QCOMPARE(descriptionOf(widget(form_->Hscroll)), QStringLiteral("20 cm"));
        QCOMPARE(descriptionOf(widget(form_->Lscroll)), QStringLiteral("60 cm"));

        // The drawing area asks the experiment's question and describes the
        // scene with those values.
        const QString scene = descriptionOf(widget(form_->work));
        QVERIFY(scene.startsWith(captionOf(form_->subtitle1) + captionOf(form_->subtitle2)));
        for (const char* part :
             {"青い当てるぴるて（重さ 20 g、半径 10 mm）", "高さ 20 cm、ななめの長さ 60 cm",
              "赤い当てられるぴるて（重さ 20 g、半径 10 mm）"}) {
            QVERIFY2(scene.contains(QString::fromUtf8(part)), part);
        }
        QVERIFY(!scene.contains(QStringLiteral("結果")));

        // A new value is told once the form has finished with it, in one
        // change, on the bar and in the scene.
        focus(form_->Hscroll);
        press(Qt::Key_Up);
        QCOMPARE(captionOf(form_->htext), QStringLiteral("30"));
        QTRY_COMPARE(descriptionOf(widget(form_->Hscroll)), QStringLiteral("30 cm"));
        QVERIFY(descriptionOf(widget(form_->work)).contains(QStringLiteral("高さ 30 cm")));
        QCOMPARE(descriptionOf(widget(form_->Lscroll)), QStringLiteral("60 cm"));
        if (QAccessible::isActive()) {
            const auto told = eventsOf(widget(form_->Hscroll), QAccessible::DescriptionChanged);
            QCOMPARE(told.size(), size_t(1));
            QCOMPARE(told.front().text, QStringLiteral("30 cm"));
            QVERIFY(eventsOf(widget(form_->Lscroll), QAccessible::DescriptionChanged).empty());
        }
    }

    void resultIsToldWhenItAppears() {
        // A whole run from the keyboard: fast speed, then スタート by Enter.
        focus(form_->sp[1]);
        press(Qt::Key_Left);
        QVERIFY(form_->sp[0].value());
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Tab, Qt::ShiftModifier); // back past the two rail bars
        }
        QCOMPARE(QApplication::focusWidget(), widget(form_->start));
        press(Qt::Key_Return);
        QVERIFY(!form_->start.visible());

        QTRY_COMPARE_WITH_TIMEOUT(captionOf(form_->start), QStringLiteral("クリア"), 60000);
        const QString result = QStringLiteral("結果：当てられるぴるての動いた距離は 37.9cm です。");
        QTRY_VERIFY(descriptionOf(widget(form_->work)).startsWith(result));
        QCOMPARE(nameOf(widget(form_->start)), QStringLiteral("クリア"));

        if (QAccessible::isActive()) {
            // The drawing area told of the result once, with its final text:
            // never with the label's text from before the run.
            const auto told = eventsOf(widget(form_->work), QAccessible::DescriptionChanged);
            QCOMPARE(told.size(), size_t(1));
            QVERIFY(told.front().text.startsWith(result));
            const auto renamed = eventsOf(widget(form_->start), QAccessible::NameChanged);
            QVERIFY(!renamed.empty());
            QCOMPARE(renamed.back().text, QStringLiteral("クリア"));
        }

        // Back to クリア by Shift+Tab, wherever hiding the button left the
        // focus, and Space clears the result.
        for (int i = 0; i < 12 && QApplication::focusWidget() != widget(form_->start); ++i) {
            press(Qt::Key_Tab, Qt::ShiftModifier);
        }
        QCOMPARE(QApplication::focusWidget(), widget(form_->start));
        press(Qt::Key_Space);
        QCOMPARE(captionOf(form_->start), QStringLiteral("スタート"));
        QTRY_VERIFY(!descriptionOf(widget(form_->work)).contains(QStringLiteral("結果")));
    }

    // --- keyboard ---

    void spaceAndEnterPressTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }

    void spaceAndEnterPressTheFocusedButton() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);

        // Another key presses nothing.
        focus(form_->start);
        press(Qt::Key_A);
        QVERIFY(form_->start.visible() && !form_->MAEtimer.enabled());

        press(key, modifiers);
        QVERIFY(!form_->start.visible());
        QVERIFY(form_->MAEtimer.enabled());

        focus(form_->Command1);
        press(key, modifiers);
        QVERIFY(form_->unloaded());
        QCOMPARE(platform_->endStatuses, std::vector<int>{0});
    }

    void keysMoveTheFocusedScrollBarLikeItsParts_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("part"); // the mouse part of the same action, or SC_None
        QTest::addColumn<int>("expected");
        const int none = QStyle::SC_None;
        const int subLine = QStyle::SC_ScrollBarSubLine;
        const int addLine = QStyle::SC_ScrollBarAddLine;
        const int subPage = QStyle::SC_ScrollBarSubPage;
        const int addPage = QStyle::SC_ScrollBarAddPage;
        // Masses 10..50 g by 10 from 20; the height bar 10..40 from 30 (the
        // rail 20 cm high), vertical with its minimum at the top; radii
        // 8..14 mm by 2 from 10; the slope bar 50..80 from 70.
        QTest::newRow("mass Left") << "T1mScroll" << int(Qt::Key_Left) << subLine << 10;
        QTest::newRow("mass Right") << "T1mScroll" << int(Qt::Key_Right) << addLine << 30;
        QTest::newRow("mass Up") << "T1mScroll" << int(Qt::Key_Up) << subLine << 10;
        QTest::newRow("mass Down") << "T1mScroll" << int(Qt::Key_Down) << addLine << 30;
        QTest::newRow("mass PageUp") << "T1mScroll" << int(Qt::Key_PageUp) << subPage << 10;
        QTest::newRow("mass PageDown") << "T1mScroll" << int(Qt::Key_PageDown) << addPage << 30;
        QTest::newRow("mass Home") << "T1mScroll" << int(Qt::Key_Home) << none << 10;
        QTest::newRow("mass End") << "T1mScroll" << int(Qt::Key_End) << none << 50;
        QTest::newRow("radius Right") << "T2rScroll" << int(Qt::Key_Right) << addLine << 12;
        QTest::newRow("radius PageUp") << "T2rScroll" << int(Qt::Key_PageUp) << subPage << 8;
        QTest::newRow("radius End") << "T2rScroll" << int(Qt::Key_End) << none << 14;
        QTest::newRow("height Up") << "Hscroll" << int(Qt::Key_Up) << subLine << 20;
        QTest::newRow("height Down") << "Hscroll" << int(Qt::Key_Down) << addLine << 40;
        QTest::newRow("height Left") << "Hscroll" << int(Qt::Key_Left) << subLine << 20;
        QTest::newRow("height PageUp") << "Hscroll" << int(Qt::Key_PageUp) << subPage << 20;
        QTest::newRow("height PageDown") << "Hscroll" << int(Qt::Key_PageDown) << addPage << 40;
        QTest::newRow("height Home") << "Hscroll" << int(Qt::Key_Home) << none << 10;
        QTest::newRow("height End") << "Hscroll" << int(Qt::Key_End) << none << 40;
        QTest::newRow("slope Left") << "Lscroll" << int(Qt::Key_Left) << subLine << 60;
        QTest::newRow("slope Right") << "Lscroll" << int(Qt::Key_Right) << addLine << 80;
        QTest::newRow("slope Home") << "Lscroll" << int(Qt::Key_Home) << none << 50;
    }

    void keysMoveTheFocusedScrollBarLikeItsParts() {
        QFETCH(QString, bar);
        QFETCH(int, key);
        QFETCH(int, part);
        QFETCH(int, expected);
        ScrollBar& model = barNamed(bar);
        const int16_t before = model.value();
        const QString sceneBefore = descriptionOf(widget(form_->work));
        auto changes = countChanges(model);

        focus(model);
        press(key);
        QCOMPARE(int(model.value()), expected);
        QCOMPARE(*changes, 1);
        QCOMPARE(this->bar(model)->value(), expected);
        // Change ran: the scene was built anew, down to what it tells.
        QTRY_VERIFY(descriptionOf(widget(form_->work)) != sceneBefore);

        if (part == QStyle::SC_None) {
            return;
        }
        // The mouse part of the same action does the same from the same place.
        model.setValue(before);
        *changes = 0;
        QScrollBar* shown = this->bar(model);
        QTest::mouseClick(shown, Qt::LeftButton, Qt::NoModifier,
                          scrollBarPart(shown, static_cast<QStyle::SubControl>(part)));
        QCOMPARE(int(model.value()), expected);
        QCOMPARE(*changes, 1);
    }

    void keysAtAnEndRaiseNoChange() {
        ScrollBar& mass = form_->T1mScroll;
        auto changes = countChanges(mass);
        focus(mass);
        press(Qt::Key_Home);
        QCOMPARE(int(mass.value()), 10);
        QCOMPARE(*changes, 1);
        for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home}) {
            press(key);
        }
        QCOMPARE(int(mass.value()), 10);
        QCOMPARE(*changes, 1);
        press(Qt::Key_End);
        press(Qt::Key_Right);
        QCOMPARE(int(mass.value()), 50);
        QCOMPARE(*changes, 2);
    }

    void everyWayIntoAScrollBarGoesThroughTheForm() {
        // The form refuses input to a disabled bar. With the widget left
        // enabled behind its back, nothing a learner or a screen reader does
        // may move the bar on its own.
        ScrollBar& mass = form_->T1mScroll;
        QScrollBar* shown = bar(mass);
        auto changes = countChanges(mass);
        mass.setEnabled(false);
        shown->setEnabled(true);

        focus(mass);
        for (int key : {Qt::Key_Right, Qt::Key_PageDown, Qt::Key_End}) {
            press(key);
        }
        QTest::mouseClick(shown, Qt::LeftButton, Qt::NoModifier,
                          scrollBarPart(shown, QStyle::SC_ScrollBarAddLine));
        const QPoint centre = shown->rect().center();
        QWheelEvent wheel(centre, shown->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(shown, &wheel);
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(shown)->valueInterface();
        QVERIFY(value != nullptr);
        value->setCurrentValue(40);
        QCOMPARE(int(mass.value()), 20);
        QCOMPARE(shown->value(), 20);
        QCOMPARE(*changes, 0);

        // Allowed again, a screen reader's new value is a thumb move.
        mass.setEnabled(true);
        value->setCurrentValue(40);
        QCOMPARE(int(mass.value()), 40);
        QCOMPARE(shown->value(), 40);
        QCOMPARE(*changes, 1);
        QCOMPARE(captionOf(form_->T1m), QStringLiteral("40"));
    }

    void screenReaderActionsPressButtonsAndChooseSpeeds() {
        QAccessibleActionInterface* fast =
            QAccessible::queryAccessibleInterface(widget(form_->sp[0]))->actionInterface();
        QVERIFY(fast != nullptr);
        fast->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(form_->sp[0].value() && !form_->sp[1].value());
        QVERIFY(button(form_->sp[0])->isChecked() && !button(form_->sp[1])->isChecked());
        // Toggling the selected option does not leave the group empty.
        fast->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(form_->sp[0].value());
        QVERIFY(button(form_->sp[0])->isChecked());

        QAccessibleActionInterface* start =
            QAccessible::queryAccessibleInterface(widget(form_->start))->actionInterface();
        QVERIFY(start != nullptr);
        start->doAction(QAccessibleActionInterface::pressAction()); // shown pressed, then clicked
        QTRY_VERIFY(form_->MAEtimer.enabled());
    }

    void arrowsMoveThroughTheSpeedOptionsAndSelect() {
        // 速, 中, 遅 from left to right; the arrows go round.
        auto selected = [this] {
            std::vector<int> chosen;
            for (int i = 0; i < 3; ++i) {
                if (form_->sp[i].value()) {
                    chosen.push_back(i);
                }
                if (button(form_->sp[i])->isChecked() != form_->sp[i].value()) {
                    return std::vector<int>{-1}; // the widget shows another choice
                }
            }
            return chosen;
        };
        focus(form_->sp[1]);
        QCOMPARE(selected(), std::vector<int>{1});
        const std::vector<std::pair<int, int>> steps{
            {Qt::Key_Right, 2}, {Qt::Key_Right, 0}, {Qt::Key_Down, 1},
            {Qt::Key_Left, 0},  {Qt::Key_Up, 2},    {Qt::Key_Space, 2},
        };
        for (const auto& [key, index] : steps) {
            press(key);
            QCOMPARE(QApplication::focusWidget(), widget(form_->sp[index]));
            QCOMPARE(selected(), std::vector<int>{index});
        }
    }
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
