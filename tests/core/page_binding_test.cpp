// The page's binding on a small form of its own: every control described
// once with exact numbers and safe text, the changes of an event sent once
// per control as it stands at the end, the event entries reached only by a
// control of the right kind, and the platform's report as the desktop words
// it.
#include "platform/figures.h"
#include "platform/json_writer.h"
#include "platform/web/page_binding.h"
#include "platform/web/web_platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include <string>
#include <vector>

namespace shoutotsu {
namespace {

// A window with one of each kind the page shows; its handlers are whatever
// a test puts in.
class SmallForm : public Form {
  public:
    SmallForm() {
        window_.setCaption("ぴるての衝突");
        window_.addChild(bar);
        window_.addChild(button);
        window_.addChild(frame);
        window_.addChild(ticker);
        frame.addChild(fast);
        frame.addChild(slow);
        frame.addChild(label);
        frame.addChild(bob);
        frame.addChild(rail);
        all_ = {&window_, &bar, &button, &frame, &ticker, &fast, &slow, &label, &bob, &rail};
        for (Control* c : all_) {
            c->setObserver(&relay_);
        }
        bar.onChange = [this] { label.setCaption(std::to_string(bar.value())); };
    }

    Control& window() override { return window_; }
    const std::vector<Control*>& allControls() const override { return all_; }
    void setObserver(ControlObserver* observer) override { relay_.view = observer; }
    bool click(CommandButton& b) override {
        if (halted_ || !b.clickable()) {
            return false;
        }
        if (b.onClick) {
            b.onClick();
        }
        return true;
    }
    bool scroll(ScrollBar& b, ScrollAction action, int16_t thumb) override {
        return !halted_ && b.userAction(action, thumb);
    }
    bool select(OptionButton& option) override {
        option.select();
        return true;
    }
    bool tick(Timer& timer) override {
        if (!timer.enabled()) {
            return false;
        }
        ++ticks;
        return true;
    }
    bool loaded() const override { return true; }
    bool unloaded() const override { return unloaded_; }
    bool halted() const override { return halted_; }

    ScrollBar bar{ControlKind::HScrollBar, "bar", 10, 50, 10, 10, 20};
    CommandButton button{"button"};
    Control frame{ControlKind::Frame, "frame"};
    Timer ticker{"ticker", 10};
    OptionButton fast{"sp", 0};
    OptionButton slow{"sp", 1};
    Control label{ControlKind::Label, "label"};
    Shape bob{"bob", ShapeKind::Circle};
    Line rail{"rail"};
    int ticks = 0;
    bool unloaded_ = false;
    bool halted_ = false;

