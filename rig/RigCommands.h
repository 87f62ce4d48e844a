#pragma once
// The commands that tune the radio and set its mode, as bytes for the radio type's port: plain
// functions over the type, the value and the queries the operator typed (the Icom address is in the
// frequency query, the FTdx9000's mode key in the mode query). The radio engine paces and writes them.
#include <QByteArray>
#include <QString>

namespace tylog {

// The frequency command for a radio type (exact name), or nothing: for "Other", "Ten Tec Pegasus"
// (which is tuned through its exchange file, PegasusInFile) and names of no family, and for a
// frequency the type's field cannot carry (0 or below, not a number, more digits than a BCD or
// binary field holds). rigVfo is the VFO digit of the last Kenwood IF record ("Kenwood 2": 1 tunes
// VFO B). Throws VbError for an Icom-family type whose address (characters 7 and 8 of the frequency
// query) is not two hexadecimal digits.
QByteArray FrequencyCommand(const QString& rigType, float mhz, const QString& frequencyQuery, int rigVfo);

// The mode command for a mode name ("CW", "LSB", "USB", "AM", "RTTY", "FM", "FSK", "DIG", "PKT",
// "CW-R", "RTTY-R"), or nothing when the type has no code for it. Throws VbError as above for an
// Icom or Omni VI address that is not two hexadecimal digits.
QByteArray ModeCommand(const QString& rigType, const QString& mode, const QString& frequencyQuery,
                       const QString& modeQuery);

// How long a frequency command waits before it is written (ms): the radio is still busy with the mode
// command or the poll. The Elecraft and the Omni VI wait twice, "second" after "first".
struct FrequencyPauses {
    int first = 0;
    int second = 0;
};
FrequencyPauses FrequencyCommandPauses(const QString& rigType);

// The pause before a mode command (ms).
inline constexpr int ModeCommandPauseMs = 99;

// MHz as the Pegasus file writes it: the shortest decimal form of the single.
QString RigMHzText(float mhz);

// The Pegasus exchange file's bytes: the frequency (MHz text) and the last decoded mode, trimmed, each
// on a line ended by CR LF; empty for a frequency of 0 or below.
QByteArray PegasusInFile(float mhz, const QString& decodedMode);

} // namespace tylog
