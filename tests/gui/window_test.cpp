// The real window on a display: geometry, mouse and keyboard input, QTimers
// driving a run, `work` painted at ratios 1 and 2, what a screen reader hears.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/application_look.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "run/experiment.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>

using namespace shoutotsu;

namespace {

class RecordingPlatform : public QtPlatform {
  public:
    QStringList messages; // title and text of each
    std::vector<int> endStatuses;
    std::optional<ScreenSize> screen; // in place of the real one
    ScreenSize screenSize() const override { return screen ? *screen : QtPlatform::screenSize(); }
    void showErrorMessage(const QString& title, const QString& text) override {
        messages << title + QLatin1Char('\n') + text;
    }
    void endEventLoop(int status) override { endStatuses.push_back(status); }
};

QString caption(const Control& control) { return QString::fromStdString(control.caption()); }
QString accessibleText(QWidget* widget, QAccessible::Text which = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(which);
}
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QPoint at(i % image.width(), i / image.width());
        if ((image.pixel(at) & 0xffffff) != 0xffffff) {
            box |= QRect(at, QSize(1, 1));
        }
    }
    return box;
}

class PaintSpy : public QObject {
  public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingPlatform> platform_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<FormView> view_;

    QWidget* widget(const Control& c) const { return view_->widgetFor(c); }
    auto* button(const Control& c) const { return qobject_cast<QAbstractButton*>(widget(c)); }
    void click(const Control& c) const {
        QTest::mouseClick(widget(c), Qt::LeftButton, {}, widget(c)->rect().center());
    }
    void clickRightArrow(const Control& c) const { // of a horizontal bar
        QTest::mouseClick(widget(c), Qt::LeftButton, {},
                          QPoint(widget(c)->width() - 4, widget(c)->height() / 2));
    }
    void focus(const Control& c) { widget(c)->setFocus(Qt::TabFocusReason); }
    QImage renderWork(qreal ratio) {
        QImage image(widget(form_->work)->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        widget(form_->work)->render(&image);
        return image;
    }

  private slots:
    void initTestCase() {
        RecordingPlatform platform;
        applyApplicationLook(MainForm(platform).main.font);
        // Qt finds an accessibility bus asynchronously, once its event loop runs.
        const bool bus = qEnvironmentVariable("SHOUTOTSU_ACCESSIBILITY_BUS") == QLatin1String("1");
        QTRY_VERIFY_WITH_TIMEOUT(!bus || QAccessible::isActive(), 10000);
    }
    void init() {
        platform_ = std::make_unique<RecordingPlatform>();
        form_ = std::make_unique<MainForm>(*platform_);
        QVERIFY(form_->load());
        view_ = std::make_unique<FormView>(*form_, appIcon());
        platform_->setMainWindow(view_->window());
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_->window()));
        view_->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view_->window()));
    }
    void cleanup() {
        view_.reset();
        form_.reset();
        platform_.reset();
    }

    void windowAndControlsSitAtTheModelGeometry() {
        QWidget* window = view_->window();
        QCOMPARE(window->windowTitle(), QStringLiteral("ぴるての衝突"));
        QVERIFY((window->windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)) == 0);
        QCOMPARE(window->minimumSize(), window->maximumSize());

        const double ppt = view_->scale().pixelsPerTwip();
        const auto px = [ppt](double twips) { return static_cast<int>(qRound(twips * ppt)); };
        int windowed = 0;
        for (const Control* control : form_->allControls()) {
            if (const QWidget* shown = widget(*control); shown && control != &form_->main) {
                QCOMPARE(shown->geometry(), QRect(px(control->left()), px(control->top()),
                                                  px(control->width()), px(control->height())));
                ++windowed;
            }
        }
        QCOMPARE(windowed, 16); // 4 frames, work, 2 buttons, 6 scroll bars, 3 options

        for (const QChar ch : QStringLiteral("ぴるての衝突ｼﾐｭﾚｰｼｮﾝ速度当てられる距離")) {
            QVERIFY(QFontMetrics(view_->windowFont()).inFont(ch));
        }
    }

    void optionsAreExclusiveAndTimersDriveARunToItsResult() {
        for (const int chosen : {2, 0, 0}) { // a second click does not clear an option
            click(form_->sp[chosen]);
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(form_->sp[i].value(), i == chosen);
                QCOMPARE(button(form_->sp[i])->isChecked(), i == chosen);
            }
        }
        click(form_->start);               // fast, to keep the test short
        clickRightArrow(form_->T1mScroll); // disabled while running
        QCOMPARE(caption(form_->T1m), QStringLiteral("20"));

        QTRY_COMPARE_WITH_TIMEOUT(button(form_->start)->text(), QStringLiteral("クリア"), 60000);
        QCOMPARE(caption(form_->kekka), QStringLiteral("37.9cm"));
        QTRY_VERIFY(
            accessibleText(widget(form_->work), QAccessible::Description)
                .startsWith(QStringLiteral("結果：当てられるぴるての動いた距離は 37.9cm です。")));

        click(form_->start);
        click(form_->start); // a double click's second press starts no run
        QCOMPARE(button(form_->start)->text(), QStringLiteral("スタート"));
        QVERIFY(!view_->timerFor(form_->MAEtimer)->isActive());
        QVERIFY(!form_->kekka.visible());
        clickRightArrow(form_->T1mScroll);
        QCOMPARE(caption(form_->T1m), QStringLiteral("30"));
    }

    void keysPressButtonsAndEndMidRunWithStatus0() {
        focus(form_->start);
        press(Qt::Key_Space);
        QVERIFY(view_->timerFor(form_->MAEtimer)->isActive());
        focus(form_->Command1);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(form_->unloaded() && !view_->window()->isVisible());
        QCOMPARE(platform_->endStatuses, std::vector<int>{0});
        QVERIFY(platform_->messages.empty());
    }

    void errorInATickIsReportedOnceAndEndsWithStatus1() {
        form_->NAKAtimer.onTimer = [] { throw RunTimeError(RunTimeErrorCode::Overflow); };
        click(form_->sp[0]);
        click(form_->start);
        QTRY_VERIFY_WITH_TIMEOUT(form_->halted(), 60000);
        QTest::qWait(50);
        QCOMPARE(platform_->messages, QStringList{QStringLiteral(
                                          "ぴるての衝突\n実行時エラー '6':\n\n"
                                          "オーバーフローしました。\n\nプログラムを終了します。")});
        QCOMPARE(platform_->endStatuses, std::vector<int>{1});
        QCOMPARE(platform_->exitStatus(), 1);
    }

    void workPaintsEachFigureWhereTheModelSaysAtBothRatios() {
        const std::pair<Control*, QColor> figures[] = {{&form_->tamaA, QColor(0, 0, 255)},
                                                       {&form_->tamaB, QColor(255, 0, 0)},
                                                       {&form_->hako, QColor(0, 128, 0)}};
        for (const auto& [figure, colour] : figures) {
            for (Control* other : form_->work.children()) {
                other->setVisible(other == figure);
            }
            const QPointF centre =
                QRectF(figure->left(), figure->top(), figure->width(), figure->height()).center() *
                view_->scale().pixelsPerTwip();
            const QImage at1 = renderWork(1);
            const QImage at2 = renderWork(2);
            QCOMPARE(at1.pixelColor(centre.toPoint()), colour);
            QCOMPARE(at2.pixelColor((centre * 2).toPoint()), colour);
            const QRect box1 = inkBox(at1);
            QCOMPARE(inkBox(at2), QRect(box1.topLeft() * 2, box1.size() * 2));
        }
    }

    // Where the struck bob ends its run over the result, the digits keep
    // their colour and a light ring: the last frame with every figure equals,
    // on and just around the text's ink, the frame with the result alone.
    void resultStaysReadableOverTheStruckBob_data() {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("speed");
        QTest::newRow("640x480") << 9600.0f << 7200.0f << 1.0 << 1;
        QTest::newRow("1024x768 at 1.5") << 10240.0f << 7680.0f << 1.5 << 1;
        QTest::newRow("1024x768 at 2") << 7680.0f << 5760.0f << 2.0 << 1;
        QTest::newRow("1024x768 fast") << 15360.0f << 11520.0f << 1.0 << 0;
    }
    void resultStaysReadableOverTheStruckBob() {
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(qreal, ratio);
        QFETCH(int, speed);
        view_.reset();
        form_ = std::make_unique<MainForm>(*platform_);
        platform_->screen = ScreenSize{width, height};
        QVERIFY(form_->load());
        view_ = std::make_unique<FormView>(*form_, appIcon());
        Parameters defaults;
        defaults.speed = static_cast<Speed>(speed);
        applyParameters(*form_, defaults);
        QVERIFY(runExperiment(*form_));
        QCOMPARE(caption(form_->kekka), QStringLiteral("37.9cm"));
        const auto box = [&](const Control& c) {
            return QRectF(c.left(), c.top(), c.width(), c.height());
        };
        QVERIFY(box(form_->tamaB).intersects(box(form_->kekka))); // the case in question

        const QImage all = renderWork(ratio);
        for (Control* other : form_->work.children()) {
            other->setVisible(other == &form_->kekka);
        }
        const QImage alone = renderWork(ratio);
        const QRect text =
            QRectF(box(form_->kekka).topLeft() * view_->scale().pixelsPerTwip() * ratio,
                   box(form_->kekka).size() * view_->scale().pixelsPerTwip() * ratio)
                .toAlignedRect();
        const auto ink = [&](int x, int y) {
            return alone.rect().contains(x, y) && (alone.pixel(x, y) & 0xffffff) != 0xffffff;
        };
        int inkPixels = 0, covered = 0;
        for (int y = text.top() - 1; y <= text.bottom() + 1; ++y) {
            for (int x = text.left() - 1; x <= text.right() + 1; ++x) {
                bool near = false; // on the ink or one device pixel from it
                for (int d = 0; d < 9 && !near; ++d) {
                    near = ink(x + d % 3 - 1, y + d / 3 - 1);
                }
                if (!near) {
                    continue;
                }
                inkPixels += ink(x, y);
                const QColor want = alone.pixelColor(x, y), got = all.pixelColor(x, y);
                const bool bad = std::abs(want.red() - got.red()) > 48 ||
                                 std::abs(want.green() - got.green()) > 48 ||
                                 std::abs(want.blue() - got.blue()) > 48;
                covered += bad;
            }
        }
        QVERIFY(inkPixels > 20);
        QCOMPARE(covered, 0);
    }

    void aMoveRepaintsOnlyWhereTheFigureWasAndIs() {
        PaintSpy spy;
        QTest::qWait(50);
        widget(form_->work)->installEventFilter(&spy);
        const QRect was = view_->figureRect(form_->tamaA);
        form_->tamaA.setLeft(form_->tamaA.left() + 600);
        QTRY_VERIFY(!spy.painted.isEmpty());
        QCOMPARE(spy.painted, QRegion(was) + view_->figureRect(form_->tamaA));
    }

    void tabFollowsTheTabIndexAndKeysGoThroughTheModel() {
        std::map<int, QWidget*> order;
        for (const Control* control : form_->allControls()) {
            QWidget* shown = widget(*control);
            if (shown && shown != view_->window() && control->tabIndex >= 0 &&
                (shown->focusPolicy() & Qt::TabFocus) && shown->isVisible()) {
                order[control->tabIndex] = shown;
            }
        }
        QVERIFY(order.size() >= 11);
        order.begin()->second->setFocus(Qt::TabFocusReason);
        for (auto next = std::next(order.begin()); next != order.end(); ++next) {
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next->second);
        }

        // Masses 10..50 from 20, radii 8..14 from 10, the rail 10..40 from 30 shown as 50 less.
        const std::tuple<ScrollBar*, Qt::Key, const Control*, const char*> steps[] = {
            {&form_->T1mScroll, Qt::Key_Left, &form_->T1m, "10"},
            {&form_->T1mScroll, Qt::Key_End, &form_->T1m, "50"},
            {&form_->T2rScroll, Qt::Key_PageUp, &form_->T2r, "8"},
            {&form_->Hscroll, Qt::Key_Up, &form_->htext, "30"},
            {&form_->Hscroll, Qt::Key_Home, &form_->htext, "40"}};
        for (const auto& [model, key, label, shown] : steps) {
            focus(*model);
            press(key);
            QCOMPARE(caption(*label), QString::fromUtf8(shown));
            QCOMPARE(qobject_cast<QScrollBar*>(widget(*model))->value(), int(model->value()));
        }
    }

    void arrowsMoveThroughTheSpeedOptions() {
        focus(form_->sp[1]);
        for (const auto& [key, index] :
             {std::pair{Qt::Key_Right, 2}, {Qt::Key_Down, 0}, {Qt::Key_Left, 2}, {Qt::Key_Up, 1}}) {
            press(key);
            QCOMPARE(QApplication::focusWidget(), widget(form_->sp[index]));
            QVERIFY(form_->sp[index].value()); // the others are cleared, as by a click
        }
    }

    void controlsHaveJapaneseNamesAndSpeedsAreRadioButtons() {
        const std::vector<std::pair<const Control*, QString>> expected{
            {&form_->work, QStringLiteral("実験のようす")},
            {&form_->start, QStringLiteral("スタート")},
            {&form_->T1mScroll, QStringLiteral("当てるぴるての重さ (g)")},
            {&form_->T2mScroll, QStringLiteral("当てられるぴるての重さ (g)")},
            {&form_->T1rScroll, QStringLiteral("当てるぴるての半径 (mm)")},
            {&form_->T2rScroll, QStringLiteral("当てられるぴるての半径 (mm)")},
            {&form_->Hscroll, QStringLiteral("レールの高さ (cm)")},
            {&form_->Lscroll, QStringLiteral("ななめの長さ (cm)")}};
        for (const auto& [control, name] : expected) {
            QCOMPARE(accessibleText(widget(*control)), name);
        }
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* option =
                QAccessible::queryAccessibleInterface(widget(form_->sp[i]));
            QCOMPARE(option->text(QAccessible::Name), QStringLiteral("速中遅").at(i));
            QCOMPARE(option->role(), QAccessible::RadioButton);
        }
        const QString scene = accessibleText(widget(form_->work), QAccessible::Description);
        QVERIFY(scene.startsWith(caption(form_->subtitle1) + caption(form_->subtitle2)));
        QVERIFY(scene.contains(QStringLiteral("青い当てるぴるて（重さ 20 g、半径 10 mm）")));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
