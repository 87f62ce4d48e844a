#include "platform/ValueFile.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace tylog {

ValueReader::ValueReader(QString text) : text_(std::move(text)) {}

ValueReader ValueReader::FromBytes(const QByteArray& bytes) { return ValueReader(FromAnsi(bytes)); }

QString ValueReader::next(bool* quoted) {
    if (quoted) *quoted = false;
    const qsizetype n = text_.size();
    if (pos_ >= n) throw VbError(VbError::InputPastEnd, "Input past end of file");
    while (pos_ < n && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    auto atLineEnd = [&](qsizetype i) { return i < n && (text_[i] == '\r' || text_[i] == '\n'); };
    auto skipSeparator = [&]() {
        if (pos_ >= n) return;
        if (text_[pos_] == ',') { ++pos_; return; }
        if (text_[pos_] == '\r') { ++pos_; if (pos_ < n && text_[pos_] == '\n') ++pos_; return; }
        if (text_[pos_] == '\n') ++pos_;
    };
    QString value;
    if (pos_ < n && text_[pos_] == '"') {
        if (quoted) *quoted = true;
        const qsizetype start = ++pos_;
        while (pos_ < n && text_[pos_] != '"') ++pos_;
        value = text_.mid(start, pos_ - start);
        if (pos_ < n) ++pos_; // closing quote
        // Anything between the closing quote and the separator is not part of the value.
        while (pos_ < n && text_[pos_] != ',' && !atLineEnd(pos_)) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != ',' && !atLineEnd(pos_)) ++pos_;
        value = text_.mid(start, pos_ - start).trimmed();
    }
    skipSeparator();
    return value;
}

QString ValueReader::ReadText() { return next(nullptr); }

QString ValueReader::ReadUntyped(bool* quoted) { return next(quoted); }

bool ParseNumber(const QString& text, double* value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    qsizetype i = 0;
    if (t[i] == '-' || t[i] == '+') ++i;
    bool digits = false;
    while (i < t.size() && t[i].isDigit()) { ++i; digits = true; }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i].isDigit()) { ++i; digits = true; }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
        bool expDigits = false;
        while (i < t.size() && t[i].isDigit()) { ++i; expDigits = true; }
        if (!expDigits) return false;
    }
    if (i != t.size()) return false;
    // Only ASCII digits, signs, "." and "E" are left: converted without the locale machinery, which
    // the start-up's tables (a few thousand numbers) paid for each.
    char digitsOnly[64];
    const QChar* c = t.constData();
    qsizetype from = c[0] == u'+' ? 1 : 0;
    double v = 0;
    if (t.size() - from < static_cast<qsizetype>(sizeof digitsOnly)) {
        qsizetype n = 0;
        for (qsizetype k = from; k < t.size(); ++k) digitsOnly[n++] = static_cast<char>(c[k].unicode());
        const std::from_chars_result r = std::from_chars(digitsOnly, digitsOnly + n, v);
        if (r.ec != std::errc() || r.ptr != digitsOnly + n) return false;
    } else {
        bool ok = false;
        v = t.toDouble(&ok);
        if (!ok) return false;
    }
    if (!std::isfinite(v)) return false;
    *value = v;
    return true;
}

double ValueReader::ReadDouble() {
    const QString v = next(nullptr);
    double d = 0;
    if (!ParseNumber(v, &d)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return d;
}

double ValueReader::ReadDoubleOrZero() {
    const QString v = next(nullptr);
    double d = 0;
    return ParseNumber(v, &d) ? d : 0.0;
}

float ReadCheckedSingle(double d) {
    if (std::fabs(d) > std::numeric_limits<float>::max()) throw VbError(VbError::Overflow, "Overflow");
    return static_cast<float>(d);
}

float ValueReader::ReadSingle() { return ReadCheckedSingle(ReadDouble()); }

namespace {
template <typename T>
T roundChecked(double d) {
    const double r = std::nearbyint(d); // halves to even, as the original runtime rounds
    if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
        throw VbError(VbError::Overflow, "Overflow");
    return static_cast<T>(r);
}
} // namespace

std::uint8_t ValueReader::ReadByte() { return roundChecked<std::uint8_t>(ReadDouble()); }
std::int32_t ValueReader::ReadLong() { return roundChecked<std::int32_t>(ReadDouble()); }
std::int16_t ValueReader::ReadInteger() { return roundChecked<std::int16_t>(ReadDouble()); }

QString StorableText(const QString& text) {
    QString out = text;
    out.remove(QChar('"'));
    out.remove(QChar('\r'));
    out.remove(QChar('\n'));
    return out;
}

void ValueWriter::separate() {
    if (lineStarted_) out_ += ',';
    lineStarted_ = true;
}

ValueWriter& ValueWriter::Text(const QString& value) {
    separate();
    out_ += '"';
    out_ += ToAnsi(StorableText(value));
    out_ += '"';
    return *this;
}

ValueWriter& ValueWriter::Single(float value) {
    separate();
    out_ += FormatSingle(value).toLatin1();
    return *this;
}

ValueWriter& ValueWriter::Double(double value) {
    separate();
    out_ += FormatDouble(value).toLatin1();
    return *this;
}

ValueWriter& ValueWriter::Integer(std::int64_t value) {
    separate();
    out_ += QByteArray::number(static_cast<qlonglong>(value));
    return *this;
}

ValueWriter& ValueWriter::EndLine() {
    out_ += CrLf;
    lineStarted_ = false;
    return *this;
}

namespace {
QString formatSignificant(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf('E');
    if (e >= 0) {
        // "1.5E+07" keeps its exponent with at least two digits, as the original runtime writes it.
        QString mant = s.left(e);
        QString exp = s.mid(e + 1);
        const QChar sign = exp[0];
        exp = exp.mid(1);
        while (exp.size() > 2 && exp[0] == '0') exp.remove(0, 1);
        return mant + 'E' + sign + exp;
    }
    if (s.startsWith("0.")) s.remove(0, 1);
    else if (s.startsWith("-0.")) s.remove(1, 1);
    return s;
}
} // namespace

QString FormatSingle(float value) { return formatSignificant(static_cast<double>(value), 7); }
QString FormatDouble(double value) {
    // Near the largest double, 15 digits can round past it and would read back as no number at all:
    // such a number keeps all its digits.
    if (std::fabs(value) > 1e308) {
        const QString text = formatSignificant(value, 15);
        double back = 0;
        return ParseNumber(text, &back) ? text : formatSignificant(value, 17);
    }
    return formatSignificant(value, 15);
}

} // namespace tylog
