#include "tools/trace_options.h"

#include "platform/number_text.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

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

// Length of the well-formed UTF-8 sequence at `text[i]`, 0 if there is none.
size_t utf8Length(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, min = 0x80, code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, min = 0x800, code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, min = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3fu);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    const bool c1Control = code >= 0x80 && code <= 0x9f;
    return (code < min || code > 0x10ffff || surrogate || c1Control) ? 0 : length;
}

} // namespace

std::string shownText(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            shown += text[i++];
        } else if (const size_t n = c >= 0x80 ? utf8Length(text, i) : 0; n > 0) {
            shown.append(text, i, n);
            i += n;
        } else {
            shown +=
                c == '\\' ? std::string("\\\\") : std::string("\\x") + hex[c >> 4] + hex[c & 15];
            ++i;
        }
    }
    return shown;
}

namespace {

enum class IntStatus { Ok, NotAnInteger, TooLarge };

IntStatus parseInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto result = std::from_chars(first, last, value);
    if (text.empty() || result.ptr != last) {
        return IntStatus::NotAnInteger;
    }
    if (result.ec == std::errc::result_out_of_range) {
        return IntStatus::TooLarge;
    }
    return result.ec == std::errc() ? IntStatus::Ok : IntStatus::NotAnInteger;
}

bool parseTwips(const std::string& text, float& value) {
    return parseNumberText(text, value) && std::isfinite(value) && value > 0.0f;
}

// The items of an option's value: one, or with --results a comma-separated
// list. False, with the message, for a list where none is allowed.
bool splitItems(const std::string& option, const std::string& text, bool allowList,
                const std::string& accepted, std::vector<std::string>& items, std::string& error) {
    items = splitList(text);
    if (!allowList && items.size() != 1) {
        error = option + ": lists are accepted only with --results; " + accepted;
        return false;
    }
    return true;
}

// The message for an empty item of `text`, split into `items`.
std::string emptyItemError(const std::string& option, const std::string& text,
                           const std::vector<std::string>& items, const std::string& accepted) {
    return option +
           (items.size() == 1 ? std::string(": the value is empty; ")
                              : ": an empty item in '" + shownText(text) + "'; ") +
           accepted;
}

// Parses a value or, when lists are allowed, a comma-separated list of
// integers in [minimum, maximum].
bool parseIntegers(const std::string& option, const std::string& text, int minimum, int maximum,
                   const char* unit, bool allowList, std::vector<int>& values, std::string& error) {
    const std::string accepted = option + " takes " + (allowList ? "integers" : "an integer") +
                                 " from " + std::to_string(minimum) + " to " +
                                 std::to_string(maximum) + " (" + unit + ")" +
                                 (allowList ? ", comma-separated" : "");
    std::vector<std::string> items;
    if (!splitItems(option, text, allowList, accepted, items, error)) {
        return false;
    }
    std::vector<int> parsed;
    for (const std::string& item : items) {
        if (item.empty()) {
            error = emptyItemError(option, text, items, accepted);
            return false;
        }
        int value = 0;
        const IntStatus status = parseInt(item, value);
        if (status == IntStatus::NotAnInteger) {
            error = option + ": '" + shownText(item) + "' is not an integer; " + accepted;
            return false;
        }
        if (status == IntStatus::TooLarge || value < minimum || value > maximum) {
            error = option + ": " + item + " is out of range; " + accepted;
            return false;
        }
        parsed.push_back(value);
    }
    values = parsed;
    return true;
}

// "fast, medium or slow"
std::string speedChoices() {
    std::string choices;
    for (size_t i = 0; i < kSpeeds.size(); ++i) {
        if (i > 0) {
            choices += i + 1 < kSpeeds.size() ? ", " : " or ";
        }
        choices += kSpeeds[i].key;
    }
    return choices;
}

bool parseSpeeds(const std::string& text, bool allowList, std::vector<Speed>& speeds,
                 std::string& error) {
    const std::string accepted = "--speed takes " + speedChoices();
    std::vector<std::string> items;
    if (!splitItems("--speed", text, allowList, accepted, items, error)) {
        return false;
    }
    std::vector<Speed> parsed;
    for (const std::string& item : items) {
        const auto named = std::find_if(kSpeeds.begin(), kSpeeds.end(),
                                        [&item](const SpeedInfo& s) { return item == s.key; });
        if (named != kSpeeds.end()) {
            parsed.push_back(named->speed);
        } else if (item.empty()) {
            error = emptyItemError("--speed", text, items, accepted);
            return false;
        } else {
            error = "--speed: '" + shownText(item) + "' is not a speed; " + accepted;
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
        error = "--screen: '" + shownText(text) +
                "' is not a screen size; --screen takes W,H in twips, two positive numbers "
                "(decimals allowed), e.g. 15360,11520";
        return false;
    }
    screen = ScreenSize{width, height};
    return true;
}

const char* const kSeeHelp = "; see shoutotsu-trace --help";

std::string optionName(const ParameterInfo& p) { return std::string("--") + p.key; }

} // namespace

