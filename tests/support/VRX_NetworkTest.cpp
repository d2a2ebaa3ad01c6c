#include "support/VRX_Network.h"

#include "app/Editor.h"

#include <gtest/gtest.h>

TEST(VRX_NetworkTest, StartsOnceAndStopsWithTheLastRelease) {
    EXPECT_TRUE(VRX_NetworkStart());
    EXPECT_TRUE(VRX_NetworkStart());
    EXPECT_EQ(VRX_NetworkUsers(), 2);
    VRX_NetworkRelease();
    EXPECT_TRUE(VRX_NetworkRunning());
    VRX_NetworkRelease();
    EXPECT_FALSE(VRX_NetworkRunning());
    VRX_NetworkRelease();
    EXPECT_EQ(VRX_NetworkUsers(), 0) << "never below zero";
    EXPECT_TRUE(VRX_NetworkStart()) << "starts again after a full release";
}
