#pragma once
// Start-up reading of the keyer windows' settings files (program folder): wave2.txt into the voice
// keyer window, CW.txt into the CW window. The windows' own "Done" buttons write the files.

namespace tylog {

// wave2.txt's 13 values into PhoneFrm (loading the window, hidden). Throws VbError when the file is
// missing, short or holds a value that does not convert; the values read before the failure stay.
void LoadVoiceSettings();

// CW.txt's 18 values into CWFrm (loading the window, hidden), then selects the keying option of
// CWKeyingType. Traps its own errors silently: without the file the CW window is not loaded and
// CWKeyingType stays 0; a short or malformed file keeps what was read and selects no option.
void LoadCWSettings();

} // namespace tylog
