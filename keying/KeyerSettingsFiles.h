#pragma once
// The keyers' settings files in the program folder, CW.txt and wave2.txt, and their start-up reading.
// The files hold one value per line (CR LF): texts in double quotes, numbers bare.
#include "keying/KeyerSettings.h"

#include <QString>

namespace tylog {

// What reading a settings file gave: the values up to the first one missing or not converting, the
// rest at their defaults.
template <class Settings>
struct SettingsFile {
    Settings settings;
    bool opened = false; // the file was there
    bool whole = false;  // every value was read
};

// CW.txt: texts as the boxes show them (a bare number as its decimal text); an empty F9 message
// becomes "VVV DE "; a word space below -8 is held at "-8"; the keying type is a byte; the echo is
// 0 or 1 (2, a greyed check box, reads as off); repeat seconds that are no number stop the reading,
// and outside 0 <= s < 60 they read as "0".
SettingsFile<CWSettings> ReadCWSettings(const QString& path);
// wave2.txt: a push-to-talk line other than 0, 1 or 2 leaves the default; repeat seconds as in CW.txt.
SettingsFile<VoiceSettings> ReadVoiceSettings(const QString& path);

// Rewrite the file atomically (the old one stays whole on failure, VbError); the wave paths are
// written without their surrounding blanks, the CW texts without double quotes (which the file
// cannot hold), every other text as it stands.
void WriteCWSettings(const QString& path, const CWSettings& settings);
void WriteVoiceSettings(const QString& path, const VoiceSettings& settings);

// The CW timing of the registry (application "Q7BZW_Software", section "Settings"): UserCWSelection
// "Timer", "Loop" or "Sleep", compared exactly (anything else is Timer), and UserCWLoopOffset, the
// loop count as decimal text (no number: 0).
void LoadCWTiming(CWSettings& settings);
void SaveCWTiming(const CWSettings& settings);

// Start-up: wave2.txt into KeyerSettings.Voice, which the voice window shows when it loads (a window
// already loaded shows it at once); the window is not loaded for it. Throws
// VbError when the file is missing, short or holds a value that does not convert; the values read
// before stay, the rest keep their defaults.
void LoadVoiceSettings();

// Start-up: the CW timing of the registry, then CW.txt ("cw.txt") into KeyerSettings.CW and its keying
// type into Keyer.CWKeyingType, which the CW window shows when it loads (a window already loaded shows
// them at once); the window is not loaded for it, but the external keyer's window is when the file
// chooses that keyer, and a counting loop chosen without a count is calibrated, as showing them would. Silent: without the file nothing changes; a short or
// malformed file keeps what was read, and the window keeps its design keying option "None" while the
// type read is in force.
void LoadCWSettings();

} // namespace tylog
