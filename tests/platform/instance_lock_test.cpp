#include "platform/sdl/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace marlit {
namespace {

std::string uniqueKey(const char* what) {
    return std::string("test|") + what + "|" + std::to_string(::getpid());
}

TEST(InstanceLock, ASecondCopyFindsTheFirstAndAsksItForward) {
    std::string key = uniqueKey("first");
    EXPECT_FALSE(InstanceLock::signalRunning(key)) << "nobody holds it yet";
    InstanceLock first;
    ASSERT_TRUE(first.claim(key));
    EXPECT_FALSE(first.raiseRequested());
    EXPECT_TRUE(InstanceLock::signalRunning(key));
    EXPECT_TRUE(first.raiseRequested());
    EXPECT_FALSE(first.raiseRequested()) << "one request, answered once";

    InstanceLock second;
    EXPECT_FALSE(second.claim(key));
    EXPECT_FALSE(InstanceLock::signalRunning(uniqueKey("other folder")));
}

TEST(InstanceLock, TheNameIsFreedWithTheCopy) {
    std::string key = uniqueKey("freed");
    {
        InstanceLock first;
        ASSERT_TRUE(first.claim(key));
    }
    EXPECT_FALSE(InstanceLock::signalRunning(key));
    InstanceLock again;
    EXPECT_TRUE(again.claim(key));
}

}  // namespace
}  // namespace marlit
