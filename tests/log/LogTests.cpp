#include "support/GTestWin.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "log/DebugLog.h"
#include "logger/TraceFlags.h"
#include "support/TestSupport.h"

namespace {

// Records lines instead of writing a file.
class RecordingSink final : public SwiftTraceSink {
public:
    int Open(const char*, const char*) override { return 1; }
    void Close() override {}
    void Flush() override {}
    void Write(const char* pszModule, int nLine, int nLevel, int nCategory, int nChannel,
               const char* pszFormat, ...) override
    {
        char sz[512];
        va_list args;
        va_start(args, pszFormat);
        vsnprintf(sz, sizeof(sz), pszFormat, args);
        va_end(args);
        char szLine[700];
        snprintf(szLine, sizeof(szLine), "%s|%d|%d|%d|%d|%s", pszModule, nLine, nLevel, nCategory,
                 nChannel, sz);
        lines.push_back(szLine);
    }
    std::vector<std::string> lines;
};

int g_nFormatted = 0;
const char* Counted(const char* psz)
{
    ++g_nFormatted;
    return psz;
}

// Saves and restores the global log object around a test.
class LogObjectTest : public testing::Test {
protected:
    void SetUp() override { m_saved = global_TheOneSwiftTraceLog; }
    void TearDown() override { global_TheOneSwiftTraceLog = m_saved; }
    void Reset(SwiftTraceSink* pSink, unsigned char bMask)
    {
        SwiftTraceLog& log = global_TheOneSwiftTraceLog;
        for (auto& b : log.m_abChannelOn)
            b = 0;
        log.m_bCategoryMask = bMask;
        log.m_pSink = pSink;
    }
    SwiftTraceLog m_saved{};
};

}  // namespace

TEST_F(LogObjectTest, SitesFollowTheEnableRuleAndFormatNothingWhenOff)
{
    RecordingSink sink;

    // No sink: silent, arguments not even evaluated.
    Reset(nullptr, 0xFF);
    global_TheOneSwiftTraceLog.m_abChannelOn[0] = 1;
    g_nFormatted = 0;
    LOG_AT("Quillon", 10, kLogTrace, 0, "%s", Counted("x"));
    EXPECT_EQ(0, g_nFormatted);

    // Sink, but neither the category in the mask nor the channel switched on.
    Reset(&sink, kLogResult);
    LOG_AT("MainFrm", 11, kLogTrace, 0, "%s", Counted("trace"));
    EXPECT_EQ(0, g_nFormatted);
    EXPECT_TRUE(sink.lines.empty());

    // The category in the mask: written on any channel.
    LOG_AT("MainFrm", 12, kLogResult, 0, "bRC = %d (select all)", 0);
    LOG_AT("MainFrm", 13, kLogResult, 5, "on channel %d", 5);
    // The channel's switch byte: written whatever the category.
    global_TheOneSwiftTraceLog.m_abChannelOn[1] = 1;
    LOG_AT("Quillon", 74, kLogTrace, 1, "OnCreate::InitLogFile");
    LOG_AT("findapp", 15, kLogDisabled, 0, "%s", Counted("channel 0 still off"));
    EXPECT_EQ(0, g_nFormatted);

    ASSERT_EQ(3u, sink.lines.size());
    EXPECT_EQ("MainFrm|12|4|1|0|bRC = 0 (select all)", sink.lines[0]);
    EXPECT_EQ("MainFrm|13|4|1|5|on channel 5", sink.lines[1]);
    EXPECT_EQ("Quillon|74|4|8|1|OnCreate::InitLogFile", sink.lines[2]);

    // The object is read afresh at every site: dropping the sink silences it.
    global_TheOneSwiftTraceLog.m_pSink = nullptr;
    LOG_LINE("MainFrm", kLogResult, "gone");
    EXPECT_EQ(3u, sink.lines.size());
}

TEST(TraceFlags, GrammarSetsSwitchesAndMask)
{
    SwiftTraceLog log{};
    ApplyTraceFlags("*.*", log);
    for (unsigned char b : log.m_abChannelOn)
        EXPECT_EQ(1, b);

    ApplyTraceFlags("*:!* *:3", log);
    for (unsigned char b : log.m_abChannelOn)
        EXPECT_EQ(0, b);
    EXPECT_EQ(3, log.m_bCategoryMask);

    SwiftTraceLog one{};
    ApplyTraceFlags("1:* bogus 99:* x:1 0:8", one);
    EXPECT_EQ(1, one.m_abChannelOn[1]);
    EXPECT_EQ(0, one.m_abChannelOn[0]);
    EXPECT_EQ(8, one.m_bCategoryMask);
    ApplyTraceFlags(nullptr, one);
    ApplyTraceFlags("", one);
    EXPECT_EQ(8, one.m_bCategoryMask);
}

TEST_F(LogObjectTest, MakeTraceLogWritesEachLineToAFreshFile)
{
    testsupport::TempFolder folder("qlog");
    SetEnvironmentVariableA("QUILLON_LOG_DIR", folder.Path().c_str());
    testsupport::WriteFileBytes(folder.File("Quillon.log"), "old run\r\n");

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
