#include "rig/RigDecoders.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "rig/RigHex.h"

namespace tylog {

namespace {

bool allDigits(const QByteArray& s) {
    if (s.isEmpty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Hz to MHz, rounded to 10 Hz (halves to the even neighbour).
float MHzFromHz(quint64 hz) {
    quint64 tens = hz / 10;
    const quint64 rest = hz % 10;
    if (rest > 5 || (rest == 5 && (tens & 1))) ++tens;
    return static_cast<float>(static_cast<double>(tens) / 1e5);
}

// 10 Hz units to MHz.
float MHzFromTens(quint64 tens) { return static_cast<float>(static_cast<double>(tens) / 1e5); }

// The first place after which `key` is followed by `fieldLength` digits; -1 when there is none.
qsizetype keyWithDigits(const QByteArray& reply, const QByteArray& key, qsizetype fieldLength) {
    for (qsizetype p = reply.indexOf(key); p >= 0; p = reply.indexOf(key, p + 1))
        if (allDigits(reply.mid(p + key.size(), fieldLength)) && reply.size() >= p + key.size() + fieldLength) return p;
    return -1;
}

// The character after the first `key` that has one (satisfying `wanted`); 0 when there is none.
char charAfterKey(const QByteArray& reply, const QByteArray& key, bool (*wanted)(char)) {
    for (qsizetype p = reply.indexOf(key); p >= 0; p = reply.indexOf(key, p + 1)) {
        const qsizetype at = p + key.size();
        if (at < reply.size() && wanted(reply[at])) return reply[at];
    }
    return 0;
}

bool anyChar(char) { return true; }

QByteArray queryKey(const QString& query, qsizetype length) { return ToAnsi(query.left(length)); }

bool decimalHex(const QString& hex) {
    if (hex.isEmpty()) return false;
    for (QChar c : hex)
        if (c < '0' || c > '9') return false;
    return true;
}

// The byte at 1-based position n.
int byteAt(const QByteArray& reply, int n) { return static_cast<unsigned char>(reply[n - 1]); }

// The frames of one CI-V command in the reply, whole ones only, each as its data bytes.
QList<QByteArray> civFrames(const QByteArray& reply, unsigned char command) {
    enum State { Empty, GotFirstFE, GotSecondFE, WaitForFD } state = Empty;
    QList<QByteArray> frames;
    QByteArray data;
    int skip = 0;
    for (char ch : reply) {
        const auto b = static_cast<unsigned char>(ch);
        if (skip > 0) { // the two addresses, not compared
            --skip;
            continue;
        }
        switch (state) {
        case Empty: state = b == 0xFE ? GotFirstFE : Empty; break;
        case GotFirstFE:
            if (b == 0xFE) {
                state = GotSecondFE;
                skip = 2;
            } else {
                state = Empty;
            }
            break;
        case GotSecondFE:
            state = b == command ? WaitForFD : Empty;
            data.clear();
            break;
        case WaitForFD:
            if (b == 0xFD) {
                frames.append(data);
                state = Empty;
            } else {
                data += ch;
            }
            break;
        }
    }
    return frames;
}

// The mode of a status record's mode digit, for the 890, 990 and 1000 (2 CW; 0, 1 and 3 to 7 phone).
void yaesuDigitMode(const QString& m, RigDecoded& d) {
    if (m == "2") d.RigModeText = "CW";
    else if (m.size() == 1 && m[0] >= '0' && m[0] <= '7') d.RigModeText = "PH";
}

// The 890, 990 and 1000 records: a window of hex digits (1-based start, count) in 10 Hz units.
void decodeYaesuWindow(const QByteArray& reply, int first, int count, RigDecoded& d) {
    if (reply.size() < 5) return;
    const QString hex = BytesToHex(reply);
    const QString m = hex.size() >= 16 ? hex.mid(15, 1) : QString();
    d.RigFrequencyMHz = MHzFromTens(hex.mid(first - 1, count).toULongLong(nullptr, 16));
    yaesuDigitMode(m, d);
}

} // namespace

void DecodeKenwoodFrequency(const QByteArray& reply, const QString& frequencyQuery, RigDecoded& d) {
    if (frequencyQuery.size() < 3) return;
    const QByteArray key = queryKey(frequencyQuery, 2);
    // Eleven digits and the radio's closing character must all have arrived.
    for (qsizetype p = reply.indexOf(key); p >= 0; p = reply.indexOf(key, p + 1)) {
        const QByteArray digits = reply.mid(p + 2, 11);
        if (reply.size() > p + 13 && allDigits(digits) && digits.size() == 11) {
            d.RigFrequencyMHz = MHzFromHz(digits.toULongLong());
            return;
        }
    }
}

void DecodeKenwoodMode(const QByteArray& reply, RigDecoded& d) {
    const char m = charAfterKey(reply, "MD", isDigit);
    if (m == 0) return;
    d.RigModeText = m == '3' || m == '7' ? "CW" : "PH";
}

void DecodeKenwoodIF(const QByteArray& reply, RigDecoded& d) {
    for (qsizetype p = reply.indexOf("IF"); p >= 0; p = reply.indexOf("IF", p + 1)) {
        const QByteArray digits = reply.mid(p + 2, 11);
        if (reply.size() <= p + 13 || digits.size() != 11 || !allDigits(digits)) continue;
        d.RigFrequencyMHz = MHzFromHz(digits.toULongLong());
        // A record cut short keeps the mode and VFO it had: only what arrived is read.
        if (p + 29 < reply.size() && isDigit(reply[p + 29])) d.RigModeText = reply[p + 29] == '3' ? "CW" : "PH";
        if (p + 30 < reply.size() && isDigit(reply[p + 30])) d.RigVfo = reply[p + 30] - '0';
        return;
    }
}

void DecodeIcomFrequency(const QByteArray& reply, bool icom735, RigDecoded& d) {
    QString digits;
    for (const QByteArray& frame : civFrames(reply, 0x03))
        for (char b : frame) digits = BytesToHex(QByteArray(1, b)) + digits;
    if (!decimalHex(digits)) return; // no answer, or a byte that is not BCD
    const double mhz = FormatBcdMHz10(digits).toDouble();
    d.RigFrequencyMHz = static_cast<float>(icom735 ? mhz / 100 : mhz);
}

void DecodeIcomMode(const QByteArray& reply, RigDecoded& d) {
    for (const QByteArray& frame : civFrames(reply, 0x04)) {
        if (frame.isEmpty()) continue; // the echo of the query
        d.RigModeText = static_cast<unsigned char>(frame[0]) == 0x03 ? "CW" : "PH";
        return;
    }
}

void DecodeYaesuStatus(const QByteArray& reply, RigDecoded& d) {
    if (reply.size() < 5) return;
    const QString hex = BytesToHex(reply.left(5));
    if (!decimalHex(hex.mid(8, 2))) return; // codes such as 0A: the record is not used
    const int mode = hex.mid(8, 2).toInt();
    if (!decimalHex(hex.left(8))) return;
    d.RigFrequencyMHz = static_cast<float>(FormatBcdMHz8(hex.left(8)).toDouble());
    if (mode == 0 || mode == 1 || mode == 4 || mode == 8 || mode == 84 || mode == 88) d.RigModeText = "PH";
    else if (mode == 2 || mode == 3 || mode == 82 || mode == 83) d.RigModeText = "CW";
}

void DecodeYaesu757(const QByteArray& reply, RigDecoded& d) {
    // The frequency is bytes 6 to 9 (BCD, least significant first, 10 Hz units), the mode byte 10.
    if (reply.size() < 9) return;
    const QString digits = BytesToHex(reply.mid(8, 1) + reply.mid(7, 1) + reply.mid(6, 1) + reply.mid(5, 1));
    if (!decimalHex(digits)) return;
    d.RigFrequencyMHz = MHzFromTens(digits.toULongLong());
    if (reply.size() < 10) return;
    // The mode pair read by its leading decimal digits ("0A" is 0).
    const QString pair = BytesToHex(reply.mid(9, 1));
    int mode = 0;
    for (QChar c : pair) {
        if (c < '0' || c > '9') break;
        mode = mode * 10 + (c.unicode() - '0');
    }
    static const char* const modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
    if (mode <= 5) d.RigModeText = modes[mode];
}

void DecodeYaesu890(const QByteArray& reply, RigDecoded& d) { decodeYaesuWindow(reply, 5, 6, d); }
void DecodeYaesu1000(const QByteArray& reply, RigDecoded& d) { decodeYaesuWindow(reply, 4, 6, d); }
void DecodeYaesu990(const QByteArray& reply, RigDecoded& d) { decodeYaesuWindow(reply, 3, 6, d); }

void DecodeYaesu920(const QByteArray& reply, RigDecoded& d) {
    if (reply.size() < 5) return;
    const QString hex = BytesToHex(reply);
    d.RigFrequencyMHz = MHzFromHz(hex.mid(2, 8).toULongLong(nullptr, 16));
    // The mode byte (8) must have arrived: a short record keeps the mode.
    if (hex.size() >= 16) d.RigModeText = hex[15] == '1' ? "CW" : "PH";
}

void DecodeFtdx9000(const QByteArray& reply, const QString& frequencyQuery, const QString& modeQuery, RigDecoded& d) {
    if (frequencyQuery.size() >= 2) {
        const QByteArray key = queryKey(frequencyQuery, 2);
        const qsizetype p = keyWithDigits(reply, key, 8);
        if (p >= 0) d.RigFrequencyMHz = MHzFromHz(reply.mid(p + 2, 8).toULongLong());
    }
    if (modeQuery.size() >= 3) {
        const char m = charAfterKey(reply, queryKey(modeQuery, 3), anyChar);
        if (m != 0) d.RigModeText = m == '3' ? "CW" : "PH";
    }
}

void DecodeTenTecFrequency(const QByteArray& reply, RigDecoded& d) {
    if (reply.size() < 5) return; // the command letter and all four bytes of the frequency
    const quint64 hz = (quint64(byteAt(reply, 2)) << 24) | (quint64(byteAt(reply, 3)) << 16) |
                       (quint64(byteAt(reply, 4)) << 8) | quint64(byteAt(reply, 5));
    d.RigFrequencyMHz = MHzFromHz(hz);
}

void DecodeTenTecMode(const QByteArray& reply, RigDecoded& d) {
    if (reply.size() < 3) return;
    const int m = byteAt(reply, 2) & 0x0F;
    if (m == 3) d.RigModeText = "CW";
    else if (m <= 4) d.RigModeText = "PH";
}

void DecodeOrionFrequency(const QByteArray& reply, RigDecoded& d) {
    for (qsizetype p = reply.indexOf("@AF"); p >= 0; p = reply.indexOf("@AF", p + 1)) {
        const qsizetype cr = reply.indexOf('\r', p + 3);
        if (cr < 0) return;
        const QByteArray digits = reply.mid(p + 3, cr - p - 3);
        if (!allDigits(digits) || digits.size() > 18) continue;
        d.RigFrequencyMHz = MHzFromHz(digits.toULongLong());
        return;
    }
}

void DecodeOrionMode(const QByteArray& reply, RigDecoded& d) {
    const char m = charAfterKey(reply, "@RMM", isDigit);
    if (m == 0) return;
    d.RigModeText = m == '2' || m == '3' ? "CW" : "PH";
}

void DecodePegasusStatus(const QByteArray& fileBytes, RigDecoded& d) {
    try {
        ValueReader r = ValueReader::FromBytes(fileBytes);
        const QByteArray number = ToAnsi(r.ReadUntyped().trimmed());
        // A plain positive decimal: digits with at most one point.
        const qsizetype point = number.indexOf('.');
        QByteArray digits = number;
        if (point >= 0) digits.remove(point, 1);
        if (!allDigits(digits) || digits.size() > 18) return;
        const double mhz = number.toDouble();
        if (!(mhz > 0)) return;
        d.RigFrequencyMHz = static_cast<float>(mhz);
        QString mode = r.ReadUntyped();
        if (!mode.isEmpty() && mode != "CW") mode = "PH";
        d.RigModeText = mode;
    } catch (const VbError&) {
        // A file that ends early keeps what was read before.
    }
}

void ModeFromFrequency(RigDecoded& d) {
    struct Segment {
        float low, high;
        const char* mode;
    };
    static const Segment segments[] = {
        {3.5f, 3.6f, "CW"},     {3.6f, 4.f, "PH"},      {7.f, 7.125f, "CW"},      {7.125f, 7.3f, "PH"},
        {10.1f, 10.15f, "CW"},  {14.f, 14.15f, "CW"},   {14.15f, 14.35f, "PH"},   {18.068f, 18.11f, "CW"},
        {18.11f, 18.168f, "PH"}, {21.f, 21.2f, "CW"},   {21.2f, 21.45f, "PH"},    {24.89f, 24.93f, "CW"},
        {24.93f, 24.99f, "PH"}, {28.f, 28.3f, "CW"},    {28.3f, 29.7f, "PH"},     {50.f, 50.1f, "CW"},
        {50.1f, 54.f, "PH"},    {144.f, 144.1f, "CW"},  {144.1f, 148.f, "PH"},
    };
    const char* result = nullptr;
    for (const Segment& s : segments)
        if (d.RigFrequencyMHz > s.low && d.RigFrequencyMHz < s.high) result = s.mode;
    if (result) d.RigModeText = result;
}

} // namespace tylog
