// The three CSV reports of shoutotsu-trace.
#pragma once

#include "app/main_form.h"
#include "tools/trace_options.h"

#include <ostream>

namespace shoutotsu::trace {

// Each returns the process exit status: 0, or 1 after a run-time error.
int writeLayout(const Options& options, std::ostream& out, std::ostream& err);
int writeTrace(const Options& options, std::ostream& out, std::ostream& err);
int writeResults(const Options& options, std::ostream& out, std::ostream& err);

} // namespace shoutotsu::trace
