#include "tests/support/RadioPeers.h"

namespace tylog::testing {

namespace {

using Mode = RadioState::Mode;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// A request that ends with `end`: taken off the front of pending, without its end; nothing while the
// end has not arrived.
std::optional<QByteArray> takeUntil(QByteArray& pending, char end) {
    const qsizetype at = pending.indexOf(end);
    if (at < 0) return std::nullopt;
    QByteArray request = pending.left(at);
    pending.remove(0, at + 1);
    return request;
}

// BCD of a number, `count` bytes, most significant first.
QByteArray bcd(qint64 value, int count) {
    QByteArray out(count, '\0');
    for (int i = count - 1; i >= 0; --i) {
        const int low = static_cast<int>(value % 10);
        value /= 10;
        const int high = static_cast<int>(value % 10);
        value /= 10;
        out[i] = static_cast<char>(high * 16 + low);
    }
    return out;
}

qint64 fromBcd(const QByteArray& b) {
    qint64 v = 0;
    for (char c : b) {
        const auto u = static_cast<unsigned char>(c);
        v = v * 100 + (u >> 4) * 10 + (u & 0x0F);
    }
    return v;
}

QByteArray bigEndian(quint64 value, int count) {
    QByteArray out(count, '\0');
    for (int i = count - 1; i >= 0; --i, value >>= 8) out[i] = static_cast<char>(value & 0xFF);
    return out;
}

QByteArray reversed(QByteArray b) {
    std::reverse(b.begin(), b.end());
    return b;
}

// Kenwood's mode digits: 1 LSB, 2 USB, 3 CW, 4 FM, 5 AM, 6 FSK, 7 CW-R.
char kenwoodMode(Mode m) {
    switch (m) {
    case Mode::LSB: return '1';
    case Mode::USB: return '2';
    case Mode::CW: return '3';
    case Mode::FM: return '4';
    case Mode::AM: return '5';
    case Mode::RTTY: return '6';
    case Mode::CWReverse: return '7';
    }
    return '2';
}

Mode fromKenwoodMode(char c) {
    switch (c) {
    case '1': return Mode::LSB;
    case '3': return Mode::CW;
    case '4': return Mode::FM;
    case '5': return Mode::AM;
    case '6': return Mode::RTTY;
    case '7': return Mode::CWReverse;
    default: return Mode::USB;
    }
}

bool digits(const QByteArray& s) {
    if (s.isEmpty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

QByteArray KenwoodIFRecord(const RadioState& s) {
    // IF, frequency, step, RIT offset, RIT, XIT, bank, channel, TX, mode, VFO, scan, split, tone,
    // tone number, shift, ";".
    QByteArray r = "IF" + QByteArray::number(s.vfo == 1 ? s.hzB : s.hz).rightJustified(11, '0') + "    " + "+00000" +
                   "0" + "0" + "0" + "00" + "0";
    r += kenwoodMode(s.mode);
    r += static_cast<char>('0' + s.vfo);
    r += "0" "0" "0" "00" "0;";
    return r;
}

void KenwoodRadio(PtyPeer& peer, std::shared_ptr<RadioState> state) {
    peer.SetResponder([state](QByteArray& pending) -> std::optional<QByteArray> {
        const std::optional<QByteArray> request = takeUntil(pending, ';');
        if (!request) return std::nullopt;
        const QByteArray cmd = request->left(2);
        const QByteArray arg = request->mid(2);
        RadioState& s = *state;
        if ((cmd == "FA" || cmd == "FB") && arg.isEmpty())
            return cmd + QByteArray::number(cmd == "FA" ? s.hz : s.hzB).rightJustified(11, '0') + ";";
        if ((cmd == "FA" || cmd == "FB") && arg.size() == 11 && digits(arg)) {
            (cmd == "FA" ? s.hz : s.hzB) = arg.toLongLong();
            return QByteArray();
        }
        if (cmd == "MD" && arg.isEmpty()) return QByteArray("MD") + kenwoodMode(s.mode) + ";";
        if (cmd == "MD" && arg.size() == 1) {
            s.mode = fromKenwoodMode(arg[0]);
            return QByteArray();
        }
        if (cmd == "IF" && arg.isEmpty()) return KenwoodIFRecord(s);
        if (cmd == "ID" && arg.isEmpty()) return QByteArray("ID019;"); // a TS-2000
        if (cmd == "AI" && arg.isEmpty()) return QByteArray("AI0;");
        if (cmd == "AI") return QByteArray();
        return QByteArray("?;"); // what the radio says to a command it does not know
    });
}

void IcomRadio(PtyPeer& peer, std::shared_ptr<RadioState> state, int address, int frequencyBytes) {
    peer.SetResponder([state, address, frequencyBytes](QByteArray& pending) -> std::optional<QByteArray> {
        const std::optional<QByteArray> body = takeUntil(pending, '\xFD');
        if (!body) return std::nullopt;
        const QByteArray frame = *body + '\xFD';
        // One bus: every frame comes back to its sender first.
        QByteArray out = frame;
        if (frame.size() < 6 || frame[0] != '\xFE' || frame[1] != '\xFE' ||
            static_cast<unsigned char>(frame[2]) != address)
            return out;
        const char controller = frame[3];
        const auto cmd = static_cast<unsigned char>(frame[4]);
        const QByteArray data = frame.mid(5, frame.size() - 6);
        RadioState& s = *state;
        const QByteArray head = bytes({0xFE, 0xFE}) + controller + static_cast<char>(address);
        static const char modes[] = {0x00, 0x01, 0x03, 0x07, 0x02, 0x05, 0x04}; // by RadioState::Mode
        if (cmd == 0x03 && data.isEmpty())
            return out + head + '\x03' + reversed(bcd(s.hz, frequencyBytes)) + '\xFD';
        if (cmd == 0x04 && data.isEmpty())
            return out + head + '\x04' + modes[static_cast<int>(s.mode)] + '\x01' + '\xFD';
        if (cmd == 0x05 && data.size() == frequencyBytes) {
            s.hz = fromBcd(reversed(data));
            return out + head + '\xFB' + '\xFD';
        }
        if (cmd == 0x06 && !data.isEmpty()) {
            for (int m = 0; m < 7; ++m)
                if (modes[m] == data[0]) s.mode = static_cast<Mode>(m);
            return out + head + '\xFB' + '\xFD';
        }
        return out + head + '\xFA' + '\xFD'; // not done
    });
}

namespace {
// The 817's mode codes: 00 LSB, 01 USB, 02 CW, 03 CW-R, 04 AM, 08 FM, 0A digital.
char mode817(Mode m) {
    static const char codes[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x0A};
    return codes[static_cast<int>(m)];
}
// The 757 GX II's: 0 LSB, 1 USB, 2 CW wide, 3 CW narrow, 4 AM, 5 FM.
char mode757(Mode m) {
    static const char codes[] = {0, 1, 2, 3, 4, 5, 1};
    return codes[static_cast<int>(m)];
}
// The mode digit of the status records of the 890 to 1000 (0 LSB, 1 USB, 2 CW, 3 AM, 4 FM, 5 RTTY),
// and the 920's, where 1 is CW.
int modeRecord(Mode m) {
    static const int codes[] = {0, 1, 2, 2, 3, 4, 5};
    return codes[static_cast<int>(m)];
}

// One VFO's record of the 890 (nine bytes): band, frequency in 10 Hz (three bytes, most significant
// first), clarifier (two), mode, two flag bytes.
QByteArray record890(qint64 hz, Mode m) {
    return QByteArray(1, '\0') + bigEndian(static_cast<quint64>(hz / 10), 3) + QByteArray(2, '\0') +
           static_cast<char>(modeRecord(m)) + QByteArray(2, '\0');
}

// The current operating data each model answers to P4 = 2, laid out as the poll reads it.
QByteArray operatingData(YaesuModel model, const RadioState& s) {
    const quint64 tens = static_cast<quint64>(s.hz / 10);
    const int mode = modeRecord(s.mode);
    QByteArray r;
    switch (model) {
    case YaesuModel::FT890: return QByteArray(1, '\0') + record890(s.hz, s.mode); // flags, then the record
    case YaesuModel::FT990: r = QByteArray(1, '\0') + bigEndian(tens, 3); break;
    case YaesuModel::FT920:
        r = QByteArray(1, '\0') + bigEndian(static_cast<quint64>(s.hz), 4);
        return (r + QByteArray(2, '\0') + static_cast<char>(s.mode == Mode::CW ? 1 : 0) + QByteArray(20, '\0'));
    case YaesuModel::FT1000: {
        // Six hex digits from the low half of byte 2 to the high half of byte 5.
        const quint64 v = tens << 4;
        r = QByteArray(1, '\0') + bigEndian(v, 4);
        break;
    }
    default: break;
    }
    r = r.leftJustified(7, '\0') + static_cast<char>(mode);
    return r.leftJustified(16, '\0');
}
} // namespace

void YaesuRadio(PtyPeer& peer, std::shared_ptr<RadioState> state, YaesuModel model) {
    peer.SetResponder([state, model](QByteArray& pending) -> std::optional<QByteArray> {
        if (pending.size() < 5) return std::nullopt;
        const QByteArray cmd = pending.left(5);
        pending.remove(0, 5);
        const auto op = static_cast<unsigned char>(cmd[4]);
        const auto p4 = static_cast<unsigned char>(cmd[3]);
        RadioState& s = *state;
        switch (model) {
        case YaesuModel::Status817:
            if (op == 0x03) return bcd(s.hz / 10, 4) + mode817(s.mode);
            if (op == 0x01) s.hz = fromBcd(cmd.left(4)) * 10;
            if (op == 0xBB) return bytes({0, 0}); // a configuration byte pair
            if (op == 0xE7 || op == 0xF7) return bytes({0}); // receive and transmit status
            return QByteArray();
        case YaesuModel::FT757GXII:
            if (op == 0x10) {
                // Flags, four bytes, then the operating frequency (BCD, least significant first, in 10 Hz)
                // and its mode, VFO A and VFO B the same way; 75 bytes in all.
                const QByteArray current = reversed(bcd(s.hz / 10, 4)) + mode757(s.mode);
                const QByteArray b = reversed(bcd(s.hzB / 10, 4)) + mode757(s.mode);
                return (QByteArray(5, '\0') + current + current + b).leftJustified(75, '\0');
            }
            return QByteArray();
        default:
            if (op == 0x10 && p4 == 2) return operatingData(model, s);
            if (op == 0x10 && p4 == 3 && model == YaesuModel::FT890)
                return record890(s.hz, s.mode) + record890(s.hzB, s.mode);
            // The status flags: VFO A in use.
            if (op == 0xFA && model == YaesuModel::FT890) return QByteArray(1, '\x80') + QByteArray(4, '\0');
            return QByteArray();
        }
    });
}

void Ftdx9000Radio(PtyPeer& peer, std::shared_ptr<RadioState> state) {
    peer.SetResponder([state](QByteArray& pending) -> std::optional<QByteArray> {
        const std::optional<QByteArray> request = takeUntil(pending, ';');
        if (!request) return std::nullopt;
        RadioState& s = *state;
        const QByteArray& r = *request;
        static const char modes[] = {'1', '2', '3', '7', '5', '4', '6'}; // by RadioState::Mode
        if (r == "FA") return "FA" + QByteArray::number(s.hz).rightJustified(8, '0') + ";";
        if (r == "FB") return "FB" + QByteArray::number(s.hzB).rightJustified(8, '0') + ";";
        if (r.startsWith("FA") && r.size() == 10 && digits(r.mid(2))) {
            s.hz = r.mid(2).toLongLong();
            return QByteArray();
        }
        if (r == "MD0") return QByteArray("MD0") + modes[static_cast<int>(s.mode)] + ";";
        if (r == "ID") return QByteArray("ID0101;");
        if (r == "AI") return QByteArray("AI0;");
        if (r == "VS") return QByteArray("VS0;");
        if (r == "FT") return QByteArray("FT0;");
        if (r == "PS") return QByteArray("PS1;");
        if (r == "SH0") return QByteArray("SH016;");
        return QByteArray("?;");
    });
}

void TenTecFrontPanel(PtyPeer& peer, std::shared_ptr<RadioState> state) {
    peer.SetResponder([state](QByteArray& pending) -> std::optional<QByteArray> {
        const std::optional<QByteArray> request = takeUntil(pending, '\r');
        if (!request) return std::nullopt;
        RadioState& s = *state;
        const QByteArray& r = *request;
        // Mode digits as text: 0 AM, 1 USB, 2 LSB, 3 CW, 4 FM.
        static const char modes[] = {'2', '1', '3', '3', '0', '4', '1'};
        if (r == "?A") return 'A' + bigEndian(static_cast<quint64>(s.hz), 4) + '\r';
        if (r == "?B") return 'B' + bigEndian(static_cast<quint64>(s.hzB), 4) + '\r';
        if (r == "?M") {
            const char m = modes[static_cast<int>(s.mode)];
            return QByteArray("M") + m + m + '\r';
        }
        if (r.startsWith("*A") && r.size() == 6) {
            quint64 v = 0;
            for (int i = 2; i < 6; ++i) v = (v << 8) | static_cast<unsigned char>(r[i]);
            s.hz = static_cast<qint64>(v);
            return QByteArray();
        }
        return QByteArray();
    });
}

void OrionRadio(PtyPeer& peer, std::shared_ptr<RadioState> state) {
    peer.SetResponder([state](QByteArray& pending) -> std::optional<QByteArray> {
        const std::optional<QByteArray> request = takeUntil(pending, '\r');
        if (!request) return std::nullopt;
        RadioState& s = *state;
        const QByteArray& r = *request;
        // 0 USB, 1 LSB, 2 upper CW, 3 lower CW, 4 AM, 5 FM, 6 FSK.
        static const char modes[] = {'1', '0', '2', '3', '4', '5', '6'};
        if (r == "?AF") return "@AF" + QByteArray::number(s.hz) + '\r';
        if (r == "?BF") return "@BF" + QByteArray::number(s.hzB) + '\r';
        if (r.startsWith("*AF") && digits(r.mid(3))) {
            s.hz = r.mid(3).toLongLong();
            return QByteArray();
        }
        if (r == "?RMM") return QByteArray("@RMM") + modes[static_cast<int>(s.mode)] + '\r';
        if (r == "?V") return QByteArray("Version 3.032x7\r");
        if (r == "?KV") return QByteArray("@KVAAA\r");
        if (r == "?RMF") return QByteArray("@RMF2400\r");
        return QByteArray();
    });
}

} // namespace tylog::testing
