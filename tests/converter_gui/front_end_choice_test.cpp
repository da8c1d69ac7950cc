// convMarlitPC chooses its front end: without a display it stays the
// terminal program, and --gui says plainly why the window cannot open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/run_program.h"

namespace marlit {
namespace {

// Unsets an environment variable for the life of the object.
class Unset {
  public:
    explicit Unset(const char* name) : name_(name) {
        if (const char* v = std::getenv(name))
            saved_ = v;
        ::unsetenv(name);
    }
    ~Unset() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
    }

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(ConvMarlitPCFrontEnd, WithoutADisplayTheTerminalRuns) {
    Unset display("DISPLAY");
    Unset wayland("WAYLAND_DISPLAY");
    Unset platform("QT_QPA_PLATFORM");
    const std::string program = test::programPath("convMarlitPC");

    auto bare = test::runProgram(program, {});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.err.find("usage: convMarlitPC"), std::string::npos) << bare.err;

    auto gui = test::runProgram(program, {"--gui", "--no-remember"});
    EXPECT_EQ(gui.exitCode, 2);
    EXPECT_NE(gui.err.find("the window needs a display"), std::string::npos) << gui.err;
    EXPECT_NE(gui.err.find("convMarlitPC SOURCE"), std::string::npos) << gui.err;
}

}  // namespace
}  // namespace marlit
