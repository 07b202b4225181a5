// The real window on a display: geometry, mouse and keyboard input, QTimers
// driving a run, `work` painted at ratios 1 and 2, what a screen reader hears.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/application_look.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/twips_scale.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace shoutotsu;

namespace {

class RecordingPlatform : public QtPlatform {
  public:
    std::vector<QString> messages; // title and text of each
    std::vector<int> endStatuses;

  protected:
    void showErrorMessage(const QString& title, const QString& text) override {
        messages.push_back(title + QLatin1Char('\n') + text);
    }
    void endEventLoop(int status) override { endStatuses.push_back(status); }
};

// The centre of one part of a scroll bar: an arrow, the track, the thumb.
QPoint partOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

QString caption(const Control& control) { return QString::fromStdString(control.caption()); }
QString accessibleText(QWidget* widget, QAccessible::Text which = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(which);
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

// Counts the Change events of a scroll bar; what Change does still runs.
std::shared_ptr<int> countChanges(ScrollBar& bar) {
    auto count = std::make_shared<int>(0);
    bar.onChange = [count, change = bar.onChange] {
        ++*count;
        change();
    };
    return count;
}

// The descriptions told to a screen reader, widget by widget.
std::vector<std::pair<QObject*, QString>> toldDescriptions;
void recordEvent(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged && event->accessibleInterface()) {
        toldDescriptions.emplace_back(event->object(),
                                      event->accessibleInterface()->text(QAccessible::Description));
    }
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// The largest difference in any channel between two images of one size.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            for (const int shift : {0, 8, 16}) {
                largest = std::max(largest, std::abs(int((a.pixel(x, y) >> shift) & 0xff) -
                                                     int((b.pixel(x, y) >> shift) & 0xff)));
            }
        }
    }
    return largest;
}

