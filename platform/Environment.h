#pragma once
#include <QString>

namespace tylog {

// The two Windows profile variables the folder logic is written for, mapped onto Linux:
//   USERPROFILE: $USERPROFILE when set, else $HOME.
//   APPDATA:     $APPDATA when set, else $XDG_DATA_HOME, else $HOME/.local/share.
// Empty when neither source is set.
QString ProfileVariable(const QString& name);

// The folder that stands for "c:\My Documents" when there is no profile at all.
QString NoProfileDocumentsFolder();

} // namespace tylog
