// The experiment's six parameters and its three speeds, each described once:
// the window's scroll bars take their ranges from here, start-up its
// defaults, the screen reader its names and units, and the trace tool its
// options, their ranges and its help.
#pragma once

#include "platform/control.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace shoutotsu {

// In the order the trace tool lists and reads them.
enum class ParameterId { Height, Length, M1, M2, R1, R2 };

struct ParameterInfo {
    ParameterId id;
    const char* key;        // the trace tool's option without its dashes: --height
    const char* about;      // what the tool's help calls it
    const char* spokenName; // what a screen reader calls its scroll bar
    const char* unit;       // as the window and the tool write it
    // The value in the unit above, as the label shows it.
    int minimum;
    int maximum;
    int step;         // one arrow or one press on the track
    int defaultValue; // set at start-up
    // The rail's height and slope length are shown counted from the other
    // end of their bars: label = countedFrom − bar value. Zero when the
    // label shows the bar's value as it is.
    int16_t countedFrom;
    // The bar's value as the window is built, before start-up moves it to
    // the default (start-up raises Change only for the bars it moves).
    int16_t barAtBuild;
    ControlKind barKind;
    const char* barName;   // the scroll bar that sets it
    const char* labelName; // the label that shows it
};

inline constexpr std::array<ParameterInfo, 6> kParameters{{
    {ParameterId::Height, "height", "rail height", "レールの高さ", "cm", 10, 40, 10, 20, 50, 40,
     ControlKind::VScrollBar, "Hscroll", "htext"},
    {ParameterId::Length, "length", "slope length", "ななめの長さ", "cm", 50, 80, 10, 60, 130, 50,
     ControlKind::HScrollBar, "Lscroll", "ltext"},
    {ParameterId::M1, "m1", "mass of the striking (blue) bob", "当てるぴるての重さ", "g", 10, 50,
     10, 20, 0, 10, ControlKind::HScrollBar, "T1mScroll", "T1m"},
    {ParameterId::M2, "m2", "mass of the struck (red) bob", "当てられるぴるての重さ", "g", 10, 50,
     10, 20, 0, 10, ControlKind::HScrollBar, "T2mScroll", "T2m"},
    {ParameterId::R1, "r1", "radius of the striking bob", "当てるぴるての半径", "mm", 8, 14, 2, 10,
     0, 10, ControlKind::HScrollBar, "T1rScroll", "T1r"},
    {ParameterId::R2, "r2", "radius of the struck bob", "当てられるぴるての半径", "mm", 8, 14, 2,
     10, 0, 10, ControlKind::HScrollBar, "T2rScroll", "T2r"},
}};

constexpr const ParameterInfo& parameterInfo(ParameterId id) {
    return kParameters[static_cast<size_t>(id)];
}

// The order of the columns of a record of runs, and of every view of one.
inline constexpr std::array<ParameterId, 6> kRecordColumns{
    ParameterId::M1, ParameterId::M2,     ParameterId::R1,
    ParameterId::R2, ParameterId::Height, ParameterId::Length};

// A parameter by its place in kParameters, as a caller outside the program
// names it; nothing for a place there is not.
constexpr std::optional<ParameterId> parameterAt(int place) {
    if (place < 0 || place >= static_cast<int>(kParameters.size())) {
        return std::nullopt;
    }
    return kParameters[static_cast<size_t>(place)].id;
}

constexpr bool countedFromOtherEnd(const ParameterInfo& p) { return p.countedFrom != 0; }

// The bar's value that makes its label show `value`.
constexpr int16_t barValueFor(const ParameterInfo& p, int value) {
    return static_cast<int16_t>(countedFromOtherEnd(p) ? p.countedFrom - value : value);
}
constexpr int16_t barMinimum(const ParameterInfo& p) {
    return barValueFor(p, countedFromOtherEnd(p) ? p.maximum : p.minimum);
}
constexpr int16_t barMaximum(const ParameterInfo& p) {
    return barValueFor(p, countedFromOtherEnd(p) ? p.minimum : p.maximum);
}

// The speed options sp(0), sp(1), sp(2), in this order.
enum class Speed { Fast = 0, Medium = 1, Slow = 2 };

struct SpeedInfo {
    Speed speed;
    const char* key;        // the trace tool's name for it
    const char* spokenName; // what a screen reader calls its option
};

inline constexpr std::array<SpeedInfo, 3> kSpeeds{{
    {Speed::Fast, "fast", "速"},
    {Speed::Medium, "medium", "中"},
    {Speed::Slow, "slow", "遅"},
}};

inline constexpr Speed kDefaultSpeed = Speed::Medium;

constexpr const SpeedInfo& speedInfo(Speed speed) { return kSpeeds[static_cast<size_t>(speed)]; }

// A speed by its place in kSpeeds; nothing for a place there is not.
constexpr std::optional<Speed> speedAt(int place) {
    if (place < 0 || place >= static_cast<int>(kSpeeds.size())) {
        return std::nullopt;
    }
    return kSpeeds[static_cast<size_t>(place)].speed;
}

// The six parameters as the labels show them (units above), plus the speed.
struct Parameters {
    int heightCm = parameterInfo(ParameterId::Height).defaultValue;
    int lengthCm = parameterInfo(ParameterId::Length).defaultValue;
    int m1Grams = parameterInfo(ParameterId::M1).defaultValue; // striking bob
    int m2Grams = parameterInfo(ParameterId::M2).defaultValue; // struck bob
    int r1Mm = parameterInfo(ParameterId::R1).defaultValue;    // striking bob
    int r2Mm = parameterInfo(ParameterId::R2).defaultValue;    // struck bob
    Speed speed = kDefaultSpeed;

  private:
    template <typename Self> static auto member(Self& self, ParameterId id) {
        switch (id) {
        case ParameterId::Height:
            return &self.heightCm;
        case ParameterId::Length:
            return &self.lengthCm;
        case ParameterId::M1:
            return &self.m1Grams;
        case ParameterId::M2:
            return &self.m2Grams;
        case ParameterId::R1:
            return &self.r1Mm;
        case ParameterId::R2:
            break;
        }
        return &self.r2Mm;
    }

  public:
    int value(ParameterId id) const { return *member(*this, id); }
    int& value(ParameterId id) { return *member(*this, id); }

    bool operator==(const Parameters& other) const {
        for (const ParameterInfo& p : kParameters) {
            if (value(p.id) != other.value(p.id)) {
                return false;
            }
        }
        return speed == other.speed;
    }
    bool operator!=(const Parameters& other) const { return !(*this == other); }
};

} // namespace shoutotsu