  private:
    struct Relay : ControlObserver {
        ControlObserver* view = nullptr;
        void propertyChanged(Control& c, Property p) override {
            if (view != nullptr) {
                view->propertyChanged(c, p);
            }
        }
    };
    Control window_{ControlKind::Window, "main"};
    std::vector<Control*> all_;
    Relay relay_;
};

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

TEST(PageBinding, DescribesEveryControlOnceInTheFormsOrderWithExactNumbersAndSafeText) {
    SmallForm form;
    form.label.setCaption("a \"quoted\"\\line\nand 結果");
    form.bob.setGeometry(1.0f / 3.0f, 2400, 375, 375);
    form.rail.setX1(4080.5f);
    form.bob.fillStyle = FillStyle::Solid;
    form.bob.fillColor = Color::rgb(255, 0, 0);
    form.frame.backColor = Color::systemColor(kSystemColorButtonFace);
    PageBinding page(form);
    const std::string all = page.describeControls();

    EXPECT_EQ(count(all, "\"id\":"), 10u);
    EXPECT_LT(all.find("\"name\":\"main\""), all.find("\"name\":\"bar\""));
    EXPECT_NE(
        all.find(
            "\"id\":3,\"kind\":\"frame\",\"name\":\"frame\",\"index\":-1,\"displayName\":\"frame\","
            "\"container\":0,\"children\":[5,6,7,8,9]"),
        std::string::npos)
        << all;
    EXPECT_NE(all.find("\"displayName\":\"sp(1)\""), std::string::npos);
    // Text: quotes, backslashes and control characters escaped, UTF-8 whole.
    EXPECT_NE(all.find(R"("caption":"a \"quoted\"\\line\u000aand 結果")"), std::string::npos)
        << all;
    // Numbers: the shortest text that reads back to the same float.
    EXPECT_NE(all.find("\"left\":0.33333334"), std::string::npos) << all;
    EXPECT_NE(all.find("\"x1\":4080.5"), std::string::npos);
    EXPECT_NE(all.find("\"fill\":\"solid\",\"fillColor\":\"rgb(255,0,0)\""), std::string::npos);
    EXPECT_NE(all.find("\"backColor\":\"rgb(192,192,192)\""), std::string::npos);
    EXPECT_NE(all.find("\"minimum\":10,\"maximum\":50,\"smallChange\":10,\"largeChange\":10"),
              std::string::npos);
    EXPECT_NE(all.find("\"interval\":10"), std::string::npos);
    EXPECT_EQ(page.takeChanges(), "[]") << "describing queues nothing";
}

TEST(PageBinding, SendsEachChangedControlOnceAsItStandsAfterTheEvent) {
    SmallForm form;
    PageBinding page(form);
    form.button.onClick = [&form] {
        for (int step = 1; step <= 100; ++step) {
            form.bob.setLeft(static_cast<float>(step));
        }
        form.ticker.setEnabled(true);
        form.button.setVisible(false);
        form.bob.setTop(7.5f);
    };
    ASSERT_TRUE(page.click(2, 0));
    const std::string changes = page.takeChanges();
    EXPECT_EQ(count(changes, "\"id\":"), 3u) << changes;
    EXPECT_EQ(changes.find("{\"id\":8,\"left\":100,\"top\":7.5,"), 1u)
        << "first changed, first sent";
    EXPECT_NE(changes.find("{\"id\":4,"), std::string::npos);
    EXPECT_NE(
        changes.find("\"id\":2,\"left\":0,\"top\":0,\"width\":0,\"height\":0,\"caption\":\"\","
                     "\"captionName\":\"\",\"visible\":false"),
        std::string::npos)
        << changes;
    EXPECT_EQ(page.takeChanges(), "[]");
}

// A run's ticks move figures only: those come as numbers, each the value
// the page would read from the text; a control that changed more comes
// flagged and in the text beside them, in the same order.
TEST(PageBinding, SendsMovedFiguresAsTheNumbersTheTextWouldGive) {
    SmallForm form;
    PageBinding page(form);
    const int button = 2, bob = 8, rail = 9;
    form.button.onClick = [&form] {
        form.bob.setLeft(0.1f);
        form.bob.setTop(-0.0f);
        form.button.setCaption("b");
        form.rail.setX2(4080.5f);
        form.bob.setWidth(1e20f);
    };
    ASSERT_TRUE(page.click(button, 0));
    ASSERT_EQ(page.takeChangeNumbers(), 3u);
    const std::vector<double>& n = page.changeNumbers();
    ASSERT_EQ(n.size(), 3 * PageBinding::kChangeStride);
    EXPECT_EQ(n[0], bob);
    EXPECT_EQ(n[1], 0) << "a box, geometry alone";
    EXPECT_EQ(n[2], 0.1) << "the text's 0.1, not the float's 0.100000001…";
    EXPECT_NE(n[2], static_cast<double>(0.1f));
    EXPECT_TRUE(std::signbit(n[3]));
    EXPECT_EQ(n[4], std::strtod(shortestText(1e20f).c_str(), nullptr));
    EXPECT_EQ(n[6], button);
    EXPECT_EQ(n[7], 2) << "its caption changed: in the text";
    EXPECT_EQ(n[12], rail);
    EXPECT_EQ(n[13], 1) << "a line, geometry alone";
    EXPECT_EQ(n[16], 4080.5);
    EXPECT_EQ(page.changeRest().rfind("[{\"id\":2,", 0), 0u) << page.changeRest();
    EXPECT_EQ(count(page.changeRest(), "\"id\":"), 1u);
    EXPECT_EQ(page.takeChangeNumbers(), 0u);

    // Through the range a bob's twips take, and far beyond it.
    uint32_t bits = 12345;
    for (int n = 0; n < 200000; ++n) {
        bits = bits * 1664525u + 1013904223u;
        const float value =
            std::ldexp(static_cast<float>(bits >> 8), static_cast<int>(bits % 40) - 40);
        form.bob.setLeft(n % 2 == 0 ? value : -value);
        ASSERT_EQ(page.takeChangeNumbers(), 1u);
        ASSERT_EQ(page.changeNumbers()[2],
                  std::strtod(shortestText(form.bob.left()).c_str(), nullptr))
            << shortestText(form.bob.left());
    }

    // Taken as text, a control's flag goes with it: it moves alone next time.
    form.button.onClick = [&form] { form.bob.setCaption("x"); };
    ASSERT_TRUE(page.click(button, 1000));
    EXPECT_NE(page.takeChanges(), "[]");
    form.bob.setLeft(2);
    ASSERT_EQ(page.takeChangeNumbers(), 1u);
    EXPECT_EQ(page.changeNumbers()[1], 0);
    EXPECT_EQ(page.changeRest(), "[]");
}

TEST(PageBinding, ReachesAnEventEntryOnlyThroughAControlOfItsKind) {
    SmallForm form;
    PageBinding page(form);
    const int bar = 1, button = 2, ticker = 4, fast = 5, slow = 6, label = 7;

    EXPECT_TRUE(page.scroll(bar, 1, 0)); // arrow towards the maximum: 20 -> 30
    EXPECT_EQ(form.bar.value(), 30);
    const std::string changes = page.takeChanges();
    EXPECT_NE(changes.find("{\"id\":1,"), std::string::npos);
    EXPECT_NE(changes.find("\"value\":30"), std::string::npos);
    EXPECT_NE(changes.find("\"caption\":\"30\""), std::string::npos)
        << "the label its Change wrote";

    EXPECT_TRUE(page.scroll(bar, 6, 99999)); // a thumb beyond the end is held at the maximum
    EXPECT_EQ(form.bar.value(), 50);
    EXPECT_FALSE(page.scroll(bar, 5, 0)) << "at the end already: no change";
    EXPECT_FALSE(page.scroll(bar, 7, 0)) << "no such action";
    EXPECT_FALSE(page.scroll(bar, -1, 0));
    EXPECT_FALSE(page.scroll(button, 0, 0));
    EXPECT_FALSE(page.click(bar, 0));
    EXPECT_FALSE(page.click(label, 0));
    EXPECT_FALSE(page.click(-1, 0));
    EXPECT_FALSE(page.click(10, 0));
    EXPECT_FALSE(page.select(ticker));
    EXPECT_FALSE(page.tick(fast));

    EXPECT_FALSE(page.tick(ticker)) << "a disabled timer does not tick";
    form.ticker.setEnabled(true);
    EXPECT_TRUE(page.tick(ticker));
    EXPECT_EQ(form.ticks, 1);

    EXPECT_TRUE(page.select(slow));
    EXPECT_TRUE(form.slow.value());
    EXPECT_TRUE(page.select(fast));
    EXPECT_FALSE(form.slow.value());
    EXPECT_TRUE(page.click(button, 0));
}

// A double click or a double tap on "クリア" must not clear and at once
// start the next run.
TEST(PageBinding, APressWithinTheDoubleClickTimeOfATakenOneIsIgnored) {
    SmallForm form;
    PageBinding page(form);
    int presses = 0;
    form.button.onClick = [&presses] { ++presses; };
    const int button = 2;
    ASSERT_TRUE(page.click(button, 1000));
    EXPECT_FALSE(page.click(button, 1000 + PageBinding::kDoubleClickMs - 1))
        << "the double click's second press";
    EXPECT_TRUE(page.click(button, 1000 + PageBinding::kDoubleClickMs)) << "a later press counts";
    EXPECT_EQ(presses, 2);

    // A press the form did not take (a hidden button) starts no wait.
    form.button.setVisible(false);
    EXPECT_FALSE(page.click(button, 5000));
    form.button.setVisible(true);
    EXPECT_TRUE(page.click(button, 5100));
    EXPECT_EQ(presses, 3);
}

TEST(PageBinding, AScrollBarReportsTheNumberItsLabelShows) {
    SmallForm form;
    form.bar.setAccessibleText("bar", "20", AccessibleValue{true, 30, 10, 40});
    PageBinding page(form);
    const std::string all = page.describeControls();
    EXPECT_NE(all.find("\"valueNow\":30,\"valueMin\":10,\"valueMax\":40"), std::string::npos)
        << all;
    EXPECT_EQ(all.find("\"valueNow\"", all.find("\"id\":2,")), std::string::npos)
        << "none for a button";
}

TEST(PageBinding, AnArrowOnAnOptionMovesRoundItsGroup) {
    SmallForm form;
    PageBinding page(form);
    const int bar = 1, fast = 5, slow = 6;
    EXPECT_EQ(page.optionAfter(fast, 1), slow);
    EXPECT_EQ(page.optionAfter(slow, 1), fast) << "round from the last to the first";
    EXPECT_EQ(page.optionAfter(fast, -1), slow);
    EXPECT_EQ(page.optionAfter(bar, 1), -1);
}

TEST(PageBinding, StatusAndTheEndOfObserving) {
    SmallForm form;
    {
        PageBinding page(form);
        EXPECT_EQ(page.status(), 1);
        form.unloaded_ = true;
        EXPECT_EQ(page.status(), 3);
        form.halted_ = true;
        EXPECT_EQ(page.status(), 7);
    }
    // Once the binding is gone the form tells nobody.
    form.bob.setLeft(5);
}

// Everything the page is given, the error report too, goes through one
// writer: no control character reaches the page raw, and the page's text
// (UTF-8) arrives whole.
TEST(JsonWriter, EscapesEveryControlCharacterAndPassesUtf8Whole) {
    std::string out;
    JsonWriter json(out);
    json.open();
    json.member("title", "ぴるての衝突");
    json.member("text", std::string("a\t\"b\"\\\n\r\x01\x1f") + '\0' + "c");
    json.close();
    EXPECT_EQ(out,
              R"({"title":"ぴるての衝突","text":"a\u0009\"b\"\\\u000a\u000d\u0001\u001f\u0000c"})");

    std::string every;
    for (int c = 0; c < 0x20; ++c) {
        every += static_cast<char>(c);
    }
    std::string escaped;
    JsonWriter(escaped).member("all", every);
    for (const char c : escaped) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x20u) << escaped;
    }
}

