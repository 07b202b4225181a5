// The real window on a real display: widgets where the model puts them, user
// input through Qt reaching the form, QTimers driving a whole run, and the
// picture box painting the scene where the model says.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/twips_scale.h"

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
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

using namespace shoutotsu;

namespace {

// Keeps what the program would show or do at its end instead of doing it.
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

QString captionOf(const Control& control) { return QString::fromStdString(control.caption()); }

QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
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

    void moveRepaintsOnlyWhatLeavesNoTrail() {
        // Every painted pixel lies inside the rectangle the view repaints for
        // its figure, so repainting only those never leaves stale pixels.
        auto checkInside = [this] {
            const QImage image = renderWork(1);
            QRegion figures;
            for (const Control* figure : form_->work.children()) {
                if (figure->visible()) {
                    figures += view_->figureRect(*figure);
                }
            }
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (QColor(image.pixel(x, y)).rgb() != QColor(255, 255, 255).rgb() &&
                        !figures.contains(QPoint(x, y))) {
                        return QStringLiteral("stray pixel at %1,%2").arg(x).arg(y);
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
        const QImage expected = fresh.toImage().convertToFormat(QImage::Format_RGB32);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen().convertToFormat(QImage::Format_RGB32) == expected,
                                 5000);
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
