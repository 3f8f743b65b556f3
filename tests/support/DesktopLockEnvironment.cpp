// Linked into a test program (object library scrivlo_test_desktop_lock):
// every case of the program holds the desktop input lock while it runs.
#include "tests/support/DesktopInputLock.h"

#include <gtest/gtest.h>

namespace scrivlo_test {
namespace {

class CDesktopLockEnvironment : public testing::Environment {
public:
    void SetUp() override {
        // Below ctest's time limit for one case, so that a stuck holder
        // shows as a failure here rather than as a timeout.
        ASSERT_TRUE(m_lock.Acquire(90000)) << "the desktop input lock stayed taken";
    }
    void TearDown() override { m_lock.Release(); }

private:
    CDesktopInputLock m_lock;
};

testing::Environment* const g_pDesktopLock = testing::AddGlobalTestEnvironment(new CDesktopLockEnvironment);

}  // namespace
}  // namespace scrivlo_test
