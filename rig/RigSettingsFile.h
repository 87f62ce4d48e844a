#pragma once
// RigCntrl.txt in the program folder: fourteen values, one a line (CR LF), texts in double quotes,
// numbers bare. Read at the radio window's load, written by its "Done".
#include "rig/RigSettings.h"

namespace tylog {

struct RigSettingsFile {
    RigSettingsData settings; // the values read over the defaults
    QString rigType;          // value 11, when rigTypeRead
    bool rigTypeRead = false;
    bool opened = false; // the file was there
    bool whole = false;  // every value was read and fits
};

// Reads the values in file order over `start`: the baud padded or cut to 5 characters, parity, data
// bits, stop bits, power line and poll rate their first character, the port a byte, the two check
// boxes 0, 1 or 2 (grey, read as off). The first value that is missing or does not convert ends the
// reading, keeping the values before it; the check boxes and the mode source count only when all 14
// were read. A port outside 1 to 10 leaves the serial values (port, baud, parity, bits, power line,
// poll rate) at `start`, since no port can be chosen for it.
RigSettingsFile ReadRigSettings(const QString& path, const RigSettingsData& start = {});
// Rewrites the file atomically (the old one stays whole on failure: VbError).
void WriteRigSettings(const QString& path, const RigSettingsData& settings, const QString& rigType);

// The window's load: RigCntrl.txt ("rigcntrl.txt") into RigSettings, and its radio type into
// Station.RigType. Without the file nothing changes.
RigSettingsFile LoadRigSettings();
// "Done": RigSettings and Station.RigType into RigCntrl.txt, under the name it was found by.
void SaveRigSettings();

} // namespace tylog
