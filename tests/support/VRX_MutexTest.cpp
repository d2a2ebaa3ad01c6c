#include "support/VRX_Mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(VRX_MutexTest, OwnerTakesTheLockAgainAndOthersWaitForBothReleases) {
    VRX_Mutex_Win32Mutex lock(kVrxLockTimeoutMs);
    ASSERT_TRUE(lock.Lock());
    ASSERT_TRUE(lock.Lock());
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(lock.IsLockedByMe());
    EXPECT_EQ(lock.GetOwnerThread(), VRX_CurrentThreadId());

    std::atomic<bool> otherGotIt{false};
    std::atomic<bool> otherSawOwner{true};
    auto tryFromOtherThread = [&] {
        std::thread other([&] {
            otherSawOwner = lock.IsLockedByMe();
            otherGotIt = lock.TryLock(0);
            if (otherGotIt) {
                lock.Unlock();
            }
        });
        other.join();
    };

    tryFromOtherThread();
    EXPECT_FALSE(otherGotIt);
    EXPECT_FALSE(otherSawOwner);

    lock.Unlock();
    EXPECT_TRUE(lock.IsLockedByMe());
    tryFromOtherThread();
    EXPECT_FALSE(otherGotIt) << "one release of two nested holds must keep the lock";

    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_EQ(lock.GetOwnerThread(), 0u);
    tryFromOtherThread();
    EXPECT_TRUE(otherGotIt);
}

TEST(VRX_MutexTest, TimeoutsPrintOnlyForLongWaits) {
    VRX_Mutex_Win32Mutex lock(10);
    ASSERT_TRUE(lock.Lock());
    std::thread other([&] {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(lock.Lock()) << "Lock waits only for the timeout";
        EXPECT_FALSE(lock.TryLock(1000));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

        testing::internal::CaptureStdout();
        EXPECT_FALSE(lock.TryLock(1001));
        EXPECT_NE(testing::internal::GetCapturedStdout().find("Timeout while locking mutex!"),
                  std::string::npos);
    });
    other.join();
    lock.Unlock();
}

TEST(VRX_MutexTest, ReleaseByAStrangerIsReportedAndChangesNothing) {
    VRX_Mutex_Win32Mutex lock(kVrxLockTimeoutMs);
    ASSERT_TRUE(lock.Lock());
    std::thread other([&] {
        testing::internal::CaptureStdout();
        lock.Unlock();
        EXPECT_NE(testing::internal::GetCapturedStdout().find("Error while unlocking mutex!"),
                  std::string::npos);
    });
    other.join();
    EXPECT_TRUE(lock.IsLockedByMe()) << "the owner's hold must survive a stranger's release";
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());

    testing::internal::CaptureStdout();
    lock.Unlock();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Error while unlocking mutex!"),
              std::string::npos);
}

TEST(VRX_MutexTest, ScopedLockReleasesOnlyWhatItTook) {
    VRX_Mutex_Win32Mutex lock(10);
    ASSERT_TRUE(lock.Lock());
    std::thread other([&] {
        VRX_ScopedLock scoped(&lock); // times out
        EXPECT_FALSE(lock.IsLockedByMe());
    });
    other.join();
    EXPECT_TRUE(lock.IsLockedByMe());
    {
        VRX_ScopedLock nested(&lock);
        EXPECT_TRUE(lock.IsLockedByMe());
    }
    EXPECT_TRUE(lock.IsLockedByMe());
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
}
