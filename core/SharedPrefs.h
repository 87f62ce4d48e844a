#pragma once
#include <QString>
#include <cstdint>

namespace tylog {

// SharedUserPreferences.xml in the shared folder; the text lives in SharedPrefs (app/ProcessState.h).
void LoadSharedPrefs(const QString& path);
// Throws VbError when the file cannot be written; the old file then stays whole.
void SaveSharedPrefs(const QString& path);
void SetSharedPref(const QString& key, const QString& value, std::uint8_t saveNow);

} // namespace tylog
