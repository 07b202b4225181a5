#include "app/accessible_text.h"

#include "platform/number_text.h"

namespace shoutotsu {
namespace {

const char* const kWorkName = "実験のようす";

std::string shownValue(const ShownParameter& parameter) {
    return parameter.valueLabel->caption() + " " + parameter.info->unit;
}

// The scene in one sentence, with every value as its label shows it.
std::string sceneText(const MainForm& form) {
    const auto p = shownParameters(form);
    const auto shown = [&p](ParameterId id) { return shownValue(p[static_cast<size_t>(id)]); };
    return "青い当てるぴるて（重さ " + shown(ParameterId::M1) + "、半径 " + shown(ParameterId::R1) +
           "）が、高さ " + shown(ParameterId::Height) + "、ななめの長さ " +
           shown(ParameterId::Length) +
           " のレールを下って机の上を進み、机の右はしにある赤い当てられるぴるて（重さ " +
           shown(ParameterId::M2) + "、半径 " + shown(ParameterId::R2) + "）に当たります。";
}

} // namespace

// In the order of the parameters' table.
std::array<ShownParameter, 6> shownParameters(const MainForm& form) {
    std::array<ShownParameter, 6> shown{};
    for (const ParameterInfo& p : kParameters) {
        shown[static_cast<size_t>(p.id)] = {&form.parameterBar(p.id), &form.valueLabel(p.id), &p};
    }
    return shown;
}

std::string accessibleName(const MainForm& form, const Control& control) {
    for (const ShownParameter& parameter : shownParameters(form)) {
        if (&control == parameter.bar) {
            return std::string(parameter.info->spokenName) + " (" + parameter.info->unit + ")";
        }
    }
    for (size_t i = 0; i < form.sp.size(); ++i) {
        if (&control == &form.sp[i]) {
            return kSpeeds[i].spokenName;
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
            return form.parameterLocked(parameter.info->id)
                       ? shownValue(parameter) + "。先生が決めた条件です"
                       : shownValue(parameter);
        }
    }
    if (&control != &form.work) {
        return "";
    }
    // The question the experiment asks, as the drawing area's two lines
    // put it; after a run the result comes first, so it is heard first.
    const std::string text = form.kekka.visible() ? resultSentence(form) : "";
    return text + form.subtitle1.caption() + form.subtitle2.caption() + sceneText(form);
}

std::string resultSentence(const MainForm& form) {
    return "結果：当てられるぴるての動いた距離は " + form.kekka.caption() + " です。";
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
        if (countedFromOtherEnd(*parameter.info)) {
            return {true, now, now - toMaximum, now + fromMinimum};
        }
        return {true, now, now - fromMinimum, now + toMaximum};
    }
    return {};
}

} // namespace shoutotsu
