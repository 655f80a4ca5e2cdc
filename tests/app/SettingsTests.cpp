// The four settings in the registry of the test prefix, read and stored by
// the application object of this process.
#include "support/GTestWin.h"

#include <cstring>
#include <string>

#include "app/QuillonApp.h"
#include "app/RegistryKey.h"
#include "support/ProgramFixture.h"

using testsupport::StoredSetting;
using testsupport::StoreRawSetting;
using testsupport::StoreSetting;

namespace {

const char kDefaultAudacity[] = "D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe";

using Field = char (CQuillonApp::*)[kSettingSize];

class Settings : public testing::Test {
protected:
    void SetUp() override { testsupport::DeleteSettings(); }
    void TearDown() override { testsupport::DeleteSettings(); }
};

}  // namespace

TEST_F(Settings, DefaultsFirstThenStoredValuesAndEmptyValuesAreDeletedAtSave)
{
    CQuillonApp first;
    first.ExchangeSettings(false);
    EXPECT_STREQ("Quillon.log", first.m_szLogFile);
    EXPECT_STREQ("*:!* *:3", first.m_szLogFlags);
    EXPECT_STREQ(kDefaultAudacity, first.m_szAudacityFilename);
    EXPECT_STREQ("C:\\Temp", first.m_szDefaultDirectory);
    CRegKeyHandle key;  // created empty by the first read
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, testsupport::kSettingsKeyPath, 0,
                                           KEY_READ, key.Put()));
    EXPECT_EQ("<absent>", StoredSetting("LogFile"));
    first.ExchangeSettings(true);
    EXPECT_EQ("Quillon.log", StoredSetting("LogFile"));
    EXPECT_EQ("*:!* *:3", StoredSetting("LogFlags"));
    EXPECT_EQ(kDefaultAudacity, StoredSetting("AudacityFilename"));
    EXPECT_EQ("C:\\Temp", StoredSetting("DefaultDirectory"));

    const std::string longPath = "C:\\" + std::string(256, 'p');  // 259 characters fit
    ASSERT_TRUE(StoreSetting("AudacityFilename", longPath));
    ASSERT_TRUE(StoreSetting("LogFile", ""));
    ASSERT_TRUE(StoreSetting("LogFlags", "*:1"));
    CQuillonApp app;
    app.ExchangeSettings(false);
    EXPECT_EQ(longPath, app.m_szAudacityFilename);
    EXPECT_STREQ("", app.m_szLogFile);
    EXPECT_STREQ("*:1", app.m_szLogFlags);
    app.ExchangeSettings(true);
    EXPECT_EQ(longPath, StoredSetting("AudacityFilename"));
    EXPECT_EQ("<absent>", StoredSetting("LogFile"));
}

// Each value is stored with exactly the given bytes: a string whose next
// byte in memory is no NUL, so that the registry cannot add a terminator
// behind its count. The values stay while the next are stored: a bad value
// does not stop the reading of the others.
TEST_F(Settings, ValuesThatDoNotFitOrAreNoStringKeepTheDefaultAndNeverOverrun)
{
    const std::string overlong(401, 'o');
    const std::string full(261, 'u');  // the field's size, no terminator
    const DWORD dw = 0x41414141;
    const unsigned char bin[300] = {'B', 'I', 'N'};
    const struct {
        const char* pszName;
        Field field;
        DWORD dwType;
        const void* pData;
        DWORD cb;
        const char* pszRead;
    } cases[] = {
        {"LogFile", &CQuillonApp::m_szLogFile, REG_SZ, overlong.data(), 400, "Quillon.log"},
        {"LogFlags", &CQuillonApp::m_szLogFlags, REG_SZ, full.data(), 260, "*:!* *:3"},
        {"AudacityFilename", &CQuillonApp::m_szAudacityFilename, REG_DWORD, &dw, 4, kDefaultAudacity},
        {"DefaultDirectory", &CQuillonApp::m_szDefaultDirectory, REG_BINARY, bin, 300, "C:\\Temp"},
        // A short string without a terminator is read as its bytes.
        {"LogFlags", &CQuillonApp::m_szLogFlags, REG_SZ, "abcd", 3, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(StoreRawSetting(c.pszName, c.dwType, c.pData, c.cb));
        CQuillonApp app;
        app.ExchangeSettings(false);
        EXPECT_STREQ(c.pszRead, app.*c.field);
        for (Field field : {&CQuillonApp::m_szLogFile, &CQuillonApp::m_szLogFlags,
                            &CQuillonApp::m_szAudacityFilename, &CQuillonApp::m_szDefaultDirectory})
            EXPECT_LT(strnlen(app.*field, kSettingSize), kSettingSize);
    }
}

// Every read or write opens the key and closes it again.
TEST_F(Settings, NoKeyIsHeldBetweenOperations)
{
    CRegistryKey key;
    key.SetKey(HKEY_LOCAL_MACHINE, "Tarnvale", "Quillon", nullptr);
    char sz[kSettingSize] = "";
    EXPECT_EQ(0, key.WriteString("Name", "value"));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(0, key.ReadString("Name", sz, sizeof(sz), nullptr));
    EXPECT_STREQ("value", sz);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.ReadString("Missing", sz, sizeof(sz), "dflt"));
    EXPECT_STREQ("dflt", sz);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(0, key.WriteString("Name", nullptr));
    EXPECT_EQ("<absent>", StoredSetting("Name"));
    EXPECT_FALSE(key.IsOpen());
}
