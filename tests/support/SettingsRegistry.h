// The program's four settings in the registry of the test prefix, as tests
// set them before a start and read them after an exit.
#pragma once

#include <string>

namespace testsupport {

// HKEY_LOCAL_MACHINE\<this>: where the program keeps its settings.
constexpr char kSettingsKeyPath[] = "SOFTWARE\\Tarnvale\\Quillon";

// Stores a REG_SZ value (creating the key); false on failure.
bool StoreSetting(const char* pszName, const std::string& value);
// The stored REG_SZ value, or "<absent>".
std::string StoredSetting(const char* pszName);
// Removes the key with every value.
void DeleteSettings();

}  // namespace testsupport
