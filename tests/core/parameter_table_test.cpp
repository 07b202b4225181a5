// The page's script carries the parameter table as a file of its own; it
// must be the core's, or the record would check runs against other ranges
// and name them otherwise than the window does.
#include "app/experiment_json.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace shoutotsu {
namespace {

TEST(ParameterTable, ThePagesCopyIsTheCores) {
    std::ifstream file(SHOUTOTSU_PAGE_PARAMETER_TABLE);
    ASSERT_TRUE(file) << SHOUTOTSU_PAGE_PARAMETER_TABLE;
    std::stringstream text;
    text << file.rdbuf();
    const std::string expected = "export const PARAMETER_TABLE = " + parameterTableJson() + ";";
    EXPECT_NE(text.str().find(expected), std::string::npos)
        << SHOUTOTSU_PAGE_PARAMETER_TABLE << " must hold the line\n"
        << expected;
}

} // namespace
} // namespace shoutotsu
