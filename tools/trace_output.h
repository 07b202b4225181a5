// The three CSV reports of shoutotsu-trace.
#pragma once

#include "app/main_form.h"
#include "tools/trace_options.h"

#include <ostream>

namespace shoutotsu::trace {

// The process exit statuses of shoutotsu-trace.
constexpr int kExitDone = 0;
constexpr int kExitRunTimeError = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitCannotWrite = 3; // `out` failed: a full disk, a closed pipe

// Each returns the process exit status. A report stops at the first row
// `out` cannot take, and flushes `out` before it says it is done.
int writeLayout(const Options& options, std::ostream& out, std::ostream& err);
int writeTrace(const Options& options, std::ostream& out, std::ostream& err);
// With `progress` (stderr is a terminal), a table of more than 100,000 rows
// shows on `err` how many rows are done, of how many.
int writeResults(const Options& options, std::ostream& out, std::ostream& err,
                 bool progress = false);

} // namespace shoutotsu::trace
