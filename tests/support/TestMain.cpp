// The entry point of every test program.
#include "support/GTestWin.h"

#include "support/ProgramProcess.h"

namespace {

// After each test, ends the Audacity stand-ins that the code under test
// started and left running (a failed assertion skips a test's own clean-up),
// so that CTest never waits on them.
class EndLeftovers : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override
    {
        testsupport::EndDescendants(GetCurrentProcessId(), "AudacityStandIn");
    }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new EndLeftovers);
    return RUN_ALL_TESTS();
}
