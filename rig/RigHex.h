#pragma once
// Bytes and hexadecimal text as the radio link writes and reads them: byte queries typed as pairs
// separated by blanks ("FE FE 64 E0 03 FD"), replies shown as pairs, and the BCD frequency texts of the
// byte protocols. Plain functions: the poll, the window, the decoders and the radio commands share them.
#include <QByteArray>
#include <QString>

namespace tylog {

// The hexadecimal digit of 0 to 15 ("0" to "9", "A" to "F"); empty for any other value.
QString NibbleToHex(int nibble);
// Each byte as two capital hexadecimal digits, no separators ("FEFE64").
QString BytesToHex(const QByteArray& bytes);
// Each byte as two capital hexadecimal digits followed by a blank ("FE FE 64 ").
QString BytesToHexSpaced(const QByteArray& bytes);
// The pairs at positions 1, 4, 7, ... (one character at the very end) as bytes; digits of either case.
// Empty when a pair is not hexadecimal.
QByteArray HexSpacedToBytes(const QString& text);
// The first `count` pairs at positions 1, 4, 7, ... of a query the caller has checked to be long
// enough; throws VbError (type mismatch) for a pair that is not hexadecimal.
QByteArray HexBytesAt(const QString& text, int count);

// A BCD frequency text of ten digits (four of whole MHz, six of the fraction) as MHz text: leading
// zeros of the first three digits dropped, then the point ("0014025000" gives "14.025000"). Shorter
// input gives what its digits allow ("" gives ".").
QString FormatBcdMHz10(const QString& digits);
// Eight BCD digits (three of whole MHz, five of the fraction; more are ignored) as MHz text:
// "01402500" gives "14.02500", "00050000" gives ".50000".
QString FormatBcdMHz8(const QString& digits);

} // namespace tylog
