#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tylog {

// Reader of the value format shared by log.txt, QSOpref.txt and the data files: text in double quotes
// (nothing escaped) or bare, numbers bare, values separated by commas or line ends, blanks before a
// value skipped. A line end separates two values exactly as a comma does; an empty line is one
// empty value. Every read past the end throws VbError(InputPastEnd).
class ValueReader {
public:
    explicit ValueReader(QString text);
    static ValueReader FromBytes(const QByteArray& bytes);

    bool AtEnd() const { return pos_ >= text_.size(); }
    // Where the next value starts (a character, or of FromBytes a byte, from the start).
    qsizetype Position() const { return pos_; }

    QString ReadText();
    // Numbers as the file holds them. Strict reads throw VbError(TypeMismatch) for text that is not a
    // number and VbError(Overflow) outside the type's range.
    double ReadDouble();
    double ReadDoubleOrZero(); // text that is not a number reads as 0
    float ReadSingle();
    std::uint8_t ReadByte();
    std::int32_t ReadLong();
    std::int16_t ReadInteger();
    // An untyped value: the text, and whether it was quoted.
    QString ReadUntyped(bool* quoted = nullptr);

private:
    QString next(bool* quoted);
    QString text_;
    qsizetype pos_ = 0;
};

// Parses a decimal number with "." as the point ("5", "-4", ".25", "1.5E+07"); false when text is
// not a whole number literal (blanks around it allowed).
bool ParseNumber(const QString& text, double* value);

// Writer of the same format: values of one line separated by commas, each line ended with CR LF.
// Text is written between double quotes; double quotes, CR and LF cannot be stored and are dropped.
class ValueWriter {
public:
    ValueWriter& Text(const QString& value);
    ValueWriter& Single(float value);
    ValueWriter& Double(double value);
    ValueWriter& Integer(std::int64_t value);
    ValueWriter& EndLine();
    const QByteArray& Bytes() const { return out_; }

private:
    void separate();
    QByteArray out_;
    bool lineStarted_ = false;
};

// Removes what a quoted value cannot hold: double quotes, CR and LF.
QString StorableText(const QString& text);

// Numbers written plainly: "." as the point, no trailing zeros, no digit before the point below 1
// (".25", "-.5"), no point for whole numbers. Singles keep at most 7 significant digits, doubles 15
// (17 where 15 would round past the largest double). Every finite value reads back as a number.
QString FormatSingle(float value);
QString FormatDouble(double value);

} // namespace tylog
