#include "tools/trace_options.h"

#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace shoutotsu::trace {
namespace {

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    size_t begin = 0;
    for (;;) {
        const size_t comma = text.find(',', begin);
        items.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return items;
        }
        begin = comma + 1;
    }
}

bool parseInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto result = std::from_chars(first, last, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == last;
}

bool parseTwips(const std::string& text, float& value) {
    return parseNumberText(text, value) && std::isfinite(value) && value > 0.0f;
}

// Parses a value or, when lists are allowed, a comma-separated list of
// integers in [minimum, maximum].
bool parseIntegers(const std::string& option, const std::string& text, int minimum, int maximum,
                   const char* unit, bool allowList, std::vector<int>& values, std::string& error) {
    const std::string accepted = option + " takes " + (allowList ? "integers" : "an integer") +
                                 " from " + std::to_string(minimum) + " to " +
                                 std::to_string(maximum) + " (" + unit + ")" +
                                 (allowList ? ", comma-separated" : "");
    const std::vector<std::string> items = splitList(text);
    if (!allowList && items.size() != 1) {
        error = option + ": lists are accepted only with --results; " + accepted;
        return false;
    }
    std::vector<int> parsed;
    for (const std::string& item : items) {
        int value = 0;
        if (!parseInt(item, value)) {
            error = option + ": '" + item + "' is not an integer; " + accepted;
            return false;
        }
        if (value < minimum || value > maximum) {
            error = option + ": " + item + " is out of range; " + accepted;
            return false;
        }
        parsed.push_back(value);
    }
    values = parsed;
    return true;
}

bool parseSpeeds(const std::string& text, bool allowList, std::vector<Speed>& speeds,
                 std::string& error) {
    const char* accepted = "--speed takes fast, medium or slow";
    const std::vector<std::string> items = splitList(text);
    if (!allowList && items.size() != 1) {
        error = std::string("--speed: lists are accepted only with --results; ") + accepted;
        return false;
    }
    std::vector<Speed> parsed;
    for (const std::string& item : items) {
        if (item == "fast") {
            parsed.push_back(Speed::Fast);
        } else if (item == "medium") {
            parsed.push_back(Speed::Medium);
        } else if (item == "slow") {
            parsed.push_back(Speed::Slow);
        } else {
            error = "--speed: '" + item + "' is not a speed; " + accepted;
            return false;
        }
    }
    speeds = parsed;
    return true;
}

bool parseScreen(const std::string& text, ScreenSize& screen, std::string& error) {
    const std::vector<std::string> items = splitList(text);
    float width = 0, height = 0;
    if (items.size() != 2 || !parseTwips(items[0], width) || !parseTwips(items[1], height)) {
        error = "--screen: '" + text +
                "' is not a screen size; --screen takes W,H in twips, two positive numbers "
                "(decimals allowed), e.g. 15360,11520";
        return false;
    }
    screen = ScreenSize{width, height};
    return true;
}

} // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    // The mode decides whether lists are allowed, so find it first.
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.mode = Mode::Help;
            return true;
        }
        if (arg == "--layout") {
            options.mode = Mode::Layout;
        } else if (arg == "--results") {
            options.mode = Mode::Results;
        }
    }
    if (options.mode == Mode::Results) {
        options.speeds = {Speed::Fast, Speed::Medium, Speed::Slow};
    }
    const bool lists = options.mode == Mode::Results;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--layout" || arg == "--results") {
            continue;
        }
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            hasValue = true;
        }
        const bool known = name == "--screen" || name == "--height" || name == "--length" ||
                           name == "--m1" || name == "--m2" || name == "--r1" || name == "--r2" ||
                           name == "--speed";
        if (!known) {
            error = "unknown option '" + arg + "'; see shoutotsu-trace --help";
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + ": missing value; see shoutotsu-trace --help";
                return false;
            }
            value = args[++i];
        }
        bool ok = true;
        if (name == "--screen") {
            ok = parseScreen(value, options.screen, error);
        } else if (name == "--height") {
            ok = parseIntegers(name, value, kHeightRange.minimum, kHeightRange.maximum, "cm", lists,
                               options.heights, error);
        } else if (name == "--length") {
            ok = parseIntegers(name, value, kLengthRange.minimum, kLengthRange.maximum, "cm", lists,
                               options.lengths, error);
        } else if (name == "--m1" || name == "--m2") {
            ok = parseIntegers(name, value, kMassRange.minimum, kMassRange.maximum, "g", lists,
                               name == "--m1" ? options.m1s : options.m2s, error);
        } else if (name == "--r1" || name == "--r2") {
            ok = parseIntegers(name, value, kRadiusRange.minimum, kRadiusRange.maximum, "mm", lists,
                               name == "--r1" ? options.r1s : options.r2s, error);
        } else {
            ok = parseSpeeds(value, lists, options.speeds, error);
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

const char* helpText() {
    return R"(Usage: shoutotsu-trace [--layout | --results] [options]

Runs the collision experiment without a display and prints CSV to stdout.

Modes:
  (default)    start-up, the parameters, "スタート", then every timer tick until
               the run ends; one row per tick:
               phase,tick,t,tamaA.Left,tamaA.Top,tamaB.Left,tamaB.Top,en.Left,
               en.Top,en.Visible,kekka.Left,kekka.Top,kekka.Visible,
               kekka.Caption,start.Caption,start.Visible
  --layout     start-up and the scene only: name,property,value for the window
               and every control, the line end points, the value labels, the
               version line and SimState's scale, baseX, baseY, slopeLen,
               height and run
  --results    every combination of the listed values (each option may take a
               comma-separated list; --speed defaults to fast,medium,slow):
               length,height,m1,m2,r1,r2,speed,result

Options:
  --screen W,H   screen size in twips, decimals allowed (default 15360,11520,
                 a 1024x768 screen at 96 dpi)
  --height CM    rail height, 10..40 (default 20)
  --length CM    slope length, 50..80 (default 60)
  --m1 G         mass of the striking (blue) bob, 10..50 (default 20)
  --m2 G         mass of the struck (red) bob, 10..50 (default 20)
  --r1 MM        radius of the striking bob, 8..14 (default 10)
  --r2 MM        radius of the struck bob, 8..14 (default 10)
  --speed S      fast, medium or slow (default medium)
  --help         this text

Parameters are set through the scroll bars as a learner would. Floats print as
the shortest text that reads back to the same 32-bit float.

Exit status: 0 when everything was written; 1 after a run-time error of the
experiment; 2 for bad input (one line on stderr, nothing on stdout); 3 when
the output could not be written (a full disk, a closed pipe), with one line
on stderr saying why.

Example, the table for a lesson on the striking bob's mass:
  shoutotsu-trace --results --m1 10,20,30,40,50 --speed fast
)";
}

} // namespace shoutotsu::trace
