// The real window on a real display: widgets where the model puts them, user
// input through Qt reaching the form, QTimers driving a whole run, and the
// picture box painting the scene where the model says.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/twips_scale.h"
#include "tests/gui/window_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <vector>

using namespace shoutotsu;

namespace {

QString captionOf(const Control& control) { return QString::fromStdString(control.caption()); }

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

// The largest difference in any channel between an image drawn at ratio 1
// and one drawn at ratio 2 brought down to ratio 1 by averaging each 2×2
// block: small where both show the same geometry and only antialiasing
// differs, about half the contrast where an edge moved by half a pixel.
int largestDifferenceAfterHalving(const QImage& at1, const QImage& at2) {
    int largest = 0;
    for (int y = 0; y < at1.height(); ++y) {
        for (int x = 0; x < at1.width(); ++x) {
            const QRgb one = at1.pixel(x, y);
            int sum[3] = {0, 0, 0};
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb two = at2.pixel(2 * x + d.x(), 2 * y + d.y());
                sum[0] += qRed(two);
                sum[1] += qGreen(two);
                sum[2] += qBlue(two);
            }
            largest = std::max({largest, std::abs(qRed(one) - (sum[0] + 2) / 4),
                                std::abs(qGreen(one) - (sum[1] + 2) / 4),
                                std::abs(qBlue(one) - (sum[2] + 2) / 4)});
        }
    }
    return largest;
}

// The largest difference in any channel between two images of one size.
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 256;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// The 2×2 blocks of an image that are not one colour. An image enlarged from
// half its size has none.
int mixedBlocks(const QImage& image) {
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb first = image.pixel(x, y);
            if (image.pixel(x + 1, y) != first || image.pixel(x, y + 1) != first ||
                image.pixel(x + 1, y + 1) != first) {
                ++mixed;
            }
        }
    }
    return mixed;
}

