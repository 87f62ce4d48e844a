#include "rig/RigHex.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}

// The byte of the pair at 0-based index i (one digit when the text ends there); -1 when not hex.
int pairAt(const QString& text, qsizetype i) {
    const int high = hexValue(text[i]);
    if (high < 0) return -1;
    if (i + 1 >= text.size()) return high;
    const int low = hexValue(text[i + 1]);
    return low < 0 ? -1 : high * 16 + low;
}

QString digitAt(const QString& digits, qsizetype i) { return i < digits.size() ? QString(digits[i]) : QString(); }
} // namespace

QString NibbleToHex(int nibble) {
    if (nibble < 0 || nibble > 15) return {};
    return QString(QChar(nibble < 10 ? '0' + nibble : 'A' + nibble - 10));
}

QString BytesToHex(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const int b = static_cast<unsigned char>(c);
        out += NibbleToHex(b / 16) + NibbleToHex(b % 16);
    }
    return out;
}

QString BytesToHexSpaced(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const int b = static_cast<unsigned char>(c);
        out += NibbleToHex(b / 16) + NibbleToHex(b % 16) + ' ';
    }
    return out;
}

QByteArray HexSpacedToBytes(const QString& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); i += 3) {
        const int b = pairAt(text, i);
        if (b < 0) return {};
        out += static_cast<char>(b);
    }
    return out;
}

QByteArray HexBytesAt(const QString& text, int count) {
    QByteArray out;
    for (int k = 0; k < count; ++k) {
        const qsizetype i = 3 * k;
        const int b = i + 1 < text.size() ? pairAt(text, i) : -1;
        if (b < 0) throw VbError(VbError::TypeMismatch, QStringLiteral("Type mismatch: \"%1\" is no hex pair").arg(text.mid(i, 2)));
        out += static_cast<char>(b);
    }
    return out;
}

QString FormatBcdMHz10(const QString& digits) {
    QString text;
    if (digits.left(1) != "0") text += digitAt(digits, 0);
    if (digits.left(2) != "00") text += digitAt(digits, 1);
    if (digits.left(3) != "000") text += digitAt(digits, 2);
    text += digitAt(digits, 3) + '.';
    text += digits.mid(4, 6);
    return text;
}

QString FormatBcdMHz8(const QString& digits) {
    QString text;
    if (digits.left(1) != "0") text += digitAt(digits, 0);
    if (digits.left(2) != "00") text += digitAt(digits, 1);
    if (digits.left(3) != "000") text += digitAt(digits, 2);
    text += '.';
    text += digits.mid(3, 5);
    return text;
}

} // namespace tylog
