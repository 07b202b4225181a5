// Command-line options of shoutotsu-trace.
#pragma once

#include "platform/platform_services.h"
#include "run/experiment.h"

#include <string>
#include <vector>

namespace shoutotsu::trace {

enum class Mode { Trace, Layout, Results, Help };

struct Options {
    Mode mode = Mode::Trace;
    ScreenSize screen{15360.0f, 11520.0f};
    // Each holds one value, or a list in --results mode.
    std::vector<int> heights{parameterInfo(ParameterId::Height).defaultValue};
    std::vector<int> lengths{parameterInfo(ParameterId::Length).defaultValue};
    std::vector<int> m1s{parameterInfo(ParameterId::M1).defaultValue};
    std::vector<int> m2s{parameterInfo(ParameterId::M2).defaultValue};
    std::vector<int> r1s{parameterInfo(ParameterId::R1).defaultValue};
    std::vector<int> r2s{parameterInfo(ParameterId::R2).defaultValue};
    std::vector<Speed> speeds{kDefaultSpeed};

    std::vector<int>& values(ParameterId id);
};

// Parses argv. On bad input returns false and sets `error` to one line naming
// the option and what it accepts.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

const char* helpText();

// `text` as one line a message can quote: control characters, backslashes
// and bytes that are not UTF-8 become \xNN (\\ for a backslash).
std::string shownText(const std::string& text);

} // namespace shoutotsu::trace
