#include "support/VRX_Network.h"

#include "app/AppState.h"

#include <gtest/gtest.h>

TEST(VRX_NetworkTest, StartsOnceAndStopsWithTheLastRelease) {
    EXPECT_TRUE(VRX_NetworkStart());
    EXPECT_TRUE(VRX_NetworkStart());
    EXPECT_EQ(networkReferenceCount, 2);
    VRX_NetworkRelease();
    EXPECT_TRUE(networkInitialised);
    VRX_NetworkRelease();
    EXPECT_FALSE(networkInitialised);
    VRX_NetworkRelease();
    EXPECT_EQ(networkReferenceCount, 0) << "never below zero";
    EXPECT_TRUE(VRX_NetworkStart()) << "starts again after a full release";
}
