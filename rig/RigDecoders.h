#pragma once
// The radios' replies turned into frequency and mode: one plain function per reply format, over the
// bytes the poll read in one read tick (one byte a character). Each sets what it can read from whole
// fields and leaves everything else as it was: a reply that is cut short, garbled or of another kind
// changes nothing, so the poll hands on the values of earlier replies.
#include <QByteArray>
#include <QString>

namespace tylog {

// What the decoders keep between replies: the last frequency (MHz; 0 until one is read), the last mode
// ("PH", "CW", "AM", "FM" or empty) and the VFO digit of the last IF record (10 while not known).
struct RigDecoded {
    float RigFrequencyMHz = 0;
    QString RigModeText;
    int RigVfo = 10;
};

// Kenwood and Elecraft: the key (the first two characters of a frequency query of 3 or more characters,
// "FA" with "FA;"), eleven digits of Hz and at least one more character; "MD" and a mode digit, where 3
// and 7 are CW and every other digit phone.
void DecodeKenwoodFrequency(const QByteArray& reply, const QString& frequencyQuery, RigDecoded& d);
void DecodeKenwoodMode(const QByteArray& reply, RigDecoded& d);
// Kenwood's IF record: eleven digits of Hz after "IF" (with a character after them), the mode digit at
// the 30th character of the record (3 is CW, any other digit phone) and the VFO digit at the 31st; each
// part only when it has arrived.
void DecodeKenwoodIF(const QByteArray& reply, RigDecoded& d);

// CI-V frames FE FE <to> <from> <command> <data> FD; only frames that arrived whole count. Frequency
// (command 03): BCD, least significant byte first, ten digits (eight for the 735, whose value is then
// divided by 100); with several answers the last one counts. Mode (command 04): the first data byte of
// the first answer, 03 CW, anything else phone.
void DecodeIcomFrequency(const QByteArray& reply, bool icom735, RigDecoded& d);
void DecodeIcomMode(const QByteArray& reply, RigDecoded& d);

// Yaesu status records, read at fixed positions from the first byte of the reply.
void DecodeYaesuStatus(const QByteArray& reply, RigDecoded& d); // "Yaesu"
void DecodeYaesu757(const QByteArray& reply, RigDecoded& d);    // "Yaesu 757 GX II"
void DecodeYaesu890(const QByteArray& reply, RigDecoded& d);    // "Yaesu 890"
void DecodeYaesu920(const QByteArray& reply, RigDecoded& d);    // "Yaesu 920"
void DecodeYaesu990(const QByteArray& reply, RigDecoded& d);    // "Yaesu 990", "Yaesu 1000 D"
void DecodeYaesu1000(const QByteArray& reply, RigDecoded& d);   // "Yaesu 1000"
// FTdx9000 text replies: the key (first two characters of the frequency query) and eight digits of Hz;
// the mode key (first three characters of the mode query, "MD0") and one character, 3 for CW.
void DecodeFtdx9000(const QByteArray& reply, const QString& frequencyQuery, const QString& modeQuery, RigDecoded& d);

// Ten Tec front panel: the frequency answer (command letter, four bytes of Hz, most significant first)
// and the mode answer (command letter, then the mode in the low half of the second byte: 3 CW, 0 to 2
// and 4 phone).
void DecodeTenTecFrequency(const QByteArray& reply, RigDecoded& d);
void DecodeTenTecMode(const QByteArray& reply, RigDecoded& d);
// Ten Tec Orion: "@AF", the digits of Hz and a carriage return; "@RMM" and the mode digit, 2 or 3 CW.
void DecodeOrionFrequency(const QByteArray& reply, RigDecoded& d);
void DecodeOrionMode(const QByteArray& reply, RigDecoded& d);

// The Ten Tec Pegasus status file's bytes: the frequency in MHz (a plain positive decimal), then the
// mode text; a mode other than "CW" becomes "PH", an empty one stays empty. A first value that is no
// such number changes nothing; a missing second value leaves the mode as it was.
void DecodePegasusStatus(const QByteArray& fileBytes, RigDecoded& d);

// "Mode by: Frequency": the mode of the CW or phone segment that holds the frequency (edges
// excluded); outside every segment the mode stays as decoded.
void ModeFromFrequency(RigDecoded& d);

} // namespace tylog
