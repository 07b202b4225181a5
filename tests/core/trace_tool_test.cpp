// shoutotsu-trace: the golden default trace, the results table and bad input.
#include "tools/trace_options.h"
#include "tools/trace_output.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace shoutotsu::trace {
namespace {

struct ToolRun {
    int status = -1;
    std::string out, err;
};

ToolRun runTool(const std::string& arguments) {
    const std::string errFile = ::testing::TempDir() + "trace_stderr.txt";
    const std::string command =
        std::string(SHOUTOTSU_TRACE_TOOL) + " " + arguments + " 2>" + errFile;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The whole default run at medium speed, tick by tick. To regenerate on
// purpose: build/tools/shoutotsu-trace > tests/data/default_trace_medium.csv
TEST(TraceTool, DefaultTraceMatchesTheGoldenFile) {
    std::ostringstream out, err;
    Options options;
    ASSERT_EQ(writeTrace(options, out, err), 0);
    const std::string expected =
        readFile(std::string(SHOUTOTSU_TEST_DATA) + "/default_trace_medium.csv");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(), "");
}

TEST(TraceTool, LayoutListsEveryControlAndTheState) {
    const ToolRun run = runTool("--layout --screen 9852.631836,11520 --height 40 --length 50");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("name,property,value\n", 0), 0u);
    for (const char* row :
         {"main,Width,", "work,Width,9000\n", "sp(2),Left,840\n", "rail,X2,2250\n", "rail,Y2,450\n",
          "htext,Caption,40\n", "ltext,Caption,50\n", "varcopy,Caption,var.1.1.0   ",
          "SimState,scale,450\n", "SimState,run,30\n", "yukaA,Y1,3150\n"}) {
        EXPECT_NE(run.out.find(row), std::string::npos) << row;
    }
}

TEST(TraceTool, ResultsTableCoversEveryCombination) {
    const ToolRun run = runTool("--results --m1 10,20,30,40,50 --m2 20 --speed fast");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "length,height,m1,m2,r1,r2,speed,result\n"
                       "60,20,10,20,10,10,fast,25.3cm\n"
                       "60,20,20,20,10,10,fast,37.9cm\n"
                       "60,20,30,20,10,10,fast,45.5cm\n" // 456 mm exactly, cut from 455.99…
                       "60,20,40,20,10,10,fast,50.6cm\n"
                       "60,20,50,20,10,10,fast,54.2cm\n");
}

TEST(TraceTool, BadInputIsOneLineOnStderrAndStatusTwo) {
    for (const char* arguments : {"--height 9",
                                  "--height 41",
                                  "--length abc",
                                  "--m1 10,20",
                                  "--r2 8.5",
                                  "--speed quick",
                                  "--results --m2 10,,20",
                                  "--results --m1 ''",
                                  "--screen 100",
                                  "--screen 0,100",
                                  "--screen 1e39,100",
                                  "--bogus",
                                  "--m2",
                                  "extra",
                                  "--layout --results",
                                  "--results --results",
                                  "--m1 10 --m1 20",
                                  "--results --speed fast --speed slow",
                                  "--m1 99999999999",
                                  "--m1 \"$(printf '1\\001\\n2')\"",
                                  "--speed \"$(printf '\\377')\"",
                                  "--bogus=\"$(printf '\\033[2J')\""}) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << run.err;
        EXPECT_EQ(run.err.rfind("shoutotsu-trace: ", 0), 0u) << arguments << run.err;
    }
    const std::pair<const char*, const char*> says[] = {
        {"--r1 15", "--r1: 15 is out of range; --r1 takes an integer from 8 to 14 (mm)"},
        {"--m1 99999999999", "--m1: 99999999999 is out of range;"},
        {"--results --m2 10,,20", "--m2: an empty item in '10,,20';"},
        {"--m2", "--m2: missing value;"},
        {"--bogus", "unknown option '--bogus';"},
        {"--layout --results", "--layout and --results are two modes"},
        {"--m1 10 --m1=20", "--m1: given more than once"},
        {"--m1 \"$(printf '1\\001\\n2')\"", "'1\\x01\\x0a2' is not an integer"},
        {"--speed \"$(printf 'f\\377\\\\')\"", "'f\\xff\\\\' is not a speed"},
        {"--screen 3e38,3e38", "shoutotsu-trace: 実行時エラー '6': "}, // a run-time error: 1
    };
    for (const auto& [arguments, message] : says) {
        const ToolRun run = runTool(arguments);
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << run.err;
    }
    EXPECT_EQ(runTool("--screen 3e38,3e38").status, 1);
    const ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--results"), std::string::npos);
}

// A long table tells a waiting teacher how far it is, on stderr and only
// when asked (the tool asks when stderr is a terminal).
TEST(TraceTool, AResultsTableOverAHundredThousandRowsShowsItsProgress) {
    Options options;
    options.mode = Mode::Results;
    options.speeds = {Speed::Fast};
    options.m1s.assign(100001, 20);
    std::ostringstream out, err, quiet;
    ASSERT_EQ(writeResults(options, out, err, true), 0);
    EXPECT_NE(err.str().find("\rshoutotsu-trace: 1000 of 100001 rows"), std::string::npos);
    EXPECT_EQ(err.str().substr(err.str().size() - 40),
              "\rshoutotsu-trace: 100001 of 100001 rows\n");
    options.m1s.resize(100000);
    ASSERT_EQ(writeResults(options, out, quiet, true), 0);
    EXPECT_EQ(quiet.str(), "");
}

// A table that cannot be written whole must not end as if it had been.
TEST(TraceTool, AFailedWriteIsOneLineAndStatusThree) {
    const std::string tool = SHOUTOTSU_TRACE_TOOL;
    const std::string everything = " --results --length 50,60,70,80 --height 10,20,30,40 "
                                   "--m1 10,20,30,40,50 --m2 10,20,30,40,50 --r1 8,10,12,14 "
                                   "--r2 8,10,12,14";
    const std::string errFile = ::testing::TempDir() + "trace_write_error.txt";
    const std::pair<std::string, const char*> cases[] = {
        {tool + " >/dev/full", "No space left on device"},
        {tool + " --layout >/dev/full", "No space left on device"},
        {tool + " --help >/dev/full", "No space left on device"},
        {tool + everything + " >&-", "Bad file descriptor"},
        // The reader goes after ten bytes; with SIGPIPE ignored the tool
        // sees the broken pipe as a failed write.
        {"trap '' PIPE; { " + tool + everything + "; echo $? >" + errFile +
             ".status; } | head -c 10 >/dev/null; exit $(cat " + errFile + ".status)",
         "Broken pipe"},
    };
    for (const auto& [command, reason] : cases) {
        const int raw = std::system(("(" + command + ") 2>" + errFile).c_str());
        const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        EXPECT_EQ(status, 3) << command;
        EXPECT_EQ(readFile(errFile),
                  std::string("shoutotsu-trace: cannot write the output: ") + reason + "\n")
            << command;
    }
}

} // namespace
} // namespace shoutotsu::trace
