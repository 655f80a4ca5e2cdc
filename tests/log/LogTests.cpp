#include "support/GTestWin.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "log/DebugLog.h"
#include "logger/TraceFlags.h"
#include "support/LogRecorder.h"
#include "support/TestSupport.h"

namespace {

int g_nFormatted = 0;
const char* Counted(const char* psz) { return ++g_nFormatted, psz; }

// Saves and restores the global log object around a test.
class LogObjectTest : public testing::Test {
protected:
    void SetUp() override { m_saved = global_TheOneSwiftTraceLog; }
    void TearDown() override { global_TheOneSwiftTraceLog = m_saved; }
    SwiftTraceLog m_saved{};
};

}  // namespace

TEST(LogSites, FollowTheEnableRuleAndFormatNothingWhenOff)
{
    SwiftTraceLog& log = global_TheOneSwiftTraceLog;
    // A site is written when its category is in the mask or its channel is
    // switched on; channel 16 lies beyond the switches.
    // {mask, channel on, site's category and channel, line written (null: none, nothing evaluated)}
    const struct {
        unsigned char bMask;
        int nOnChannel, nCategory, nChannel;
        const char* pszLine;
    } cases[] = {
        {kLogResult, -1, kLogTrace, 0, nullptr},
        {kLogResult, -1, kLogResult, 5, "MainFrm(12) [1:5] x 7"},
        {0, 1, kLogTrace, 1, "MainFrm(12) [8:1] x 7"},
        {0, 1, kLogDisabled, 0, nullptr},
        {kLogResult, -1, kLogTrace, 16, nullptr},
    };
    for (const auto& c : cases) {
        testsupport::LogRecorder sink;
        log.m_bCategoryMask = c.bMask;
        if (c.nOnChannel >= 0)
            log.m_abChannelOn[c.nOnChannel] = 1;
        g_nFormatted = 0;
        LOG_AT("MainFrm", 12, c.nCategory, c.nChannel, "%s %d", Counted("x"), 7);
        EXPECT_EQ(c.pszLine ? 1 : 0, g_nFormatted) << &c - cases;
        EXPECT_EQ(c.pszLine ? std::vector<std::string>{c.pszLine} : std::vector<std::string>{},
                  sink.m_linesWithSource);
        // The object is read afresh at every site: no sink, nothing evaluated.
        log.m_pSink = nullptr;
        LOG_LINE("MainFrm", kLogResult, "%s", Counted("gone"));
        EXPECT_EQ(c.pszLine ? 1 : 0, g_nFormatted);
    }
}

TEST(TraceFlags, GrammarSetsSwitchesAndMask)
{
    // Each string applied to a log with channel 5 on and 0x40 in the mask.
    const struct { const char* pszFlags; const char* pszOn; int nMask; } cases[] = {
        {"*.*", "1111111111111111", 0x40},
        {"*:!* *:3", "0000000000000000", 3},
        {"5:!*", "0000000000000000", 0},
        {"1:* 0.8 x:* 16:* -1:* 2:256 : *: 3:", "0100010000000000", 0x48},
        {" \t", "0000010000000000", 0x40},
        {nullptr, "0000010000000000", 0x40},
    };
    for (const auto& c : cases) {
        SwiftTraceLog log{{0, 0, 0, 0, 0, 1}, 0x40, nullptr};
        ApplyTraceFlags(c.pszFlags, log);
        std::string on;
        for (unsigned char b : log.m_abChannelOn)
            on += static_cast<char>('0' + b);
        EXPECT_EQ(c.pszOn, on) << (c.pszFlags ? c.pszFlags : "null");
        EXPECT_EQ(c.nMask, log.m_bCategoryMask) << (c.pszFlags ? c.pszFlags : "null");
    }
}

TEST_F(LogObjectTest, MakeTraceLogWritesEachLineToAFreshFile)
{
    testsupport::TempFolder folder("qlog");
    SetEnvironmentVariableA("QUILLON_LOG_DIR", folder.Path().c_str());
    testsupport::WriteFileBytes(folder.File("Quillon.log"), std::string(4000, '.') + "old run\r\n");

    ASSERT_NE(0u, makeTraceLog("Quillon.log", "*.*"));
    ASSERT_NE(nullptr, global_TheOneSwiftTraceLog.m_pSink);
    LOG_AT("Quillon", 74, kLogTrace, 1, "OnCreate::InitLogFile");
    LOG_LINE("MainFrm", kLogResult, "Path %s, %d%%", "C:\\a b", 50);
    // Control characters of a text are escaped: one call, one line.
    LOG_LINE("MainFrm", kLogTrace, "Found file %s", "C:\\new\n\r\tb\x01\x1F\x7F\xE9.mp3");

    // Read while the log is still open: each line is already in the file.
    const std::string text = testsupport::ReadFileBytes(folder.File("Quillon.log"));
    EXPECT_EQ(std::string::npos, text.find("old run"));
    const auto first = text.find("\r\n");
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, text.substr(0, first).find(" Quillon(74) [8:1] OnCreate::InitLogFile"));
    EXPECT_NE(std::string::npos, text.find("MainFrm(", first));
    EXPECT_NE(std::string::npos, text.find("[1:0] Path C:\\a b, 50%\r\n", first));
    EXPECT_NE(std::string::npos,
              text.find("[8:0] Found file C:\\new\\n\\r\\tb\\x01\\x1F\\x7F\xE9.mp3\r\n", first));
    EXPECT_EQ(3, std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(3, std::count(text.begin(), text.end(), '\r'));

    // An overlong line is cut, not overrun.
    const std::string big(5000, 'z');
    LOG_LINE("MainFrm", kLogResult, "%s", big.c_str());
    const std::string after = testsupport::ReadFileBytes(folder.File("Quillon.log"));
    EXPECT_LT(after.size(), text.size() + 2100);
    EXPECT_EQ("\r\n", after.substr(after.size() - 2));

    global_TheOneSwiftTraceLog.m_pSink->Close();
    SetEnvironmentVariableA("QUILLON_LOG_DIR", nullptr);
}