// Exact up to the last bit an antialiased edge may leave on a full pixel.
bool isColor(const QImage& image, QPoint pixel, QColor expected) {
    const QColor actual = image.pixelColor(pixel);
    return std::abs(actual.red() - expected.red()) <= 2 &&
           std::abs(actual.green() - expected.green()) <= 2 &&
           std::abs(actual.blue() - expected.blue()) <= 2;
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
    QScrollBar* bar(const Control& c) const { return qobject_cast<QScrollBar*>(widget(c)); }
    QAbstractButton* button(const Control& c) const {
        return qobject_cast<QAbstractButton*>(widget(c));
    }
    void click(const Control& c) const {
        QTest::mouseClick(button(c), Qt::LeftButton, {}, button(c)->rect().center());
    }
    void clickPart(const Control& c, QStyle::SubControl part) const {
        QTest::mouseClick(bar(c), Qt::LeftButton, {}, partOf(bar(c), part));
    }
    void focus(const Control& c) {
        widget(c)->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), widget(c));
    }
    double pixelsPerTwip() const { return view_->scale().pixelsPerTwip(); }
    QImage renderWork(qreal ratio) {
        QImage image(widget(form_->work)->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        widget(form_->work)->render(&image);
        return image;
    }
    // Painted pixels outside every visible figure's repaint rectangle: they
    // would be left behind when the figure moves.
    int strayPixels() {
        QRegion figures;
        for (const Control* figure : form_->work.children()) {
            if (figure->visible()) {
                figures += view_->figureRect(*figure);
            }
        }
        int stray = 0;
        for (const int ratio : {1, 2}) {
            const QImage image = renderWork(ratio);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    stray += (image.pixel(x, y) & 0xffffff) != 0xffffff &&
                             !figures.contains(QPoint(x / ratio, y / ratio));
                }
            }
        }
        return stray;
    }

  private slots:
    void initTestCase() {
        RecordingPlatform platform;
        applyApplicationLook(MainForm(platform).main.font);
        if (qEnvironmentVariable("SHOUTOTSU_ACCESSIBILITY_BUS") == QLatin1String("1")) {
            // Qt finds the bus asynchronously, once its event loop runs.
            QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
        }
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
        toldDescriptions.clear();
        QAccessible::installUpdateHandler(&recordEvent);
    }
    void cleanup() {
        QAccessible::installUpdateHandler(nullptr);
        view_.reset();
        form_.reset();
        platform_.reset();
    }

    void windowAndControlsSitAtTheModelGeometry() {
        QWidget* window = view_->window();
        QCOMPARE(window->windowTitle(), QStringLiteral("ぴるての衝突"));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY((window->windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)) == 0);
        QCOMPARE(window->minimumSize(), window->maximumSize());

        const double ppt = pixelsPerTwip();
        const auto px = [ppt](double twips) { return static_cast<int>(std::lround(twips * ppt)); };
        const Control& main = form_->main;
        QCOMPARE(window->pos(), QPoint(px(main.left()), px(main.top())));
        QCOMPARE(window->size(), QSize(px(main.width() - 120), px(main.height() - 360)));
        int windowed = 0;
        for (const Control* control : form_->allControls()) {
            const QWidget* shown = widget(*control);
            if (control == &main || control->isWindowless() ||
                control->kind() == ControlKind::Timer) {
                QVERIFY2((shown != nullptr) == (control == &main), control->displayName().c_str());
                continue;
            }
            QVERIFY2(shown != nullptr, control->displayName().c_str());
            QVERIFY(shown->parentWidget() == widget(*control->container()));
            QCOMPARE(shown->geometry(), QRect(px(control->left()), px(control->top()),
                                              px(control->width()), px(control->height())));
            QCOMPARE(shown->isVisibleTo(window), control->visible());
            ++windowed;
        }
        QCOMPARE(windowed, 16); // 4 frames, work, 2 buttons, 6 scroll bars, 3 options
        QCOMPARE(bar(form_->Hscroll)->orientation(), Qt::Vertical);
        if (std::abs(ppt * 15 - 1) < 1e-9 && window->screen()->size() == QSize(1024, 768)) {
            // Worked out by hand from the twips, less the border and title bar.
            QCOMPARE(window->geometry(), QRect(26, 94, 965, 541));
            QCOMPARE(widget(form_->Command1)->geometry(), QRect(884, 16, 73, 25));
            QCOMPARE(widget(form_->sp[1])->geometry(), QRect(32, 32, 17, 12));
            QCOMPARE(widget(form_->Hscroll)->geometry(), QRect(8, 16, 17, 73));
        }

        const QFont labelFont = toQFont(form_->subtitle1.font, view_->windowFont());
        for (const QFont& font : {view_->windowFont(), labelFont}) {
            for (const QChar ch :
                 QStringLiteral("ぴるての衝突ｼﾐｭﾚｰｼｮﾝ速度当てられるものの動く距離")) {
                QVERIFY2(QFontMetrics(font).inFont(ch), qPrintable(QFontInfo(font).family()));
            }
        }
        QCOMPARE(QFontInfo(view_->windowFont()).pointSizeF(), 9.0);
        QCOMPARE(QFontInfo(labelFont).pointSizeF(), 12.0);
    }

    void mouseOnScrollBarsRaisesChangeAndOptionsAreExclusive() {
        clickPart(form_->T1mScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(caption(form_->T1m), QStringLiteral("30"));
        clickPart(form_->T1mScroll, QStyle::SC_ScrollBarSubPage);
        QCOMPARE(caption(form_->T1m), QStringLiteral("20"));
        for (int i = 0; i < 5; ++i) { // radii by 2 up to 14
            clickPart(form_->T2rScroll, QStyle::SC_ScrollBarAddLine);
        }
        QCOMPARE(caption(form_->T2r), QStringLiteral("14"));
        // The rail bar is vertical, its minimum at the top: the lower arrow lowers the rail.
        clickPart(form_->Hscroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(caption(form_->htext), QStringLiteral("10"));

        // A thumb held and dragged changes nothing until it is let go.
        QScrollBar* slope = bar(form_->Lscroll);
        const QPoint thumb = partOf(slope, QStyle::SC_ScrollBarSlider);
        const QPoint nearEnd = partOf(slope, QStyle::SC_ScrollBarAddLine) - QPoint(12, 0);
        QTest::mousePress(slope, Qt::LeftButton, {}, thumb);
        QTest::mouseMove(slope, (thumb + nearEnd) / 2);
        QTest::mouseMove(slope, nearEnd);
        QCOMPARE(int(form_->Lscroll.value()), 70);
        QCOMPARE(caption(form_->ltext), QStringLiteral("60"));
        QTest::mouseRelease(slope, Qt::LeftButton, {}, nearEnd);
        QVERIFY(form_->Lscroll.value() > 70);
        QCOMPARE(slope->value(), int(form_->Lscroll.value()));
        QCOMPARE(caption(form_->ltext), QString::number(130 - form_->Lscroll.value()));

        for (const int chosen : {0, 0, 2}) { // a second click does not clear an option
            click(form_->sp[chosen]);
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(form_->sp[i].value(), i == chosen);
                QCOMPARE(button(form_->sp[i])->isChecked(), i == chosen);
            }
        }
    }

    void timersDriveARunThatEndsOnScreenAsPaintedAfresh() {
        click(form_->sp[0]); // fast, to keep the test short
        click(form_->start);
        QVERIFY(!button(form_->start)->isVisible());
        for (ScrollBar* model : form_->parameterScrollBars()) {
            QVERIFY(!bar(*model)->isEnabled());
        }
        clickPart(form_->T1mScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(caption(form_->T1m), QStringLiteral("20"));

        QTRY_COMPARE_WITH_TIMEOUT(button(form_->start)->text(), QStringLiteral("クリア"), 60000);
        QCOMPARE(caption(form_->kekka), QStringLiteral("37.9cm"));
        QVERIFY(button(form_->start)->isVisible() && form_->kekka.visible());
        for (Timer* timer : form_->phaseTimers()) {
            QVERIFY(!view_->timerFor(*timer)->isActive());
        }

        // Painted tick by tick, the screen shows what painting afresh gives.
        QCOMPARE(strayPixels(), 0);
        QWidget* work = widget(form_->work);
        const QImage fresh = work->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto onScreen = [work] {
            const QPoint at = work->mapTo(work->window(), QPoint(0, 0));
            return work->screen()
                ->grabWindow(work->window()->winId(), at.x(), at.y(), work->width(), work->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        if (!onScreen().isNull()) {
            QTRY_VERIFY_WITH_TIMEOUT(onScreen() == fresh, 5000);
        }

        click(form_->start);
        QCOMPARE(button(form_->start)->text(), QStringLiteral("スタート"));
        QVERIFY(!form_->kekka.visible() && !form_->en.visible());
        clickPart(form_->T1mScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(caption(form_->T1m), QStringLiteral("30"));
    }

    void errorInATickIsReportedOnceAndEndsWithStatus1() {
        form_->NAKAtimer.onTimer = [] { throw RunTimeError(RunTimeErrorCode::Overflow); };
        click(form_->sp[0]);
        click(form_->start);
        QTRY_VERIFY_WITH_TIMEOUT(form_->halted(), 60000);
        QTest::qWait(50);
        click(form_->Command1); // nothing reaches the form any more
        QVERIFY(!form_->unloaded());
        QCOMPARE(platform_->messages,
                 std::vector<QString>{QStringLiteral(
                     "ぴるての衝突\n実行時エラー '6':\n\nオーバーフローしました。\n\n"
                     "プログラムを終了します。")});
        QCOMPARE(platform_->endStatuses, std::vector<int>{1});
        QCOMPARE(platform_->exitStatus(), 1);
    }

    void workPaintsTheSceneWhereTheModelSays_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << qreal(1);
        QTest::newRow("2x") << qreal(2);
    }
    void workPaintsTheSceneWhereTheModelSays() {
        QFETCH(qreal, ratio);
        const QImage image = renderWork(ratio);
        const double scale = pixelsPerTwip() * ratio;
        const auto at = [scale](const Control& figure, double across, double down) {
            return QPoint(static_cast<int>((figure.left() + figure.width() * across) * scale),
                          static_cast<int>((figure.top() + figure.height() * down) * scale));
        };
        const QColor white(255, 255, 255);
        QVERIFY(isColor(image, QPoint(2, 2), white));
        QVERIFY(isColor(image, at(form_->tamaA, 0.5, 0.5), QColor(0, 0, 255)));
        QVERIFY(isColor(image, at(form_->tamaA, 0.05, 0.05), white)); // a circle, not a box
        QVERIFY(isColor(image, at(form_->tamaB, 0.5, 0.5), QColor(255, 0, 0)));
        QVERIFY(isColor(image, at(form_->hako, 0.5, 0.5), QColor(0, 128, 0)));

        // The hidden landing marker is not painted until shown.
        form_->en.setLeft(form_->work.width() * 3 / 4);
        form_->en.setTop(form_->work.height() / 4);
        QCOMPARE(renderWork(ratio), image);
        form_->en.setVisible(true);
        QVERIFY(renderWork(ratio) != image);
    }

    void atRatio2EachFigureKeepsItsGeometryDrawnFiner() {
        // Drawn afresh, not the picture at ratio 1 enlarged.
        const QImage scene1 = renderWork(1);
        QVERIFY(renderWork(2) != scene1.scaled(scene1.size() * 2));

        // Each figure alone: a shape covers exactly the doubled pixels, a
        // line may differ by one at its round caps; averaged, the finer
        // picture is the coarser up to antialiasing (an edge moved by half a
        // pixel differs by about half the contrast).
        const std::vector<Control*> figures(form_->work.children().begin(),
                                            form_->work.children().end());
        for (Control* figure : figures) {
            if (figure->kind() == ControlKind::Label) {
                continue; // text is laid out anew for each ratio
            }
            for (Control* other : figures) {
                other->setVisible(other == figure);
            }
            const QImage at1 = renderWork(1);
            const QImage at2 = renderWork(2);
            const QRect box1 = inkBox(at1);
            const QRect box2 = inkBox(at2);
            const QByteArray name = QByteArray::fromStdString(figure->displayName());
            const int slack = figure->kind() == ControlKind::Shape ? 0 : 1;
            QVERIFY2(!box1.isEmpty(), name);
            QVERIFY2(std::abs(box2.left() - 2 * box1.left()) <= slack &&
                         std::abs(box2.top() - 2 * box1.top()) <= slack &&
                         std::abs(box2.right() - 2 * box1.right() - 1) <= slack &&
                         std::abs(box2.bottom() - 2 * box1.bottom() - 1) <= slack,
                     name);
            const QImage halved =
                at2.scaled(at1.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY2(largestDifference(at1, halved) <= 100, name);
        }
    }

    void aMoveRepaintsOnlyWhereTheFigureWasAndIs() {
        QCOMPARE(strayPixels(), 0);
        PaintSpy spy;
        QTest::qWait(50);
        widget(form_->work)->installEventFilter(&spy);
        const QRect was = view_->figureRect(form_->tamaA);
        form_->tamaA.setLeft(form_->tamaA.left() + 600);
        QTRY_VERIFY(!spy.painted.isEmpty());
        QCOMPARE(spy.painted, QRegion(was) + view_->figureRect(form_->tamaA));
    }

    void controlsHaveJapaneseNamesAndSpeedsAreRadioButtons() {
        const std::vector<std::pair<const Control*, QString>> expected{
            {&form_->work, QStringLiteral("実験のようす")},
            {&form_->Command1, QStringLiteral("おわる")},
            {&form_->start, QStringLiteral("スタート")},
            {&form_->T1mScroll, QStringLiteral("当てるぴるての重さ (g)")},
            {&form_->T2mScroll, QStringLiteral("当てられるぴるての重さ (g)")},
            {&form_->T1rScroll, QStringLiteral("当てるぴるての半径 (mm)")},
            {&form_->T2rScroll, QStringLiteral("当てられるぴるての半径 (mm)")},
            {&form_->Hscroll, QStringLiteral("レールの高さ (cm)")},
            {&form_->Lscroll, QStringLiteral("ななめの長さ (cm)")},
            {&form_->sp[0], QStringLiteral("速")},
            {&form_->sp[1], QStringLiteral("中")},
            {&form_->sp[2], QStringLiteral("遅")},
        };
        for (const auto& [control, name] : expected) {
            QCOMPARE(accessibleText(widget(*control)), name);
        }
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* option =
                QAccessible::queryAccessibleInterface(widget(form_->sp[i]));
            QCOMPARE(option->role(), QAccessible::RadioButton);
            QCOMPARE(bool(option->state().checked), i == 1);
        }

        // Height and slope are shown counted from the other end of their bars.
        QCOMPARE(accessibleText(widget(form_->Hscroll), QAccessible::Description),
                 QStringLiteral("20 cm"));
        QCOMPARE(accessibleText(widget(form_->Lscroll), QAccessible::Description),
                 QStringLiteral("60 cm"));
        const QString scene = accessibleText(widget(form_->work), QAccessible::Description);
        QVERIFY(scene.startsWith(caption(form_->subtitle1) + caption(form_->subtitle2)));
        for (const char* part :
             {"青い当てるぴるて（重さ 20 g、半径 10 mm）", "高さ 20 cm、ななめの長さ 60 cm",
              "赤い当てられるぴるて（重さ 20 g、半径 10 mm）"}) {
            QVERIFY2(scene.contains(QString::fromUtf8(part)), part);
        }
    }

    void aRunFromTheKeyboardTellsItsResultOnce() {
        QWidget* work = widget(form_->work);
        QWidget* start = widget(form_->start);
        focus(form_->sp[1]);
        press(Qt::Key_Left); // fast
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Tab, Qt::ShiftModifier); // back past the two rail bars
        }
        QCOMPARE(QApplication::focusWidget(), start);
        press(Qt::Key_Return);

        QTRY_COMPARE_WITH_TIMEOUT(caption(form_->start), QStringLiteral("クリア"), 60000);
        const QString result = QStringLiteral("結果：当てられるぴるての動いた距離は 37.9cm です。");
        QTRY_VERIFY(accessibleText(work, QAccessible::Description).startsWith(result));
        QCOMPARE(accessibleText(start), QStringLiteral("クリア"));
        if (QAccessible::isActive()) { // told once, never with the label's text from before
            QCOMPARE(std::count_if(toldDescriptions.begin(), toldDescriptions.end(),
                                   [work](const auto& told) { return told.first == work; }),
                     1);
            QVERIFY(toldDescriptions.back().second.startsWith(result));
        }

        focus(form_->start);
        press(Qt::Key_Space);
        QCOMPARE(caption(form_->start), QStringLiteral("スタート"));
        QTRY_VERIFY(
            !accessibleText(work, QAccessible::Description).contains(QStringLiteral("結果")));
    }

    void tabFollowsTheTabIndex() {
        std::vector<const Control*> order;
        for (const Control* control : form_->allControls()) {
            const QWidget* shown = widget(*control);
            if (shown != nullptr && shown != view_->window() && control->tabIndex >= 0 &&
                (shown->focusPolicy() & Qt::TabFocus) && shown->isVisible()) {
                order.push_back(control);
            }
        }
        std::sort(order.begin(), order.end(),
                  [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
        QVERIFY(order.size() >= 11);
        QCOMPARE(order.front(), static_cast<const Control*>(&form_->work));
        focus(*order.front());
        for (size_t i = 1; i < order.size(); ++i) {
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget(*order[i]));
        }
    }

    void buttonsPressedMidRunEndWithStatus0_data() {
        QTest::addColumn<int>("key"); // 0: a mouse click
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("click") << 0 << Qt::KeyboardModifiers();
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void buttonsPressedMidRunEndWithStatus0() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        const auto activate = [&](const Control& button) {
            focus(button);
            key == 0 ? click(button) : press(key, modifiers);
        };
        focus(form_->start);
        press(Qt::Key_A);
        QVERIFY(form_->start.visible());
        activate(form_->start);
        QVERIFY(view_->timerFor(form_->MAEtimer)->isActive());
        activate(form_->Command1);
        QVERIFY(form_->unloaded() && !view_->window()->isVisible());
        QCOMPARE(platform_->endStatuses, std::vector<int>{0});
        for (Timer* timer : form_->phaseTimers()) {
            QVERIFY(!view_->timerFor(*timer)->isActive());
        }
        QVERIFY(platform_->messages.empty());
    }

    void keysMoveScrollBarsAndRaiseChange_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        // Masses 10..50 by 10 from 20, page 10; radii 8..14 by 2 from 10; the
        // vertical rail bar 10..40 by 10 from 30, minimum at the top.
        QTest::newRow("mass Left") << "T1mScroll" << int(Qt::Key_Left) << 10;
        QTest::newRow("mass Right") << "T1mScroll" << int(Qt::Key_Right) << 30;
        QTest::newRow("mass PageDown") << "T1mScroll" << int(Qt::Key_PageDown) << 30;
        QTest::newRow("mass Home") << "T1mScroll" << int(Qt::Key_Home) << 10;
        QTest::newRow("radius Down") << "T2rScroll" << int(Qt::Key_Down) << 12;
        QTest::newRow("radius PageUp") << "T2rScroll" << int(Qt::Key_PageUp) << 8;
        QTest::newRow("height Up") << "Hscroll" << int(Qt::Key_Up) << 20;
        QTest::newRow("height Left") << "Hscroll" << int(Qt::Key_Left) << 20;
        QTest::newRow("height End") << "Hscroll" << int(Qt::Key_End) << 40;
    }
    void keysMoveScrollBarsAndRaiseChange() {
        QFETCH(QString, bar);
        QFETCH(int, key);
        QFETCH(int, expected);
        ScrollBar& model = static_cast<ScrollBar&>(*form_->find(bar.toStdString()));
        const auto changes = countChanges(model);
        focus(model);
        press(key);
        QCOMPARE(int(model.value()), expected);
        QCOMPARE(this->bar(model)->value(), expected);
        QCOMPARE(*changes, 1);
        if (key == Qt::Key_Home || key == Qt::Key_End) {
            press(key);
            QCOMPARE(*changes, 1); // at an end, no new Change
        }
    }

    void screenReaderValuesGoThroughTheForm() {
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(bar(form_->T1mScroll))->valueInterface();
        value->setCurrentValue(40);
        QCOMPARE(caption(form_->T1m), QStringLiteral("40"));
        QTRY_COMPARE(accessibleText(bar(form_->T1mScroll), QAccessible::Description),
                     QStringLiteral("40 g"));
    }

    void arrowsMoveThroughTheSpeedOptions() {
        focus(form_->sp[1]);
        const std::vector<std::pair<int, int>> steps{
            {Qt::Key_Right, 2}, {Qt::Key_Right, 0}, {Qt::Key_Down, 1},
            {Qt::Key_Left, 0},  {Qt::Key_Up, 2},    {Qt::Key_Space, 2},
        };
        for (const auto& [key, index] : steps) {
            press(key);
            QCOMPARE(QApplication::focusWidget(), widget(form_->sp[index]));
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(form_->sp[i].value(), i == index);
                QCOMPARE(button(form_->sp[i])->isChecked(), i == index);
            }
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
