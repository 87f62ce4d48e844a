#pragma once
// The keyers' settings as values, in one process-wide place: the CW keyer's (CW.txt), the voice
// keyer's (wave2.txt) and the external keyer device's (WK.txt). The keyers read them here; their
// windows show them and keep them current as the operator edits (a change is in force at once), and
// their "Done" saves them. KeyerSettingsFiles.h and WinKeySettingsFile.h read and write the files.
#include <QString>
#include <array>

namespace tylog {

// How the CW keyer times an element: on the keying clock, in whole milliseconds, or by the counting loop
// calibrated on this PC.
enum class CWTiming { Timer, Loop, Sleep };

// CW.txt's 18 values. The texts are the boxes' texts as typed, as the file stores them (a port "04",
// a word space "-1.5" and repeat seconds ".5" are written back unchanged); the keyers take numbers
// from them by the boxes' rules (KeyerBoxes.h), for which a text that is no number is a failure.
struct CWSettings {
    std::array<QString, 11> Messages; // F1 .. F11 (F12 is keyboard CW): $ call, # serial, * RST, ^ county
    QString SerialPort = "0";         // the RTS/DTR keying port, "0" = none
    QString Speed = "13";             // words per minute
    QString WordSpace = "0";          // word-space adjustment in units, -8 and up
    // The keying option the CW window shows: 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 external keyer.
    // The interface in force is Keyer.CWKeyingType (KeyerState.h), which the option buttons set with
    // it; "Done" saves the one in force.
    int KeyingType = 0;
    QString ParallelPort = "&H378";   // the parallel port's base address
    bool Echo = true;                 // sent CW shown on the logging window
    QString RepeatSeconds = "0";      // F1 repeats every s seconds, 0 < s < 60; "0" = no repeat

    // Kept in the registry (UserCWSelection, UserCWLoopOffset), not in CW.txt.
    CWTiming Timing = CWTiming::Timer;
    double LoopsPer60ms = 0;          // counting-loop steps per 60 ms on this PC; 0 = not calibrated
};

// wave2.txt's 13 values; texts as in CWSettings.
struct VoiceSettings {
    std::array<QString, 9> WaveFiles; // F1 .. F9
    QString SerialPort = "0";         // the push-to-talk port, "0" = none
    int KeyingLine = 0;               // push-to-talk on 0 RTS, 1 DTR, 2 the parallel port
    QString RepeatSeconds = "0";
    QString ParallelPort = "&H378";
};

// WK.txt's 8 values, the external keyer device's settings. The boxes' texts as typed; the port, the
// pin configuration and the mode are the bytes handed to the device.
struct WinKeySettings {
    int ComPort = 0;           // the device's serial port; 0 until set
    QString Speed = "18";      // words per minute (the window puts the CW speed here when it loads)
    QString Weight = "50";     // 50 is standard
    QString LeadIn = "0";      // push-to-talk lead-in, units of 10 ms
    QString Tail = "0";        // push-to-talk tail, units of 10 ms
    QString Ratio = "50";      // dit/dah ratio, 50 is standard
    int PinConfig = 6;         // 5 PTT, 6 sidetone, 4 key on pin 3, 8 key on pin 5
    int Mode = 0;              // 16 iambic A, 0 iambic B, 32 ultimatic, 48 bug
};

struct KeyerSettingsData {
    CWSettings CW;
    VoiceSettings Voice;
    WinKeySettings WinKey;
};

inline KeyerSettingsData KeyerSettings;

} // namespace tylog
