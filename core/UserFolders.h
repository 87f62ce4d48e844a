#pragma once
#include <QString>
#include <cstdint>

namespace tylog {

// Path separator of the folder logic; sub-folder names are passed with it in front ("/Tessaly").
inline const QString PathSep = QStringLiteral("/");

// Finds the user's documents folder (see platform/Environment.h for the profile mapping), makes sure
// documents+subFolder1 and documents+subFolder1+subFolder2 exist, and returns documents+subFolder1 in base.
void GetUserFolder(QString& base, const QString& subFolder1, const QString& subFolder2);
// Creates the last level of path when missing; showErrors 1 reports a failure in a message box.
void EnsureDirectory(const QString& path, std::uint8_t showErrors);
// True when the folder exists (its last component compared without regard to case).
bool FolderExists(const QString& path);
// The leading capitals and digits of a call sign; "YourCall" when there are none.
QString CallToFileStem(const QString& callSign);

} // namespace tylog