// Exact up to the last bit an antialiased edge may leave on a full pixel.
bool isColor(const QImage& image, QPoint pixel, QColor expected) {
    const QRgb actual = image.pixel(pixel);
    return std::abs(qRed(actual) - expected.red()) <= 2 &&
           std::abs(qGreen(actual) - expected.green()) <= 2 &&
           std::abs(qBlue(actual) - expected.blue()) <= 2;
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RecordingPlatform> platform_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<FormView> view_;

    double pixelsPerTwip() const { return view_->scale().pixelsPerTwip(); }
    QScrollBar* bar(ScrollBar& model) { return qobject_cast<QScrollBar*>(view_->widgetFor(model)); }
    QAbstractButton* button(Control& model) {
        return qobject_cast<QAbstractButton*>(view_->widgetFor(model));
    }
    void click(Control& model) {
        QAbstractButton* widget = button(model);
        QVERIFY(widget != nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }
    void clickBarPart(ScrollBar& model, QStyle::SubControl part) {
        QScrollBar* widget = bar(model);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, scrollBarPart(widget, part));
    }
    QImage renderWork(qreal devicePixelRatio) {
        QWidget* work = view_->widgetFor(form_->work);
        QImage image(work->size() * devicePixelRatio, QImage::Format_RGB32);
        image.setDevicePixelRatio(devicePixelRatio);
        image.fill(Qt::black);
        work->render(&image);
        return image;
    }
    // The device pixel at the centre of a figure's box.
    QPoint centreOf(const Control& figure, qreal devicePixelRatio) const {
        const double scale = pixelsPerTwip() * devicePixelRatio;
        return QPoint(static_cast<int>((figure.left() + figure.width() / 2) * scale),
                      static_cast<int>((figure.top() + figure.height() / 2) * scale));
    }

  private slots:
    void initTestCase() {
        if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(style);
        }
        RecordingPlatform platform;
        MainForm probe(platform);
        installJapaneseFonts(probe.main.font);
    }

    void init() {
        platform_ = std::make_unique<RecordingPlatform>();
        form_ = std::make_unique<MainForm>(*platform_);
        QVERIFY(form_->load());
        view_ = std::make_unique<FormView>(*form_, appIcon());
        platform_->setMainWindow(view_->window());
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_->window()));
    }

    void cleanup() {
        view_.reset();
        form_.reset();
        platform_.reset();
    }

    void windowHasTheModelsTitleSizeAndPlace() {
        QWidget* window = view_->window();
        QCOMPARE(window->windowTitle(), QStringLiteral("ぴるての衝突"));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY((window->windowFlags() & Qt::WindowMaximizeButtonHint) == 0);
        QVERIFY((window->windowFlags() & Qt::WindowMinimizeButtonHint) == 0);
        QCOMPARE(window->minimumSize(), window->maximumSize());

        const Control& main = form_->main;
        const double ppt = pixelsPerTwip();
        QCOMPARE(window->size(), QSize(static_cast<int>(std::lround((main.width() - 120) * ppt)),
                                       static_cast<int>(std::lround((main.height() - 360) * ppt))));
        QCOMPARE(window->pos(), QPoint(static_cast<int>(std::lround(main.left() * ppt)),
                                       static_cast<int>(std::lround(main.top() * ppt))));
        if (std::abs(ppt * 15 - 1) < 1e-9 &&
            QGuiApplication::primaryScreen()->size() == QSize(1024, 768)) {
            // 1024×768 at 96 dpi: the outer rectangle 14592 × 8467.8 twips at
            // (384, 1406.1) less the border and title bar.
            QCOMPARE(window->geometry(), QRect(26, 94, 965, 541));
        }
    }

    void screenShowsTheWindowAtItsDeviceRatio() {
        // Run at a device pixel ratio of 2 (QT_SCALE_FACTOR=2), the screen
        // holds twice as many pixels each way, drawn at that ratio and not
        // enlarged.
        QWidget* window = view_->window();
        const qreal ratio = window->devicePixelRatioF();
        if (qEnvironmentVariableIsSet("SHOUTOTSU_EXPECT_DEVICE_RATIO")) {
            QCOMPARE(ratio, qEnvironmentVariable("SHOUTOTSU_EXPECT_DEVICE_RATIO").toDouble());
        }
        const QImage shown =
            window->windowHandle()->screen()->grabWindow(window->winId()).toImage();
        if (shown.isNull()) {
            QSKIP("this display cannot be read back");
        }
        QCOMPARE(shown.size(), window->size() * ratio);
        if (ratio == 2) {
            QVERIFY(mixedBlocks(shown) > 0);
        }
    }

    void windowedControlsSitAtTheModelGeometry() {
        const double ppt = pixelsPerTwip();
        int checked = 0;
        for (const Control* control : form_->allControls()) {
            if (control == &form_->main) {
                QCOMPARE(view_->widgetFor(*control), view_->window());
                continue;
            }
            if (control->isWindowless() || control->kind() == ControlKind::Timer) {
                QVERIFY2(view_->widgetFor(*control) == nullptr, control->displayName().c_str());
                continue;
            }
            const QWidget* widget = view_->widgetFor(*control);
            QVERIFY2(widget != nullptr, control->displayName().c_str());
            QVERIFY(widget->parentWidget() == view_->widgetFor(*control->container()));
            const QRect expected(static_cast<int>(std::lround(control->left() * ppt)),
                                 static_cast<int>(std::lround(control->top() * ppt)),
                                 static_cast<int>(std::lround(control->width() * ppt)),
                                 static_cast<int>(std::lround(control->height() * ppt)));
            QCOMPARE(widget->geometry(), expected);
            QCOMPARE(widget->isVisibleTo(view_->window()), control->visible());
            ++checked;
        }
        QCOMPARE(checked, 16); // 4 frames, work, 2 buttons, 6 scroll bars, 3 options
        if (std::abs(ppt * 15 - 1) < 1e-9 &&
            QGuiApplication::primaryScreen()->size() == QSize(1024, 768)) {
            QCOMPARE(view_->widgetFor(form_->Command1)->geometry(), QRect(884, 16, 73, 25));
            QCOMPARE(view_->widgetFor(form_->sp[1])->geometry(), QRect(32, 32, 17, 12));
            QCOMPARE(view_->widgetFor(form_->Hscroll)->geometry(), QRect(8, 16, 17, 73));
        }
        QCOMPARE(qobject_cast<QScrollBar*>(view_->widgetFor(form_->Hscroll))->orientation(),
                 Qt::Vertical);
        QCOMPARE(button(form_->start)->text(), QStringLiteral("スタート"));
        QCOMPARE(button(form_->Command1)->text(), QStringLiteral("おわる"));
        QCOMPARE(qobject_cast<QGroupBox*>(view_->widgetFor(form_->SPFrame))->title(),
                 QStringLiteral("ｼﾐｭﾚｰｼｮﾝ速度"));
    }

    void japaneseTextHasAGothicFace() {
        // Every caption the window shows must come from a face that has the
        // glyphs, or the learner sees boxes.
        const QString sample = QStringLiteral("ぴるての衝突ｼﾐｭﾚｰｼｮﾝ速度当てられるものの動く距離");
        const FontSpec stated = form_->subtitle1.font;
        for (const QFont& font : {view_->windowFont(), toQFont(stated, view_->windowFont())}) {
            const QFontMetrics metrics(font);
            for (const QChar ch : sample) {
                QVERIFY2(metrics.inFont(ch), qPrintable(QFontInfo(font).family()));
            }
        }
        QCOMPARE(QFontInfo(view_->windowFont()).pointSizeF(), 9.0);
        QCOMPARE(QFontInfo(toQFont(stated, view_->windowFont())).pointSizeF(), 12.0);
        QVERIFY(!QFontInfo(view_->windowFont()).fixedPitch());
    }

    void tabKeyFollowsTheTabIndex() {
        QWidget* window = view_->window();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) {
            QSKIP("the display gives the window no keyboard focus");
        }
        std::vector<const Control*> expected;
        for (const Control* control : form_->allControls()) {
            QWidget* widget = view_->widgetFor(*control);
            if (widget != nullptr && widget != window && control->tabIndex >= 0 &&
                (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible()) {
                expected.push_back(control);
            }
        }
        std::sort(expected.begin(), expected.end(),
                  [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
        QVERIFY(expected.size() >= 11); // work, 2 buttons, 6 bars, 3 options (start shown)
        QCOMPARE(expected.front(), static_cast<const Control*>(&form_->work));

        view_->widgetFor(*expected.front())->setFocus(Qt::OtherFocusReason);
        for (size_t i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), view_->widgetFor(*expected[i]));
        }
    }

    void scrollBarArrowsTrackAndEndsRaiseChange() {
        ScrollBar& mass = form_->T1mScroll;
        clickBarPart(mass, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(int(mass.value()), 30);
        QCOMPARE(captionOf(form_->T1m), QStringLiteral("30"));
        QCOMPARE(bar(mass)->value(), 30);

        clickBarPart(mass, QStyle::SC_ScrollBarSubPage);
        QCOMPARE(int(mass.value()), 20);
        QCOMPARE(captionOf(form_->T1m), QStringLiteral("20"));

        // Radii move in steps of 2 and stop at 14.
        ScrollBar& radius = form_->T2rScroll;
        for (int i = 0; i < 5; ++i) {
            clickBarPart(radius, QStyle::SC_ScrollBarAddLine);
        }
        QCOMPARE(int(radius.value()), 14);
        QCOMPARE(captionOf(form_->T2r), QStringLiteral("14"));
        QCOMPARE(bar(radius)->value(), 14);

        // The vertical bar has its minimum at the top: the lower arrow raises
        // the value and so lowers the rail.
        clickBarPart(form_->Hscroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(int(form_->Hscroll.value()), 40);
        QCOMPARE(captionOf(form_->htext), QStringLiteral("10"));

        // Keyboard: Home goes to the minimum.
        QScrollBar* slope = bar(form_->Lscroll);
        slope->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(slope, Qt::Key_Home);
        QCOMPARE(int(form_->Lscroll.value()), 50);
        QCOMPARE(captionOf(form_->ltext), QStringLiteral("80"));
    }

    void wheelMovesByArrowSteps() {
        QScrollBar* widget = bar(form_->T1rScroll);
        const QPoint centre = widget->rect().center();
        QWheelEvent down(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &down);
        QCOMPARE(int(form_->T1rScroll.value()), 12);
        QCOMPARE(widget->value(), 12);
        QCOMPARE(captionOf(form_->T1r), QStringLiteral("12"));
    }

    void thumbDragChangesTheValueOnRelease() {
        ScrollBar& slope = form_->Lscroll;
        QScrollBar* widget = bar(slope);
        const QPoint thumb = scrollBarPart(widget, QStyle::SC_ScrollBarSlider);
        const QPoint nearEnd = scrollBarPart(widget, QStyle::SC_ScrollBarAddLine) - QPoint(12, 0);
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, thumb);
        QTest::mouseMove(widget, (thumb + nearEnd) / 2);
        QTest::mouseMove(widget, nearEnd);
        QCOMPARE(int(slope.value()), 70); // held: nothing changes yet
        QCOMPARE(captionOf(form_->ltext), QStringLiteral("60"));
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, nearEnd);
        QVERIFY(slope.value() > 70);
        QCOMPARE(widget->value(), int(slope.value()));
        QCOMPARE(captionOf(form_->ltext), QString::number(130 - slope.value()));
    }

    void optionButtonsAreExclusive() {
        auto checked = [this] {
            return QVector<bool>{button(form_->sp[0])->isChecked(),
                                 button(form_->sp[1])->isChecked(),
                                 button(form_->sp[2])->isChecked()};
        };
        QCOMPARE(checked(), (QVector<bool>{false, true, false}));
        click(form_->sp[0]);
        QCOMPARE(checked(), (QVector<bool>{true, false, false}));
        QVERIFY(form_->sp[0].value() && !form_->sp[1].value() && !form_->sp[2].value());
        click(form_->sp[0]); // a second click does not clear it
        QCOMPARE(checked(), (QVector<bool>{true, false, false}));
        QVERIFY(form_->sp[0].value());
        click(form_->sp[2]);
        QCOMPARE(checked(), (QVector<bool>{false, false, true}));
        QVERIFY(!form_->sp[0].value() && !form_->sp[1].value() && form_->sp[2].value());
    }

    void timersDriveAWholeRunAndClearPutsItBack() {
        click(form_->sp[0]); // fast, to keep the test short
        click(form_->start);

        QVERIFY(!button(form_->start)->isVisible());
        for (ScrollBar* model : form_->parameterScrollBars()) {
            QVERIFY(!bar(*model)->isEnabled());
        }
        QTimer* descent = view_->timerFor(form_->MAEtimer);
        QVERIFY(descent->isActive());
        QCOMPARE(descent->interval(), 10);
        QCOMPARE(descent->timerType(), Qt::PreciseTimer);

        // A disabled bar takes no input.
        clickBarPart(form_->T1mScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(int(form_->T1mScroll.value()), 20);
        QCOMPARE(captionOf(form_->T1m), QStringLiteral("20"));

        QTRY_COMPARE_WITH_TIMEOUT(captionOf(form_->start), QStringLiteral("クリア"), 60000);
        QCOMPARE(captionOf(form_->kekka), QStringLiteral("37.9cm"));
        QVERIFY(form_->kekka.visible() && form_->en.visible());
        QVERIFY(button(form_->start)->isVisible());
        QCOMPARE(button(form_->start)->text(), QStringLiteral("クリア"));
        for (Timer* timer : form_->phaseTimers()) {
            QVERIFY(!view_->timerFor(*timer)->isActive());
        }

        click(form_->start);
        QCOMPARE(button(form_->start)->text(), QStringLiteral("スタート"));
        QVERIFY(!form_->kekka.visible() && !form_->en.visible());
        for (ScrollBar* model : form_->parameterScrollBars()) {
            QVERIFY(bar(*model)->isEnabled());
        }
        clickBarPart(form_->T1mScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(int(form_->T1mScroll.value()), 30);
    }

    void workPaintsTheSceneWhereTheModelSays_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << qreal(1);
        QTest::newRow("2x") << qreal(2);
    }

    void workPaintsTheSceneWhereTheModelSays() {
        QFETCH(qreal, ratio);
        const QImage image = renderWork(ratio);
        const QColor white(255, 255, 255);
        QVERIFY(isColor(image, QPoint(2, 2), white));
        QVERIFY(isColor(image, centreOf(form_->tamaA, ratio), QColor(0, 0, 255)));
        QVERIFY(isColor(image, centreOf(form_->tamaB, ratio), QColor(255, 0, 0)));
        QVERIFY(isColor(image, centreOf(form_->hako, ratio), QColor(0, 128, 0)));

        // A circle leaves the corners of its box empty.
        const double scale = pixelsPerTwip() * ratio;
        const QPoint corner(static_cast<int>(form_->tamaA.left() * scale) + 1,
                            static_cast<int>(form_->tamaA.top() * scale) + 1);
        QVERIFY(isColor(image, corner, white));

        // The level floor line is exactly one logical pixel of pure black,
        // on the device grid at either ratio, with white right above it
        // (right of the table, where nothing else stands on the floor).
        const int column = static_cast<int>(form_->yukaA.x2() * scale) - 40;
        const int lineRow = static_cast<int>(form_->yukaA.y1() * scale);
        int first = lineRow - 4 * static_cast<int>(ratio);
        while (first < image.height() && isColor(image, QPoint(column, first), white)) {
            ++first;
        }
        QVERIFY(std::abs(first - lineRow) <= static_cast<int>(ratio));
        for (int row = first; row < first + static_cast<int>(ratio); ++row) {
            QVERIFY(isColor(image, QPoint(column, row), QColor(0, 0, 0)));
        }

        // Hidden figures are not painted: showing the landing marker
        // changes the picture.
        QVERIFY(!form_->en.visible());
        form_->en.setLeft(form_->work.width() * 3 / 4);
        form_->en.setTop(form_->work.height() / 4);
        const QImage hidden = renderWork(ratio);
        form_->en.setVisible(true);
        const QImage withMarker = renderWork(ratio);
        form_->en.setVisible(false);
        QVERIFY(withMarker != hidden);
        QCOMPARE(hidden, image);
    }

    void eachFigureHasTheSameGeometryAtRatio2() {
        // Each figure alone, drawn at ratio 1 and at ratio 2. A shape covers
        // at 2 exactly the device pixels it covers at 1, doubled; a line may
        // differ by one device pixel at its round caps, which end inside a
        // pixel at ratio 1. Halving the finer picture gives the coarser one
        // up to antialiasing; an edge that moved by half a logical pixel
        // differs by about half the contrast.
        constexpr int kAntialiasingTolerance = 100;
        const std::vector<Control*> figures(form_->work.children().begin(),
                                            form_->work.children().end());
        std::map<Control*, bool> shown;
        for (Control* figure : figures) {
            shown[figure] = figure->visible();
        }
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
            const QRect doubled(box1.topLeft() * 2, box1.size() * 2);
            const QByteArray name = QByteArray::fromStdString(figure->displayName());
            QVERIFY2(!box1.isEmpty(), name);
            if (figure->kind() == ControlKind::Shape) {
                QVERIFY2(box2 == doubled, name);
            } else {
                const QMargins apart(std::abs(box2.left() - doubled.left()),
                                     std::abs(box2.top() - doubled.top()),
                                     std::abs(box2.right() - doubled.right()),
                                     std::abs(box2.bottom() - doubled.bottom()));
                QVERIFY2(apart.left() <= 1 && apart.top() <= 1 && apart.right() <= 1 &&
                             apart.bottom() <= 1,
                         name);
            }
            QVERIFY2(largestDifferenceAfterHalving(at1, at2) <= kAntialiasingTolerance, name);
        }
        for (Control* figure : figures) {
            figure->setVisible(shown[figure]);
        }
    }

    void everyControlIsDrawnAfreshAtRatio2() {
        // Rendering at ratio 2 must paint at that ratio, not enlarge a
        // picture made at ratio 1: an enlarged picture is made of uniform
        // 2×2 blocks only, while text, circles and the style's shading drawn
        // at the finer grid are not.
        int checked = 0;
        for (const Control* control : form_->allControls()) {
            QWidget* widget = view_->widgetFor(*control);
            if (widget == nullptr || !widget->isVisible()) {
                continue;
            }
            QImage image(widget->size() * 2, QImage::Format_RGB32);
            image.setDevicePixelRatio(2);
            image.fill(Qt::black);
            widget->render(&image);
            QVERIFY2(mixedBlocks(image) > 0, control->displayName().c_str());
            ++checked;
        }
        QCOMPARE(checked, 17); // the window and its 16 windowed controls
    }

    void moveRepaintsOnlyWhatLeavesNoTrail() {
        // Every painted pixel lies inside the rectangle the view repaints for
        // its figure, so repainting only those never leaves stale pixels;
        // at ratio 2 as well, where antialiased edges are drawn finer.
        auto checkInside = [this] {
            QRegion figures;
            for (const Control* figure : form_->work.children()) {
                if (figure->visible()) {
                    figures += view_->figureRect(*figure);
                }
            }
            for (const int ratio : {1, 2}) {
                const QImage image = renderWork(ratio);
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        if ((image.pixel(x, y) & 0xffffff) != 0xffffff &&
                            !figures.contains(QPoint(x / ratio, y / ratio))) {
                            return QStringLiteral("stray pixel at %1,%2 at ratio %3")
                                .arg(x)
                                .arg(y)
                                .arg(ratio);
                        }
                    }
                }
            }
            return QString();
        };
        QCOMPARE(checkInside(), QString());

        // On screen, after a whole run painted tick by tick, the window shows
        // exactly what painting it afresh gives.
        click(form_->sp[0]);
        click(form_->start);
        QTRY_COMPARE_WITH_TIMEOUT(captionOf(form_->start), QStringLiteral("クリア"), 60000);
        QCOMPARE(checkInside(), QString());

        QWidget* work = view_->widgetFor(form_->work);
        const QPixmap fresh = work->grab();
        auto onScreen = [work] {
            QScreen* screen = work->window()->windowHandle()->screen();
            const QPoint origin = work->mapTo(work->window(), QPoint(0, 0));
            return screen
                ->grabWindow(work->window()->winId(), origin.x(), origin.y(), work->width(),
                             work->height())
                .toImage();
        };
        if (onScreen().isNull()) {
            QSKIP("this display cannot be read back");
        }
        // At a ratio above 1, an antialiased stroke that a repaint's clip
        // cuts may come out a level or two apart from one painted whole; a
        // stale pixel differs by far more.
        const int tolerance = fresh.devicePixelRatio() == 1.0 ? 0 : 4;
        const QImage expected = fresh.toImage().convertToFormat(QImage::Format_RGB32);
        QTRY_VERIFY_WITH_TIMEOUT(largestDifference(onScreen(), expected) <= tolerance, 5000);
    }

    void quitButtonEndsTheProgramDuringARun() {
        click(form_->start);
        QVERIFY(view_->timerFor(form_->MAEtimer)->isActive());
        click(form_->Command1);
        QVERIFY(form_->unloaded());
        QCOMPARE(platform_->endStatuses, std::vector<int>{0});
        QVERIFY(!view_->window()->isVisible());
        for (Timer* timer : form_->phaseTimers()) {
            QVERIFY(!view_->timerFor(*timer)->isActive());
        }
        QCOMPARE(platform_->messages, 0);
    }

    void runTimeErrorInATickIsReportedOnceAndEndsTheProgram() {
        form_->NAKAtimer.onTimer = [] { throw RunTimeError(RunTimeErrorCode::Overflow); };
        click(form_->sp[0]);
        click(form_->start);
        QTRY_VERIFY_WITH_TIMEOUT(form_->halted(), 60000);
        QCOMPARE(platform_->messages, 1);
        QCOMPARE(platform_->lastTitle, QStringLiteral("ぴるての衝突"));
        QCOMPARE(platform_->lastText,
                 QStringLiteral("実行時エラー '6':\n\nオーバーフローしました。\n\n"
                                "プログラムを終了します。"));
        QCOMPARE(platform_->endStatuses, std::vector<int>{1});
        QCOMPARE(platform_->exitStatus(), 1);
        for (Timer* timer : form_->phaseTimers()) {
            QVERIFY(!view_->timerFor(*timer)->isActive());
        }

        // Nothing reaches the form any more.
        const float left = form_->tamaA.left();
        QTest::qWait(50);
        click(form_->Command1);
        QVERIFY(!form_->unloaded());
        QCOMPARE(form_->tamaA.left(), left);
        QCOMPARE(platform_->messages, 1);
        QCOMPARE(platform_->endStatuses, std::vector<int>{1});
    }

    void iconIsA32By32ImageOfAtMost16Colours() {
        const QImage icon = appIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        std::set<QRgb> colours;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                colours.insert(icon.pixel(x, y));
            }
        }
        QVERIFY(colours.size() <= 16);
        QVERIFY(colours.count(qRgb(0, 0, 255)) == 1); // the striking bob
        QVERIFY(colours.count(qRgb(255, 0, 0)) == 1); // the struck bob
        QVERIFY(colours.count(qRgb(0, 128, 0)) == 1); // the table
        QVERIFY(qAlpha(icon.pixel(0, 0)) == 0);       // transparent around them
    }
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
