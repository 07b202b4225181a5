// shoutotsu-trace: the experiment without a display, as CSV.
#include "tools/file_output.h"
#include "tools/trace_options.h"
#include "tools/trace_output.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

int write(shoutotsu::trace::Mode mode, const shoutotsu::trace::Options& options,
          std::ostream& out) {
    using namespace shoutotsu::trace;
    switch (mode) {
    case Mode::Help:
        out << helpText();
        out.flush();
        return out ? kExitDone : kExitCannotWrite;
    case Mode::Layout:
        return writeLayout(options, out, std::cerr);
    case Mode::Results:
        return writeResults(options, out, std::cerr, isatty(2) == 1);
    case Mode::Trace:
        break;
    }
    return writeTrace(options, out, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace shoutotsu::trace;
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        std::cerr << "shoutotsu-trace: " << error << "\n";
        return kExitBadArguments;
    }
    FileOutputBuffer buffer(stdout);
    std::ostream out(&buffer);
    const int status = write(options.mode, options, out);
    if (status == kExitCannotWrite) {
        std::cerr << "shoutotsu-trace: cannot write the output: " << buffer.failure() << "\n";
    }
    return status;
}
