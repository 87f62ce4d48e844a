#pragma once
// The radio link's settings as one value, in one process-wide place: the fourteen values of
// RigCntrl.txt but the radio type, which is the station's (Station.RigType). The radio window shows
// them and writes every change into them at once; the radio engine reads them when it opens the port
// and polls; "Done" saves them (RigSettingsFile.h).
#include <QString>

namespace tylog {

struct RigSettingsData {
    QString RigBaud = "56000";            // exactly 5 characters, padded with blanks ("4800 ")
    QString RigParity = "N";              // one character each: N, O, E
    QString RigDataBits = "8";            // 7, 8
    QString RigStopBits = "1";            // 1, 2
    QString RigModeQuery;                 // the mode query as typed
    QString RigFrequencyQuery;            // the frequency query as typed
    QString RigCommSettings = "56000,N,8,1"; // rebuilt from the four above by Test
    int RigPort = 1;                      // serial port 1 to 10
    QString RigPowerLine = "N";           // the line that powers the interface: N none, R RTS, D DTR
    QString RigPollRate = "M";            // F 100 ms, M 500 ms, S 2 s, R 10 s a query and its answer
    bool ConvertToHex = false;            // "Other": the queries are hex pairs sent as bytes
    bool UseFrequency = true;             // hand the frequency to the logging window
    int RigModeSource = 1;                // 1 the radio, 2 the frequency, 3 not used; another: none chosen
};

inline RigSettingsData RigSettings;

// The radio types of the window's list, in its order; "None" is no radio link.
inline constexpr const char* RigTypeNames[] = {
    "None",          "Elecraft",      "Icom",         "Icom 735",        "Kenwood",     "Kenwood 2",
    "Ten Tec Omni VI", "Ten Tec Orion", "Ten Tec Fnt Pnl", "Ten Tec Pegasus", "Yaesu",     "Yaesu 757 GX II",
    "Yaesu 890",     "Yaesu 920",     "Yaesu 990",    "Yaesu 1000 D",    "Yaesu 1000",  "Yaesu FTdx9000",
    "Other"};

// Whether a radio type asks for a radio link: not "None", and not empty (a station without the value
// has none; opening a port for it would raise its lines for nothing). Compared exactly.
inline bool RigTypeWantsLink(const QString& rigType) { return !rigType.isEmpty() && rigType != "None"; }

} // namespace tylog
