#pragma once
#include <QString>
#include <cstdint>

namespace tylog {

// SharedUserPreferences.xml in the shared folder; the text lives in SharedPrefs (core/ProcessState.h).
// The file is shared with other programs: every byte the program does not change is written back as
// it was read. An empty file (or one of a single byte) starts a new text with the declaration.
void LoadSharedPrefs(const QString& path);
// Throws VbError when the file cannot be written; the old file then stays whole.
void SaveSharedPrefs(const QString& path);
// Sets one key's value on its own line. What would end the line (double quote, CR, LF) is dropped
// from the value and "&", "<" and ">" are written as their entities, so a value cannot change the
// file's structure. Nothing in the program reads the values back from this file.
void SetSharedPref(const QString& key, const QString& value, std::uint8_t saveNow);

} // namespace tylog