TEST(WebPlatform, ReportsTheFirstErrorOnceInTheDesktopsWordsAndTakesTheViewportAsTheScreen) {
    WebPlatform platform(screenOfViewport(1366, 768));
    EXPECT_EQ(platform.screenSize().widthTwips, 20490.0f);
    EXPECT_EQ(platform.screenSize().heightTwips, 11520.0f);
    EXPECT_EQ(screenOfViewport(0, -3).widthTwips, 0.0f);
    EXPECT_EQ(screenOfViewport(1180.5, 820).widthTwips, 17707.5f);

    EXPECT_FALSE(platform.errorReported());
    testing::internal::CaptureStderr();
    platform.reportUnhandledError(RunTimeError(RunTimeErrorCode::Overflow));
    platform.reportUnhandledError(RunTimeError(RunTimeErrorCode::DivisionByZero));
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, RunTimeError(RunTimeErrorCode::Overflow).reportLine() + "\n");
    EXPECT_TRUE(platform.errorReported());
    EXPECT_EQ(platform.errorTitle(), "ぴるての衝突");
    EXPECT_EQ(platform.errorText(),
              "実行時エラー '6':\n\nオーバーフローしました。\n\nプログラムを終了します。");

    EXPECT_FALSE(platform.unloaded());
    platform.unloadMainWindow();
    EXPECT_TRUE(platform.unloaded());
}

} // namespace
} // namespace shoutotsu
