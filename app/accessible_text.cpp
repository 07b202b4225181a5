#include "app/accessible_text.h"

#include "platform/number_text.h"

namespace shoutotsu {
namespace {

const char* const kSpeedNames[] = {"速", "中", "遅"}; // sp(0), sp(1), sp(2)
const char* const kWorkName = "実験のようす";

std::string shownValue(const ShownParameter& parameter) {
    return parameter.valueLabel->caption() + " " + parameter.unit;
}

// The scene in one sentence, with every value as its label shows it.
std::string sceneText(const MainForm& form) {
    const auto p = shownParameters(form);
    return "青い当てるぴるて（重さ " + shownValue(p[0]) + "、半径 " + shownValue(p[2]) +
           "）が、高さ " + shownValue(p[4]) + "、ななめの長さ " + shownValue(p[5]) +
           " のレールを下って机の上を進み、机の右はしにある赤い当てられるぴるて（重さ " +
           shownValue(p[1]) + "、半径 " + shownValue(p[3]) + "）に当たります。";
}

} // namespace

std::array<ShownParameter, 6> shownParameters(const MainForm& form) {
    return {{
        {&form.T1mScroll, &form.T1m, "当てるぴるての重さ", "g", false},
        {&form.T2mScroll, &form.T2m, "当てられるぴるての重さ", "g", false},
        {&form.T1rScroll, &form.T1r, "当てるぴるての半径", "mm", false},
        {&form.T2rScroll, &form.T2r, "当てられるぴるての半径", "mm", false},
        {&form.Hscroll, &form.htext, "レールの高さ", "cm", true},
        {&form.Lscroll, &form.ltext, "ななめの長さ", "cm", true},
    }};
}

std::string accessibleName(const MainForm& form, const Control& control) {
    for (const ShownParameter& parameter : shownParameters(form)) {
        if (&control == parameter.bar) {
            return std::string(parameter.what) + " (" + parameter.unit + ")";
        }
    }
    for (size_t i = 0; i < form.sp.size(); ++i) {
        if (&control == &form.sp[i]) {
            return kSpeedNames[i];
        }
    }
    if (&control == &form.work) {
        return kWorkName;
    }
    return control.caption();
}

std::string accessibleDescription(const MainForm& form, const Control& control) {
    for (const ShownParameter& parameter : shownParameters(form)) {
        if (&control == parameter.bar) {
            return shownValue(parameter);
        }
    }
    if (&control != &form.work) {
        return "";
    }
    // The question the experiment asks, as the drawing area's two lines
    // put it; after a run the result comes first, so it is heard first.
    std::string text;
    if (form.kekka.visible()) {
        text = "結果：当てられるぴるての動いた距離は " + form.kekka.caption() + " です。";
    }
    return text + form.subtitle1.caption() + form.subtitle2.caption() + sceneText(form);
}

AccessibleValue accessibleValue(const MainForm& form, const Control& control) {
    for (const ShownParameter& parameter : shownParameters(form)) {
        double shown = 0;
        if (&control != parameter.bar || !parseNumberText(parameter.valueLabel->caption(), shown)) {
            continue;
        }
        // The label and the bar move one for one, so the label's ends follow
        // from where both stand now.
        const int now = static_cast<int>(shown);
        const ScrollBar& bar = *parameter.bar;
        const int fromMinimum = bar.value() - bar.minimum();
        const int toMaximum = bar.maximum() - bar.value();
        if (parameter.fromOtherEnd) {
            return {true, now, now - toMaximum, now + fromMinimum};
        }
        return {true, now, now - fromMinimum, now + toMaximum};
    }
    return {};
}

} // namespace shoutotsu
