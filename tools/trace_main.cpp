// shoutotsu-trace: the experiment without a display, as CSV.
#include "tools/trace_options.h"
#include "tools/trace_output.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace shoutotsu::trace;
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        std::cerr << "shoutotsu-trace: " << error << "\n";
        return 2;
    }
    switch (options.mode) {
    case Mode::Help:
        std::cout << helpText();
        return 0;
    case Mode::Layout:
        return writeLayout(options, std::cout, std::cerr);
    case Mode::Results:
        return writeResults(options, std::cout, std::cerr);
    case Mode::Trace:
        break;
    }
    return writeTrace(options, std::cout, std::cerr);
}
