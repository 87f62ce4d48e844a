#pragma once
// The spotting settings as a value, in one process-wide place, and their file PackSpot.txt in the
// program folder. The cluster engine reads the value; the spotting window shows it and keeps it
// current as the operator edits, and its "&Done" saves it.
#include <QString>

namespace tylog {

// PackSpot.txt's 14 values, in file order. The TNC's serial values are those of its last opening (or of
// the last load): the window gathers them from its option buttons when it opens the port.
struct SpotSettings {
    QString TncBaud;      // "1200" .. "19200"; trailing blanks are ignored where it is used
    QString TncParity;    // "O", "N", "E"
    QString TncDataBits;  // "7", "8"
    QString TncStopBits;  // "1", "2"
    int TncCommPort = 0;  // 1 to 10; 0 until set
    QString TncPowerLine; // "N" none, "R" RTS, "D" DTR: the line that powers the TNC
    QString Transport;    // "None", "TNC", "Telnet", "AGW Packet Engine"; empty until chosen
    int ConvertToHex = 0; // the hidden "Convert to Hex" box, kept and used by nothing
    int TncHandshake = 0; // 1 none, 2 Xon Xoff, 3 RTS, 4 RTS and Xon Xoff; 0 until set
    int ListDXOnly = 0;   // "List DX Only": the terminal shows spot lines alone
    bool OptList = false; // the logging window lists the spots (true) or shows its band map
    QString TncHex;       // the TNC's command-mode character, two hexadecimal digits
    QString TelnetPort;
    QString TelnetHost;
};

inline SpotSettings SpottingSettings;

// The settings text the TNC port opens with: "9600,N,8,1".
QString TncSettingsText(const SpotSettings& s);

// What reading PackSpot.txt gave: the values in file order up to the first one missing or not
// converting (`read` counts them), the rest at their defaults.
struct SpotSettingsFile {
    SpotSettings settings;
    int read = 0;
    bool opened = false;
    bool whole() const { return read == 14; }
};

// Texts as stored; the port and handshaking are bytes, "Convert to Hex" a check box's value (0, 1 or 2),
// "List DX Only" a number, the display a truth value (#TRUE#, #FALSE#, or a number, not 0 being true).
SpotSettingsFile ReadSpotSettings(const QString& path);
// Rewrites the file atomically: texts in double quotes, numbers bare, the truth value as #TRUE# or
// #FALSE#, one value a line. Throws VbError; the old file then stays whole.
void WriteSpotSettings(const QString& path, const SpotSettings& s);
QByteArray SpotSettingsBytes(const SpotSettings& s);

// The file in the program folder, under the name it has there.
QString SpotSettingsPath();

} // namespace tylog
