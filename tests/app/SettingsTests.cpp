#include "support/GTestWin.h"

#include <cstring>
#include <string>

#include "app/QuillonApp.h"
#include "app/RegistryKey.h"
#include "support/TestSupport.h"

namespace {

const char kKeyPath[] = "SOFTWARE\\Tarnvale\\Quillon";
const char kDefaultAudacity[] = "D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe";

void SetRaw(const char* pszName, DWORD dwType, const void* pData, DWORD cb)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb));
    RegCloseKey(hKey);
}

void SetString(const char* pszName, const std::string& value)
{
    SetRaw(pszName, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// The stored value, or "<absent>".
std::string Stored(const char* pszName)
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz);
    DWORD dwType = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath, pszName, RRF_RT_ANY, &dwType, sz, &cb) !=
        ERROR_SUCCESS)
        return "<absent>";
    return sz;
}

bool KeyExists()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

class Settings : public testing::Test {
protected:
    void SetUp() override { testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath); }
    void TearDown() override { testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath); }
};

void ExpectTerminatedField(const char* pszField)
{
    EXPECT_LT(strnlen(pszField, kSettingSize), kSettingSize);
}

}  // namespace

TEST_F(Settings, FirstStartUsesDefaultsCreatesAnEmptyKeyAndStoresAllFour)
{
    CQuillonApp app;
    app.ExchangeSettings(false);
    EXPECT_STREQ("Quillon.log", app.m_szLogFile);
    EXPECT_STREQ("*:!* *:3", app.m_szLogFlags);
    EXPECT_STREQ(kDefaultAudacity, app.m_szAudacityFilename);
    EXPECT_STREQ("C:\\Temp", app.m_szDefaultDirectory);
    ASSERT_TRUE(KeyExists());
    EXPECT_EQ("<absent>", Stored("LogFile"));

    app.ExchangeSettings(true);
    EXPECT_EQ("Quillon.log", Stored("LogFile"));
    EXPECT_EQ("*:!* *:3", Stored("LogFlags"));
    EXPECT_EQ(kDefaultAudacity, Stored("AudacityFilename"));
    EXPECT_EQ("C:\\Temp", Stored("DefaultDirectory"));
}

TEST_F(Settings, StoredValuesLoadAndEmptyValuesAreDeletedAtSave)
{
    const std::string longPath = "C:\\" + std::string(256, 'p');  // 259 characters
    ASSERT_EQ(259u, longPath.size());
    SetString("AudacityFilename", longPath);
    SetString("LogFile", "");
    SetString("LogFlags", "*:1");

    CQuillonApp app;
    app.ExchangeSettings(false);
    EXPECT_EQ(longPath, app.m_szAudacityFilename);
    EXPECT_STREQ("", app.m_szLogFile);
    EXPECT_STREQ("*:1", app.m_szLogFlags);
    EXPECT_STREQ("C:\\Temp", app.m_szDefaultDirectory);  // absent: default stays

    app.ExchangeSettings(true);
    EXPECT_EQ(longPath, Stored("AudacityFilename"));
    EXPECT_EQ("<absent>", Stored("LogFile"));
    EXPECT_EQ("C:\\Temp", Stored("DefaultDirectory"));
}

TEST_F(Settings, BadValuesNeverOverrunAndDoNotStopTheOthers)
{
    const std::string overlong(400, 'o');
    SetString("LogFile", overlong);
    const std::string unterminated(260, 'u');  // exactly the field size, no terminator
    SetRaw("LogFlags", REG_SZ, unterminated.data(), static_cast<DWORD>(unterminated.size()));
    const DWORD dw = 0x41414141;
    SetRaw("AudacityFilename", REG_DWORD, &dw, sizeof(dw));
    const unsigned char bin[300] = {'B', 'I', 'N'};
    SetRaw("DefaultDirectory", REG_BINARY, bin, sizeof(bin));

    CQuillonApp app;
    app.ExchangeSettings(false);
    ExpectTerminatedField(app.m_szLogFile);
    ExpectTerminatedField(app.m_szLogFlags);
    ExpectTerminatedField(app.m_szAudacityFilename);
    ExpectTerminatedField(app.m_szDefaultDirectory);
    // Failed reads keep what the fields held before.
    EXPECT_STREQ("Quillon.log", app.m_szLogFile);
    EXPECT_STREQ("*:!* *:3", app.m_szLogFlags);
    EXPECT_STREQ(kDefaultAudacity, app.m_szAudacityFilename);
    EXPECT_STREQ("C:\\Temp", app.m_szDefaultDirectory);

    // A short unterminated string is read as its bytes.
    SetRaw("LogFlags", REG_SZ, "abc", 3);
    SetString("DefaultDirectory", "D:\\Music");
    app.ExchangeSettings(false);
    EXPECT_STREQ("abc", app.m_szLogFlags);
    EXPECT_STREQ("D:\\Music", app.m_szDefaultDirectory);
}

TEST_F(Settings, RegistryKeyPathsAndClosedKeyBetweenOperations)
{
    CRegistryKey key;
    EXPECT_EQ(0, key.SetKey(HKEY_LOCAL_MACHINE, "Tarnvale", "Quillon", nullptr));
    EXPECT_EQ(HKEY_LOCAL_MACHINE, key.GetRoot());
    EXPECT_EQ("SOFTWARE\\Tarnvale\\Quillon", key.GetKeyPath());
    EXPECT_EQ(0, key.SetKey(HKEY_CURRENT_USER, "Tarnvale", nullptr, nullptr));
    EXPECT_EQ("Software\\Tarnvale", key.GetKeyPath());
    EXPECT_EQ(0, key.SetKey(HKEY_CURRENT_USER, "Tarnvale", "Quillon", "Section"));
    EXPECT_EQ("Software\\Tarnvale\\Quillon\\Section", key.GetKeyPath());

    key.SetKey(HKEY_LOCAL_MACHINE, "Tarnvale", "Quillon", nullptr);
    EXPECT_EQ(0, key.WriteString("Name", "value"));
    EXPECT_FALSE(key.IsOpen());
    char sz[kSettingSize] = "";
    EXPECT_EQ(0, key.ReadString("Name", sz, sizeof(sz), nullptr));
    EXPECT_STREQ("value", sz);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.ReadString("Missing", sz, sizeof(sz), "dflt"));
    EXPECT_STREQ("dflt", sz);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(0, key.WriteString("Name", nullptr));
    EXPECT_EQ("<absent>", Stored("Name"));
    EXPECT_FALSE(key.IsOpen());
}