std::vector<int>& Options::values(ParameterId id) {
    switch (id) {
    case ParameterId::Height:
        return heights;
    case ParameterId::Length:
        return lengths;
    case ParameterId::M1:
        return m1s;
    case ParameterId::M2:
        return m2s;
    case ParameterId::R1:
        return r1s;
    case ParameterId::R2:
        return r2s;
    }
    return heights;
}

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.mode = Mode::Help;
            return true;
        }
    }

    // CLI11 splits the command line (--name value, --name=value) and counts
    // each option; what a value means is read below, where the messages
    // can name the option and what it accepts.
    CLI::App app("shoutotsu-trace");
    app.set_help_flag();
    app.allow_extras();
    bool layout = false, results = false;
    app.add_flag("--layout", layout);
    app.add_flag("--results", results);
    // --screen, the parameters in the table's order, --speed.
    std::vector<std::string> valued{"--screen"};
    for (const ParameterInfo& p : kParameters) {
        valued.push_back(optionName(p));
    }
    valued.emplace_back("--speed");
    std::vector<std::vector<std::string>> values(std::size(valued));
    for (size_t i = 0; i < std::size(valued); ++i) {
        app.add_option(valued[i], values[i])
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->expected(1)
            ->allow_extra_args(false);
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them last first
    try {
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& e) {
        // "--m2: 1 required TEXT missing": a value-taking option at the end.
        const std::string what = e.what();
        error = what.substr(0, what.find(':')) + ": missing value" + kSeeHelp;
        return false;
    } catch (const CLI::ParseError& e) {
        error = shownText(e.what()) + kSeeHelp;
        return false;
    }
    if (const std::vector<std::string> extras = app.remaining(); !extras.empty()) {
        const std::string& extra = extras.front();
        error = (extra.rfind('-', 0) == 0 ? "unknown option '" : "unexpected argument '") +
                shownText(extra) + "'" + kSeeHelp;
        return false;
    }
    for (const char* flag : {"--layout", "--results"}) {
        if (app.count(flag) > 1) {
            error = std::string(flag) + ": given more than once" + kSeeHelp;
            return false;
        }
    }
    if (layout && results) {
        error = std::string("--layout and --results are two modes; give one at most") + kSeeHelp;
        return false;
    }
    options.mode = results ? Mode::Results : layout ? Mode::Layout : Mode::Trace;
    if (options.mode == Mode::Results) {
        options.speeds = {Speed::Fast, Speed::Medium, Speed::Slow};
    }
    const bool lists = options.mode == Mode::Results;

    for (size_t i = 0; i < std::size(valued); ++i) {
        const std::string name = valued[i];
        const size_t given = app.count(name);
        if (given == 0) {
            continue;
        }
        if (given > 1) {
            error = name + ": given more than once; give it once" +
                    (lists ? std::string(", with a comma-separated list") : std::string()) +
                    kSeeHelp;
            return false;
        }
        // CLI11 keeps no value for an empty argument ('').
        const std::string value = values[i].empty() ? std::string() : values[i].front();
        bool ok = true;
        if (name == "--screen") {
            ok = parseScreen(value, options.screen, error);
        } else if (name == "--speed") {
            ok = parseSpeeds(value, lists, options.speeds, error);
        } else {
            const ParameterInfo& p = kParameters[i - 1];
            ok = parseIntegers(name, value, p.minimum, p.maximum, p.unit, lists,
                               options.values(p.id), error);
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

namespace {

// One option of the help, its text starting in the 18th column.
std::string helpLine(const std::string& option, const std::string& text) {
    constexpr size_t kTextColumn = 17;
    std::string line = "  " + option;
    line.append(line.size() < kTextColumn ? kTextColumn - line.size() : 1, ' ');
    return line + text + "\n";
}

std::string makeHelpText() {
    std::string text = R"(Usage: shoutotsu-trace [--layout | --results] [options]

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
)";
    for (const ParameterInfo& p : kParameters) {
        std::string placeholder = p.unit;
        for (char& c : placeholder) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        text += helpLine(optionName(p) + " " + placeholder,
                         std::string(p.about) + ", " + std::to_string(p.minimum) + ".." +
                             std::to_string(p.maximum) + " (default " +
                             std::to_string(p.defaultValue) + ")");
    }
    text +=
        helpLine("--speed S", speedChoices() + " (default " + speedInfo(kDefaultSpeed).key + ")");
    text += helpLine("--help", "this text");
    text += R"(
Give each option once, and at most one of --layout and --results; a list
goes in one option, e.g. --m1 10,20,30. A --results table of more than
100,000 rows shows its progress on stderr when stderr is a terminal.

Parameters are set through the scroll bars as a learner would. Floats print as
the shortest text that reads back to the same 32-bit float.

Exit status: 0 when everything was written; 1 after a run-time error of the
experiment; 2 for bad input (one line on stderr, nothing on stdout); 3 when
the output could not be written (a full disk, a closed pipe), with one line
on stderr saying why.

Example, the table for a lesson on the striking bob's mass:
  shoutotsu-trace --results --m1 10,20,30,40,50 --speed fast
)";
    return text;
}

} // namespace

const char* helpText() {
    static const std::string text = makeHelpText();
    return text.c_str();
}

} // namespace shoutotsu::trace
