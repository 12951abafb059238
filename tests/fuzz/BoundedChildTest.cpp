// A fuzz case runs in a forked child: everything that goes wrong there must reach the run,
// or a broken case would pass.
#include "tests/support/BoundedChild.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

TEST(BoundedChild, ReportsWhateverWentWrongInTheChild)
{
    struct Case {
        const char* what;
        std::function<std::string()> body;
        std::string reported;  // the start of the report
    };
    const Case cases[] = {
        {"nothing", [] { return std::string(); }, ""},
        {"the case's own failure", [] { return std::string("value lost"); }, "value lost"},
        {"an exception", []() -> std::string { throw std::runtime_error("bad file"); },
         "an exception escaped: bad file"},
        {"a failed assertion",
         [] {
             EXPECT_EQ(1 + 1, 3);
             return std::string();
         },
         "failed assertions: "},
        {"an end before the report", []() -> std::string { ::_exit(0); },
         "ended without finishing its case"},
        {"a crash", []() -> std::string { std::abort(); },
         "killed by signal " + std::to_string(SIGABRT)},
        {"a hang",
         []() -> std::string {
             for (;;)
                 ::pause();
         },
         "still running after 1 s"},
    };
    for (const Case& c : cases) {
        const std::string reported = RunInBoundedChild(c.body, 1);
        EXPECT_EQ(reported.substr(0, c.reported.size()), c.reported) << c.what << ": " << reported;
        EXPECT_EQ(reported.empty(), c.reported.empty()) << c.what;
    }
}
