#include "logstore/ContactLog.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logstore/CountyTable.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Session.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/Diagnostics.h"

#include <QDate>
#include <QDir>
#include <QTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tylog {

namespace {

const QString kLogName = QStringLiteral("log.txt");

// The text fields of a record in file order: fields 1 to 15, then 17 to 20; field 16 is the number.
using TextField = QString ContactRecord::*;
constexpr TextField kHead[] = {&ContactRecord::Call,       &ContactRecord::RstSent, &ContactRecord::RstRcvd,
                               &ContactRecord::Spc,        &ContactRecord::County,  &ContactRecord::State,
                               &ContactRecord::SentCounty, &ContactRecord::Spare8,  &ContactRecord::Spare9,
                               &ContactRecord::Spare10,    &ContactRecord::SerialSent, &ContactRecord::Date,
                               &ContactRecord::Time,       &ContactRecord::Mode,    &ContactRecord::Band};
constexpr TextField kTail[] = {&ContactRecord::Spare17, &ContactRecord::Spare18, &ContactRecord::SerialRcvd,
                               &ContactRecord::Frequency};

QString foundLog() { return FindNoCase(Folders.ProgramFolder, kLogName); }

void requireLoaded() {
    // A log that failed to load is never overwritten with what little was read of it.
    if (!ContactLog.Loaded) throw VbError(5, "The log has not been loaded.");
}

template <class TextTest>
bool everyText(const ContactRecord& r, TextTest&& test) {
    for (TextField f : kHead)
        if (!test(r.*f)) return false;
    for (TextField f : kTail)
        if (!test(r.*f)) return false;
    return true;
}

bool isEmptyRecord(const ContactRecord& r) {
    return r.Spare16 == 0 && everyText(r, [](const QString& t) { return t.isEmpty(); });
}

void clearAbove(int count) {
    for (int i = count + 1; i <= ContactLogData::Capacity; ++i)
        if (!isEmptyRecord(ContactLog.Rec[i])) ContactLog.Rec[i] = ContactRecord{};
}

// The value rules of ValueReader, worked on the file's bytes: a reload runs on every band and mode
// change, and converting the whole file and copying every value out of it costs more than the rest
// of the load together. Special characters are ASCII and map to themselves, so positions agree.
//
// Where values end is found from a bit mask of the file's quotes, 64 bytes to a word, made the first
// time a value is read: a log is some 20 short values a line, and a branch per byte that mispredicts
// at each value's end costs more than reading it. The quotes still ahead are kept as the word they
// are in and its bits from the read position on, so a value quoted with a comma or a line end after
// it (nearly every value of a log) is read by taking its two quotes off the mask.
class LogScanner {
public:
    struct Slice {
        const char* begin;
        qsizetype size;
        bool bare; // unquoted: trimmed like ValueReader trims it
    };

    explicit LogScanner(const QByteArray& bytes, qsizetype from = 0)
        : begin_(bytes.constData()), p_(begin_ + from), end_(begin_ + bytes.size()), contentEnd_(end_) {
        // Blank lines, trailing blanks and an end mark (^Z) after the last record are no contact.
        while (contentEnd_ > begin_ && isEndMark(contentEnd_[-1])) --contentEnd_;
    }
    bool AtEnd() const { return p_ >= end_; }
    const char* Begin() const { return begin_; }
    // At a record's start: whether only end marks are left.
    bool AtContentEnd() const { return p_ >= contentEnd_; }
    // Where the next value starts: the offset of the end of what has been read, its separator included.
    qsizetype Position() const { return p_ - begin_; }
    static bool isEndMark(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1A'; }

    Slice Next() {
        Slice s;
        if (Read(&s, 1) == 0) {
            s = general();
            follow();
        }
        return s;
    }

    // Reads up to n values into v as n calls of Next would, while they are quoted with a comma, or
    // CR LF, right after the closing quote; returns how many. The scanner's state stays in registers.
    int Read(Slice* v, int n) {
        if (!marked_) markQuotes();
        const std::uint64_t* const words = words_.data();
        const qsizetype count = static_cast<qsizetype>(words_.size());
        const char* const base = begin_ + (first_ << 6); // where word 0 starts
        const char* const end = end_;
        const char* p = p_;
        qsizetype w = w_;
        std::uint64_t mask = mask_; // the quotes of word w at or after p
        int i = 0;
        while (i < n) {
            if (!nextQuote(words, count, w, mask) || base + (w << 6) + std::countr_zero(mask) != p) break;
            std::uint64_t m = mask & (mask - 1);
            qsizetype wq = w;
            if (!nextQuote(words, count, wq, m)) break;
            const char* q = base + (wq << 6) + std::countr_zero(m);
            qsizetype after;
            if (end - q > 1 && q[1] == ',') after = 2;
            else if (end - q > 2 && q[1] == '\r' && q[2] == '\n') after = 3;
            else break;
            v[i++] = {p + 1, q - p - 1, false};
            p = q + after;
            w = wq;
            mask = m & (m - 1);
        }
        w_ = w;
        mask_ = mask;
        if (i > 0) {
            p_ = p;
            separator_ = p - (p[-1] == '\n' ? 2 : 1);
            unclosed_ = false;
        }
        return i;
    }

    // Reads n values into v, as n calls of Next would.
    void ReadAll(Slice* v, int n) {
        for (int i = 0; i < n;) {
            i += Read(v + i, n - i);
            if (i < n) v[i++] = Next();
        }
    }

    // Passes over n bytes that end with a separator (a line end or a comma), as reading the values in
    // them would.
    void Skip(qsizetype n) {
        p_ += n;
        separator_ = p_ - 1;
        unclosed_ = false;
        if (marked_) follow();
    }

    // Of the last value read: whether its opening quote ran to the end of the text, and the separator
    // that ended it (up to the end of what it consumed).
    bool LastUnclosed() const { return unclosed_; }
    QByteArray LastSeparator() const { return QByteArray(separator_, p_ - separator_); }

private:
    // Any other value, as ValueReader reads it.
    Slice general() {
        if (p_ >= end_) throw VbError(VbError::InputPastEnd, "Input past end of file");
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\t')) ++p_;
        Slice s;
        if (p_ < end_ && *p_ == '"') {
            const char* start = ++p_;
            p_ = findQuote(p_);
            s = {start, p_ - start, false};
            unclosed_ = p_ >= end_;
            if (p_ < end_) ++p_;
            skipToSeparator();
        } else {
            const char* start = p_;
            skipToSeparator();
            s = {start, p_ - start, true};
            unclosed_ = false;
        }
        separator_ = p_;
        if (p_ < end_) {
            if (*p_ == ',') {
                ++p_;
            } else if (*p_ == '\r') {
                ++p_;
                if (p_ < end_ && *p_ == '\n') ++p_;
            } else if (*p_ == '\n') {
                ++p_;
            }
        }
        return s;
    }
    void skipToSeparator() {
        while (p_ < end_ && *p_ != ',' && *p_ != '\r' && *p_ != '\n') ++p_;
    }

    const char* wordStart(qsizetype w) const { return begin_ + ((first_ + w) << 6); }
    // Moves w and m (word w's quotes still ahead) on to the first word of the count with a quote ahead;
    // false when there is none.
    static bool nextQuote(const std::uint64_t* words, qsizetype count, qsizetype& w, std::uint64_t& m) {
        while (m == 0 && w + 1 < count) m = words[++w];
        return m != 0;
    }
    // The quotes from the read position's 64 bytes to the end, one word each.
    void markQuotes() {
        marked_ = true;
        first_ = (p_ - begin_) >> 6;
        const qsizetype size = end_ - begin_;
        const qsizetype words = std::max<qsizetype>(1, (size + 63) / 64 - first_);
        words_.assign(static_cast<std::size_t>(words), 0);
        for (qsizetype k = 0; k < words; ++k) {
            const char* p = wordStart(k);
            std::uint64_t m = 0;
            qsizetype i = 0;
#ifdef __SSE2__
            if (end_ - p >= 64) {
                const __m128i quote = _mm_set1_epi8('"');
                for (; i < 64; i += 16) {
                    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
                    m |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, quote)))} << i;
                }
            }
#endif
            for (; i < 64 && p + i < end_; ++i)
                if (p[i] == '"') m |= std::uint64_t{1} << i;
            words_[static_cast<std::size_t>(k)] = m;
        }
        follow();
    }
    // The mask follows the read position: the quotes at or after it.
    void follow() {
        const qsizetype at = p_ - begin_;
        w_ = (at >> 6) - first_;
        if (w_ >= static_cast<qsizetype>(words_.size())) {
            w_ = static_cast<qsizetype>(words_.size()) - 1;
            mask_ = 0;
            return;
        }
        mask_ = words_[static_cast<std::size_t>(w_)] & (~std::uint64_t{0} << (at & 63));
    }
    // The first '"' at or after from (not before the read position), or end_.
    const char* findQuote(const char* from) const {
        if (from >= end_) return end_;
        const qsizetype at = from - begin_;
        qsizetype w = (at >> 6) - first_;
        const qsizetype words = static_cast<qsizetype>(words_.size());
        std::uint64_t m = words_[static_cast<std::size_t>(w)] & (~std::uint64_t{0} << (at & 63));
        if (!nextQuote(words_.data(), words, w, m)) return end_;
        return wordStart(w) + std::countr_zero(m);
    }

    const char* begin_;
    const char* p_;
    const char* end_;
    const char* contentEnd_;
    const char* separator_ = nullptr;
    bool unclosed_ = false;
    bool marked_ = false;
    qsizetype first_ = 0;              // the word (64 bytes from the start) words_ begins with
    std::vector<std::uint64_t> words_; // the quotes, a bit for each byte
    qsizetype w_ = 0;                  // the word of words_ the read position is in, or the last
    std::uint64_t mask_ = 0;           // its quotes at or after the read position
};

bool isSpaceByte(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13) || c == 0xA0; }

// True when the bytes read the same as Latin-1 and need no trimming.
bool isPlain(const LogScanner::Slice& s) {
    for (qsizetype i = 0; i < s.size; ++i) {
        const auto c = static_cast<unsigned char>(s.begin[i]);
        if (c >= 0x80 && c <= 0x9F) return false;
    }
    return !s.bare || !(isSpaceByte(static_cast<unsigned char>(s.begin[0])) ||
                        isSpaceByte(static_cast<unsigned char>(s.begin[s.size - 1])));
}

QString textOf(const LogScanner::Slice& s) {
    QString t = FromAnsi(QByteArray::fromRawData(s.begin, s.size));
    return s.bare ? std::move(t).trimmed() : t;
}

// Whether text holds exactly the Latin-1 bytes [p, p + n). Compared from the end, where times,
// serials and frequencies differ.
bool sameText(const QString& text, const char* p, qsizetype n) {
    if (text.size() != n) return false;
    const QChar* t = text.constData();
    for (qsizetype i = n - 1; i >= 0; --i)
        if (t[i].unicode() != static_cast<unsigned char>(p[i])) return false;
    return true;
}

// A value's bytes as the texts met earlier are found by: its bytes, whether it was bare (trimmed),
// and a hash of them.
struct TextKey {
    const char* p;
    qsizetype n;
    bool bare;
    std::uint32_t hash;
};

std::uint64_t loadWord(const char* p, qsizetype n) { // n in 0..8
    std::uint64_t w = 0;
    std::memcpy(&w, p, static_cast<std::size_t>(n));
    return w;
}

TextKey keyOf(const LogScanner::Slice& s) {
    // Values are short: a word or two from each end, mixed by a multiply, tells them apart.
    std::uint64_t h = static_cast<std::uint64_t>(s.size) * 0x9E3779B97F4A7C15ull + (s.bare ? 1 : 0);
    const char* p = s.begin;
    qsizetype n = s.size;
    while (n > 16) {
        h = (h ^ loadWord(p, 8)) * 0xFF51AFD7ED558CCDull;
        p += 8;
        n -= 8;
    }
    if (n > 8) {
        h = (h ^ loadWord(p, 8)) * 0xFF51AFD7ED558CCDull;
        h = (h ^ loadWord(p + n - 8, 8)) * 0xC4CEB9FE1A85EC53ull;
    } else {
        h = (h ^ loadWord(p, n)) * 0xC4CEB9FE1A85EC53ull;
    }
    h ^= h >> 29;
    return {s.begin, s.size, s.bare, static_cast<std::uint32_t>(h ^ (h >> 32))};
}

// Texts of one field met earlier in this load, as the fields of earlier records that hold them (those
// records are not written again while it runs), found by their bytes in the file (which outlives the
// load): logs repeat calls, dates, bands, modes, counties and serials, and a shared string costs no
// allocation or decoding (a first load makes every record's strings). A field whose values seldom
// repeat (times, serials sent, frequencies) stops being looked up.
class RecentTexts {
public:
    const QString* Find(const TextKey& k) const {
        if (slots_.empty()) return nullptr;
        for (std::size_t i = k.hash & mask();; i = (i + 1) & mask()) {
            const Slot& s = slots_[i];
            if (!s.text) return nullptr;
            if (s.hash == k.hash && s.n == k.n && s.bare == k.bare && std::memcmp(s.p, k.p, static_cast<std::size_t>(k.n)) == 0)
                return s.text;
        }
    }
    void Add(const QString* text, const TextKey& k) {
        if (++added_ >= kTryFirst && added_ * 10 > looked_ * 9) {
            givenUp_ = true; // nearly every text new: looking them up costs more than it saves
            slots_ = {};
            return;
        }
        if ((used_ + 1) * 2 > slots_.size()) grow();
        insert({text, k.p, k.n, k.hash, k.bare});
        ++used_;
    }
    // Whether this field is still worth looking up; counts the look-up.
    bool Looks() {
        ++looked_;
        return !givenUp_;
    }

private:
    static constexpr int kTryFirst = 256;
    struct Slot {
        const QString* text = nullptr;
        const char* p = nullptr;
        qsizetype n = 0;
        std::uint32_t hash = 0;
        bool bare = false;
    };
    std::size_t mask() const { return slots_.size() - 1; }
    void insert(const Slot& slot) {
        std::size_t i = slot.hash & mask();
        while (slots_[i].text) i = (i + 1) & mask();
        slots_[i] = slot;
    }
    void grow() {
        std::vector<Slot> old(std::max<std::size_t>(16, slots_.size() * 2));
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.text) insert(s);
    }
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    int added_ = 0, looked_ = 0;
    bool givenUp_ = false;
};

// Sets field to the slice's text, keeping the slot's own string when a reload finds it unchanged;
// true when the field's text changed.
bool assign(QString& field, RecentTexts& recent, const LogScanner::Slice& s) {
    if (s.size == 0) {
        if (field.isNull()) return false;
        const bool changed = !field.isEmpty();
        field = QString();
        return changed;
    }
    const bool plain = isPlain(s);
    // A reload keeps the slot's own string when it still holds these bytes.
    if (!field.isNull() && (plain ? sameText(field, s.begin, s.size) : textOf(s) == field)) return false;
    if (recent.Looks()) {
        const TextKey k = keyOf(s);
        if (const QString* seen = recent.Find(k)) {
            field = *seen;
            return true;
        }
        field = plain ? QString::fromLatin1(s.begin, s.size) : textOf(s);
        recent.Add(&field, k);
        return true;
    }
    field = plain ? QString::fromLatin1(s.begin, s.size) : textOf(s);
    return true;
}

// Widens n Latin-1 bytes into dst; true when one of them is in 0x80..0x9F, where Windows-1252 and
// Latin-1 differ.
bool widenLatin1(const char* src, qsizetype n, char16_t* dst) {
    qsizetype i = 0;
    bool special = false;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i high3 = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i c1 = _mm_set1_epi8(static_cast<char>(0x80));
    __m128i seen = zero;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 8), _mm_unpackhi_epi8(v, zero));
        seen = _mm_or_si128(seen, _mm_cmpeq_epi8(_mm_and_si128(v, high3), c1));
    }
    special = _mm_movemask_epi8(seen) != 0;
#endif
    for (; i < n; ++i) {
        const auto c = static_cast<unsigned char>(src[i]);
        special |= (c & 0xE0) == 0x80;
        dst[i] = c;
    }
    return special;
}

// A slot no load has filled (a first load, or slots above a shorter log): every text null.
bool isFreshSlot(const ContactRecord& r) {
    return r.Spare16 == 0 && everyText(r, [](const QString& t) { return t.isNull(); });
}

double numberOf(const LogScanner::Slice& s);

// The texts of every record a load reads into fresh slots, in one UTF-16 block: each record's bytes
// are widened into it in place (Latin-1 keeps every offset), each separator after a value becomes that
// value's terminator, and each field is a string over its part of the block, the block counting them.
// A first load of a full log makes its 11,000 records with one allocation instead of 11,000 (or some
// 50,000 strings one by one). A field is an ordinary string: a copy shares the block, a change detaches
// or, once it alone holds the block, writes in it; the block goes with the last field over it. It spans
// from the first fresh record to the end of the file, so a reload that reads a few records added at the
// end makes a block of just their bytes.
class FreshTexts {
public:
    explicit FreshTexts(const QByteArray& bytes) : file_(bytes.constData()), size_(bytes.size()) {}
    FreshTexts(const FreshTexts&) = delete;
    FreshTexts& operator=(const FreshTexts&) = delete;
    ~FreshTexts() {
        if (!header_) return;
        // The fields were made without counting each one: the count is set once, as this lets go.
        if (given_ == 0)
            QTypedArrayData<char16_t>::deallocate(header_);
        else
            header_->ref_.fetchAndAddRelaxed(given_ - 1);
    }
    // Where the file's byte at p goes in the block (made with the record at p, the first fresh one).
    char16_t* At(const char* p) {
        if (!header_) {
            base_ = p;
            // + 1: the last value may end with the file, with no separator after it to terminate it.
            auto [header, block] = QTypedArrayData<char16_t>::allocate(size_ - (p - file_) + 1);
            if (!header) qBadAlloc();
            header_ = header;
            block_ = block;
        }
        return block_ + (p - base_);
    }
    QString Text(const char16_t* text, qsizetype size) {
        ++given_;
        return QString(QStringPrivate(header_, const_cast<char16_t*>(text), size));
    }

private:
    const char* file_;
    qsizetype size_;
    const char* base_ = nullptr;
    QTypedArrayData<char16_t>* header_ = nullptr;
    char16_t* block_ = nullptr;
    int given_ = 0;
};

// Reads one record into a fresh slot, its texts in the load's block. Values that need decoding or
// trimming are made on their own. True when the record holds anything.
bool readFresh(ContactRecord& rec, LogScanner& r, FreshTexts& texts) {
    const qsizetype start = r.Position();
    std::array<LogScanner::Slice, 20> v;
    r.ReadAll(v.data(), static_cast<int>(v.size()));
    const qsizetype end = r.Position();
    const char* const from = r.Begin() + start;
    const qsizetype span = end - start;
    std::array<QString*, 19> fields;
    std::array<const LogScanner::Slice*, 19> slices;
    int n = 0;
    for (std::size_t i = 0; i < std::size(kHead); ++i) fields[n] = &(rec.*kHead[i]), slices[n++] = &v[i];
    for (std::size_t i = 0; i < std::size(kTail); ++i) fields[n] = &(rec.*kTail[i]), slices[n++] = &v[16 + i];
    char16_t* const block = texts.At(from);
    const bool special = widenLatin1(from, span, block);
    bool any = false;
    for (int i = 0; i < n; ++i) {
        const LogScanner::Slice& s = *slices[i];
        if (s.size == 0) continue;
        any = true;
        if (special ? !isPlain(s) : s.bare && (isSpaceByte(static_cast<unsigned char>(s.begin[0])) ||
                                                isSpaceByte(static_cast<unsigned char>(s.begin[s.size - 1])))) {
            *fields[i] = textOf(s);
            continue;
        }
        char16_t* text = block + (s.begin - from);
        text[s.size] = u'\0';
        *fields[i] = texts.Text(text, s.size);
    }
    rec.Spare16 = numberOf(v[15]);
    return any || rec.Spare16 != 0;
}

double numberOf(const LogScanner::Slice& s) {
    if (s.bare && s.size == 1 && s.begin[0] == '0') return 0; // what the store itself writes
    double d = 0;
    return ParseNumber(textOf(s), &d) ? d : 0.0;
}

// The bytes that make a line appended after a log a record of its own, from the scanner that read the
// log's count records to its end. Whatever a log that loads ends with, there are such bytes: after a
// last line end nothing; after a lone CR its LF; after a last value left open by its quote the
// closing quote and CR LF; after a final comma nothing (the comma already separates); else CR LF.
QByteArray jointAfter(const LogScanner& r, int count) {
    if (count == 0) return {};
    if (r.LastUnclosed()) return "\"" + QByteArray(CrLf);
    const QByteArray separator = r.LastSeparator();
    if (separator.isEmpty()) return CrLf;
    if (separator == "\r") return "\n";
    return {};
}

// What the store knows of log.txt's end from its own last load, append or rewrite: the joint for the
// next line. It holds while the file is that same file, of that size and modification time; anything
// else reads the file again, so a log changed by hand meanwhile is judged as it is now.
struct KnownEnd {
    bool valid = false;
    QByteArray path;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    QByteArray joint;
    off_t wholeEnd = 0; // where the bytes of the last whole record end (end marks may follow)
};
KnownEnd gKnownEnd;

bool statOf(const QString& path, struct stat* st) {
    return ::stat(QFile::encodeName(path).constData(), st) == 0 && S_ISREG(st->st_mode);
}

// wholeEnd below 0: the file ends after its last whole record.
void rememberEnd(const QString& path, const QByteArray& joint, qint64 wholeEnd) {
    struct stat st {};
    gKnownEnd.valid = statOf(path, &st);
    gKnownEnd.wholeEnd = wholeEnd < 0 ? st.st_size : static_cast<off_t>(wholeEnd);
    gKnownEnd.path = QFile::encodeName(path);
    gKnownEnd.dev = st.st_dev;
    gKnownEnd.ino = st.st_ino;
    gKnownEnd.size = st.st_size;
    gKnownEnd.mtime = st.st_mtim;
    gKnownEnd.joint = joint;
}

bool knownEnd(const QString& path, QByteArray* joint, qint64* size, qint64* wholeEnd) {
    struct stat st {};
    if (!gKnownEnd.valid || gKnownEnd.path != QFile::encodeName(path) || !statOf(path, &st)) return false;
    if (st.st_dev != gKnownEnd.dev || st.st_ino != gKnownEnd.ino || st.st_size != gKnownEnd.size ||
        st.st_mtim.tv_sec != gKnownEnd.mtime.tv_sec || st.st_mtim.tv_nsec != gKnownEnd.mtime.tv_nsec)
        return false;
    *joint = gKnownEnd.joint;
    *size = st.st_size;
    *wholeEnd = gKnownEnd.wholeEnd;
    return true;
}

// The bytes of log.txt the records 1..count hold as they stand: those of the last load, and of the
// lines appended since that read back as their records. While the log's revision is the one given
// here (every change to a record other than one added at the end gives a new one), a reload that
// finds these very bytes finds these very records and has nothing to read: a band or mode change
// costs a comparison of the file instead of a parse of every value.
struct LoadedBytes {
    QByteArray bytes;
    QByteArray joint; // jointAfter of them
    qsizetype wholeEnd = 0;
    std::uint64_t revision = 0;
    int count = -1; // -1: none kept
    // Where in bytes each record's text ends, its separator included: ends[i] for record i + 1.
    std::vector<qsizetype> ends;
};
LoadedBytes gLoaded;

// How many of the records the kept bytes hold a file's bytes begin with unchanged, and where the
// record after them starts: a restored archive or backup usually begins as the log it replaces. A
// record counts when its bytes, and the separator the scanner took after them, are the same in both
// and nothing after them could have made the scanner take more (a CR that an LF follows now).
struct KeptRecords {
    int count = 0;
    qsizetype end = 0;
};
// How many bytes a and b begin with alike, compared a block at a time (memcmp's speed) before the
// block they differ in is looked at byte by byte.
qsizetype commonPrefix(const char* a, const char* b, qsizetype n) {
    constexpr qsizetype kBlock = 256;
    qsizetype i = 0;
    while (i + kBlock <= n && std::memcmp(a + i, b + i, kBlock) == 0) i += kBlock;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

KeptRecords recordsKeptIn(const QByteArray& bytes, int before) {
    if (gLoaded.count != before || gLoaded.revision != ContactLog.Revision ||
        gLoaded.ends.size() != static_cast<std::size_t>(before))
        return {};
    const QByteArray& old = gLoaded.bytes;
    const qsizetype n = std::min(old.size(), bytes.size());
    const qsizetype same = commonPrefix(old.constData(), bytes.constData(), n);
    int kept = static_cast<int>(std::upper_bound(gLoaded.ends.begin(), gLoaded.ends.end(), same) - gLoaded.ends.begin());
    while (kept > 0) {
        const qsizetype end = gLoaded.ends[static_cast<std::size_t>(kept - 1)];
        const char last = old[end - 1];
        if (end < same || last == '\n' || last == ',') break;
        --kept;
    }
    return {kept, kept > 0 ? gLoaded.ends[static_cast<std::size_t>(kept - 1)] : 0};
}

// The length of record n's bytes when bytes hold them again at `at` and they end with a line end or a
// comma (which nothing after them can make the scanner read on from); 0 otherwise. Only while the kept
// bytes are what records 1..their count hold: then a record whose bytes come back is its slot as it is.
// A restored log that differs from the one it replaces in a record or two, high up, reads just those.
qsizetype unchangedLength(const QByteArray& bytes, qsizetype at, int n) {
    if (n > gLoaded.count) return 0;
    const std::size_t k = static_cast<std::size_t>(n - 1);
    const qsizetype from = k == 0 ? 0 : gLoaded.ends[k - 1];
    const qsizetype size = gLoaded.ends[k] - from;
    const char* old = gLoaded.bytes.constData() + from;
    if (size <= 0 || at + size > bytes.size() || (old[size - 1] != '\n' && old[size - 1] != ',')) return 0;
    return std::memcmp(old, bytes.constData() + at, static_cast<std::size_t>(size)) == 0 ? size : 0;
}

// Where one reading of a log's bytes ended, and why it stopped short when it did.
struct LogReading {
    enum class Fault { None, CutLastLine, ContactNotWhole, TooManyContacts };
    int count = 0;          // whole records
    qsizetype wholeEnd = 0; // where their bytes end: end marks follow, or the fault
    QByteArray joint;       // jointAfter them, when there is no fault
    Fault fault = Fault::None;
    int line = 0; // the line the faulty record starts on
};

// The line (from 1) that position at of bytes is on; CR LF, CR and LF each end one.
int lineAt(const QByteArray& bytes, qsizetype at) {
    int line = 1;
    const char* p = bytes.constData();
    for (qsizetype i = 0; i < at; ++i)
        if (p[i] == '\n' || (p[i] == '\r' && (i + 1 >= bytes.size() || p[i + 1] != '\n'))) ++line;
    return line;
}

// A record that the end of the file cuts short on its own last line: it starts a line, and no line
// end follows (what a power cut or a copy broken off leaves).
bool isCutLastLine(const QByteArray& bytes, qsizetype start) {
    if (start > 0 && bytes[start - 1] != '\n' && bytes[start - 1] != '\r') return false;
    for (qsizetype i = start; i < bytes.size(); ++i)
        if (bytes[i] == '\n' || bytes[i] == '\r') return false;
    return true;
}

// The one reader of the log's form: the load, the restore check and the append's look at the file's
// end all read through it. readRecord(scanner, n) reads the 20 values of record n (1..Capacity) and
// throws where the bytes end first; a record past the capacity is only counted. Reading starts after
// the records kept (their count and where they end); ends takes where each record read ends.
template <class ReadRecord>
LogReading readRecords(const QByteArray& bytes, ReadRecord&& readRecord, const KeptRecords& kept = {},
                       std::vector<qsizetype>* ends = nullptr, bool passUnchanged = false) {
    LogScanner r(bytes, kept.end);
    LogReading out;
    out.count = kept.count;
    while (!r.AtContentEnd()) {
        const qsizetype start = r.Position();
        if (passUnchanged) {
            if (const qsizetype n = unchangedLength(bytes, start, out.count + 1)) {
                r.Skip(n);
                ++out.count;
                if (ends) ends->push_back(r.Position());
                continue;
            }
        }
        try {
            if (out.count < ContactLogData::Capacity) {
                readRecord(r, out.count + 1);
            } else {
                for (int i = 0; i < 20; ++i) r.Next();
            }
        } catch (const VbError&) { // the bytes ended inside the record: the only error the scanner has
            out.fault = isCutLastLine(bytes, start) ? LogReading::Fault::CutLastLine
                                                    : LogReading::Fault::ContactNotWhole;
            out.line = lineAt(bytes, start);
            out.wholeEnd = start;
            return out;
        }
        if (out.count >= ContactLogData::Capacity) {
            out.fault = LogReading::Fault::TooManyContacts;
            out.line = lineAt(bytes, start);
            out.wholeEnd = start;
            return out;
        }
        ++out.count;
        if (ends) ends->push_back(r.Position());
    }
    out.wholeEnd = r.Position();
    // With nothing read after the records kept, their last ended with a line end or a comma.
    out.joint = out.count > kept.count ? jointAfter(r, out.count) : QByteArray();
    return out;
}

// Counts the records of a log's bytes.
LogReading scanLog(const QByteArray& bytes) {
    return readRecords(bytes, [](LogScanner& r, int) {
        for (int i = 0; i < 20; ++i) r.Next();
    });
}

// The one set of texts for what keeps a log from being read; the caller names the file.
QString faultText(const LogReading& reading) {
    switch (reading.fault) {
    case LogReading::Fault::CutLastLine:
        return QString("line %1, the last, is cut short: the file ends in the middle of a contact").arg(reading.line);
    case LogReading::Fault::ContactNotWhole:
        return QString("the contact that starts on line %1 is not whole: the file ends before its 20th value")
            .arg(reading.line);
    case LogReading::Fault::TooManyContacts:
        return QString("it holds more than 11000 contacts, more than one log can hold: the 11001st starts on line %1")
            .arg(reading.line);
    case LogReading::Fault::None: break;
    }
    return {};
}

VbError faultError(const LogReading& reading) {
    return VbError(reading.fault == LogReading::Fault::TooManyContacts ? VbError::SubscriptOutOfRange
                                                                       : VbError::InputPastEnd,
                   faultText(reading));
}

// Reads bytes into the records after those kept, counting them in ContactLog.Count (whole records
// only); *changed: whether a record read differs from what its slot held.
LogReading readLog(const QByteArray& bytes, bool* changed, const KeptRecords& kept, std::vector<qsizetype>* ends,
                   bool passUnchanged) {
    std::array<RecentTexts, std::size(kHead) + std::size(kTail)> recent;
    FreshTexts fresh(bytes);
    bool differs = false;
    const LogReading reading = readRecords(bytes, [&](LogScanner& r, int n) {
        ContactRecord& rec = ContactLog.Rec[n];
        if (isFreshSlot(rec)) {
            differs |= readFresh(rec, r, fresh);
            return;
        }
        std::size_t i = 0;
        for (TextField f : kHead) differs |= assign(rec.*f, recent[i++], r.Next());
        const double spare = numberOf(r.Next());
        differs |= spare != rec.Spare16;
        rec.Spare16 = spare;
        for (TextField f : kTail) differs |= assign(rec.*f, recent[i++], r.Next());
    }, kept, ends, passUnchanged);
    ContactLog.Count = reading.count;
    *changed = differs;
    return reading;
}

// Whether line (one record's line, as LogLine writes it) reads back as exactly rec.
bool readsBackAs(const QByteArray& line, const ContactRecord& rec) {
    try {
        LogScanner r(line);
        ContactRecord back;
        RecentTexts recent;
        for (TextField f : kHead) assign(back.*f, recent, r.Next());
        back.Spare16 = numberOf(r.Next());
        for (TextField f : kTail) assign(back.*f, recent, r.Next());
        if (!r.AtEnd() || back.Spare16 != rec.Spare16) return false;
        for (TextField f : kHead)
            if (back.*f != rec.*f) return false;
        for (TextField f : kTail)
            if (back.*f != rec.*f) return false;
        return true;
    } catch (const VbError&) {
        return false;
    }
}

// Whether a text goes through LogLine and a load unchanged: no double quote, CR or LF (a quoted value
// drops them), and only characters Windows-1252 has (others are written as "?").
bool storesExactly(const QString& text) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'"' || c == u'\r' || c == u'\n') return false;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) continue;
        if (FromAnsi(ToAnsi(QString(ch))) != QString(ch)) return false;
    }
    return true;
}

// Whether a record's line, as LogLine writes it, loads back as exactly the record, without reading it.
bool writesBackExactly(const ContactRecord& r) {
    for (TextField f : kHead)
        if (!storesExactly(r.*f)) return false;
    for (TextField f : kTail)
        if (!storesExactly(r.*f)) return false;
    if (r.Spare16 == 0) return true;
    double back = 0;
    return ParseNumber(FormatDouble(r.Spare16), &back) && back == r.Spare16;
}

void resetScore() {
    Run.QsoPoints = 0;
    Run.MultiplierCount = 0;
    for (int i = 1; i <= 7; ++i) Run.DXWorkedCount[i] = 0;
    for (int row = 1; row <= 8; ++row)
        for (int col = 1; col <= 100; ++col) Run.MultiplierGrid[row][col] = 0;
}

// Writes bytes into the backup folder under the local minute's name and returns the copy's path; a
// second backup in the same minute (a close, a restart, a close again) takes "-2" after it and keeps
// the first.
QString writeBackup(const QByteArray& bytes) {
    QString folder = FindNoCase(Folders.DataFolder, "BACKUP");
    if (Folders.DataFolder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = Folders.BackupFolder;
        if (folder.isEmpty()) throw VbError(VbError::PathNotFound, "Path not found");
        QDir().mkdir(folder);
    }
    const QString path = UnusedFileName(folder, platform().clock->Now().toString("yyyyMMddhhmm"), ".log");
    WriteFileAtomic(path, bytes);
    return path;
}

// Copies log.txt into the backup folder.
void copyToBackup() { writeBackup(ReadAllBytes(foundLog())); }

// A log whose last line is cut short (a power cut while a contact was written, a copy broken off):
// the whole file is copied into BACKUP first, then the operator may set the cut line aside (the log
// keeps its whole contacts, the copy keeps everything). True when log.txt now ends after its last
// whole contact; false when it is left as it was, the reason in *why.
bool offerToSetCutLineAside(const QString& path, const QByteArray& bytes, const LogReading& reading, QString* why) {
    const QString nl = CrLf;
    const QString file = QDir::toNativeSeparators(path);
    QString copy;
    try {
        copy = writeBackup(bytes);
    } catch (const VbError& e) {
        *why = file + " cannot be read as a contact log (" + faultText(reading) + ")." + nl + nl +
               "No copy of it could be made in BACKUP (" + e.Description + "), so it was left as it is.";
        return false;
    }
    const QString prompt =
        file + " cannot be read as a contact log: " + faultText(reading) + ". The program or the computer " +
        "probably stopped while that contact was being written." + nl + nl + "A copy of the whole file is in " +
        QDir::toNativeSeparators(copy) + "." + nl + nl + "Set the cut line aside and go on logging? The log keeps " +
        QString("its %1 whole contacts; the cut line stays in the copy.").arg(reading.count) + nl + nl +
        "No ends the program and leaves the log as it is.";
    if (MsgBox(prompt, vbYesNo | vbExclamation, "File Error") != vbYes) {
        why->clear(); // the operator chose to end: nothing more to say
        return false;
    }
    try {
        WriteFileAtomic(path, bytes.left(reading.wholeEnd));
    } catch (const VbError& e) {
        *why = "The cut line could not be set aside: " + e.Description + nl + nl + "The log was left as it is; " +
               "the copy is in " + QDir::toNativeSeparators(copy) + ".";
        return false;
    }
    return true;
}

} // namespace

QByteArray LogLine(const ContactRecord& r) {
    ValueWriter w;
    for (TextField f : kHead) w.Text(r.*f);
    w.Double(r.Spare16);
    for (TextField f : kTail) w.Text(r.*f);
    w.EndLine();
    return w.Bytes();
}

QString WorkingLogPath() { return foundLog(); }

std::uint64_t NextLogRevision() {
    static std::uint64_t last = 0;
    return ++last;
}

namespace {

// The digits of text[at .. at + n), or -1 when one is not a digit.
int digitsAt(const QString& text, qsizetype at, qsizetype n) {
    int v = 0;
    for (qsizetype i = at; i < at + n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// The date and time as the store writes them ("yyyy/MM/dd", "hh:mm:ss") read by hand; any other form
// goes through the general parser.
QDate dateOf(const QString& d) {
    if (d.size() == 10 && d[4] == u'/' && d[7] == u'/') {
        const int y = digitsAt(d, 0, 4), m = digitsAt(d, 5, 2), day = digitsAt(d, 8, 2);
        if (y >= 0 && m >= 0 && day >= 0) return QDate::isValid(y, m, day) ? QDate(y, m, day) : QDate();
    }
    return QDate::fromString(d, "yyyy/MM/dd");
}

QTime timeOf(const QString& t) {
    if (t.size() == 8 && t[2] == u':' && t[5] == u':') {
        const int h = digitsAt(t, 0, 2), m = digitsAt(t, 3, 2), s = digitsAt(t, 6, 2);
        if (h >= 0 && m >= 0 && s >= 0) return QTime::isValid(h, m, s) ? QTime(h, m, s) : QTime();
    }
    QTime time = QTime::fromString(t, "hh:mm:ss");
    if (!time.isValid()) time = QTime::fromString(t, "hh:mm");
    if (!time.isValid()) time = QTime::fromString(t, "h:mm");
    return time;
}

bool sameString(const QString& a, const QString& b) { return a.constData() == b.constData() && a.size() == b.size(); }

} // namespace

bool ContactMoment(const ContactRecord& r, std::int64_t* secondsSinceEpoch) {
    ContactRecordCache& c = r.Cache;
    if (!c.momentKnown || !sameString(c.date, r.Date) || !sameString(c.time, r.Time)) {
        const QDate d = dateOf(r.Date);
        const QTime t = timeOf(r.Time);
        c.momentValid = d.isValid() && t.isValid();
        c.moment = c.momentValid ? (d.toJulianDay() - 2440588) * 86400 + t.msecsSinceStartOfDay() / 1000 : 0;
        c.date = r.Date;
        c.time = r.Time;
        c.momentKnown = true;
    }
    *secondsSinceEpoch = c.moment;
    return c.momentValid;
}

namespace {

// The rows of the county table by the spellings a log holds, each worked out once: the first row whose
// name is that text without regard to case, 0 for none. Made anew for each table (known by its first
// name's string and its size: a load makes new strings); a first load looks up every record's county.
struct CountyRowIndex {
    int tableCount = -1;
    QString tableFirst;
    QHash<QString, int> rows;
};
CountyRowIndex gCountyRows;

int countyRowOf(const QString& county, const QString& first, int count) {
    CountyRowIndex& x = gCountyRows;
    if (x.tableCount != count || !sameString(x.tableFirst, first)) x = CountyRowIndex{count, first, {}};
    const auto known = x.rows.constFind(county);
    if (known != x.rows.cend()) return *known;
    int row = 0;
    for (int i = 1; i <= count; ++i) {
        const QString& name = CountyTable.Name[static_cast<size_t>(i)];
        if (name.size() == county.size() && name.compare(county, Qt::CaseInsensitive) == 0) {
            row = i;
            break;
        }
    }
    x.rows.insert(county, row);
    return row;
}

} // namespace

int ContactCountyRow(const ContactRecord& r) {
    ContactRecordCache& c = r.Cache;
    const int count = static_cast<int>(CountyTable.Count);
    // The table is known by its first name's string and its size: a load makes new strings.
    const QString& first = count >= 1 ? CountyTable.Name[1] : QString();
    if (c.tableCount == count && sameString(c.tableFirst, first) && sameString(c.county, r.County)) return c.countyRow;
    const int row = r.County.isEmpty() ? 0 : countyRowOf(r.County, first, count);
    c.county = r.County;
    c.tableFirst = first;
    c.tableCount = count;
    c.countyRow = row;
    return row;
}

namespace {

// The end of every load that succeeded: what was just read (or found as it was) is kept for the next.
bool loaded() {
    clearAbove(ContactLog.Count);
    gLoaded.revision = ContactLog.Revision;
    gLoaded.count = ContactLog.Count;
    ContactLog.Loaded = true;
    if (Run.BackupBaselineCount == 0) Run.BackupBaselineCount = ContactLog.Count;
    return true;
}

} // namespace

int CheckLogBytes(const QByteArray& bytes) {
    const LogReading reading = scanLog(bytes);
    if (reading.fault != LogReading::Fault::None) throw faultError(reading);
    return reading.count;
}

bool LoadLog() {
    const int before = ContactLog.Count;
    ContactLog.Count = 0;
    ContactLog.Loaded = false;
    resetScore();
    const QString path = foundLog();
    QString why;
    for (bool setAside = false;; setAside = true) {
        QByteArray bytes;
        try {
            bytes = ReadAllBytes(path);
        } catch (const VbError& e) {
            why = e.Description;
            break;
        }
        // A reload that finds the records as they were keeps the revision, and with it every index.
        if (!setAside && gLoaded.count == before && gLoaded.revision == ContactLog.Revision && bytes == gLoaded.bytes) {
            ContactLog.Count = before;
            rememberEnd(path, gLoaded.joint, gLoaded.wholeEnd);
            return loaded();
        }
        // The records the new bytes begin with as they were are those records still: reading goes on
        // after them.
        const KeptRecords kept = setAside ? KeptRecords{} : recordsKeptIn(bytes, before);
        std::vector<qsizetype> ends;
        ends.reserve(std::max<std::size_t>(gLoaded.ends.size(), static_cast<std::size_t>(ContactLogData::Capacity)));
        ends.assign(gLoaded.ends.begin(), gLoaded.ends.begin() + kept.count);
        bool changed = false;
        const bool slotsAsKept = !setAside && gLoaded.count == before && gLoaded.revision == ContactLog.Revision &&
                                 gLoaded.ends.size() == static_cast<std::size_t>(before);
        const LogReading reading = readLog(bytes, &changed, kept, &ends, slotsAsKept);
        if (reading.fault == LogReading::Fault::None) {
            // After a cut line was set aside the slots hold the first reading, not what indexes saw.
            if (changed || setAside || ContactLog.Count != before) ContactLog.Revision = NextLogRevision();
            gLoaded.bytes = bytes;
            gLoaded.joint = reading.joint;
            gLoaded.wholeEnd = reading.wholeEnd;
            gLoaded.ends = std::move(ends);
            rememberEnd(path, reading.joint, reading.wholeEnd);
            return loaded();
        }
        // Only whole records stay; the one cut short is dropped with everything above it.
        clearAbove(ContactLog.Count);
        if (!setAside && reading.fault == LogReading::Fault::CutLastLine) {
            if (!offerToSetCutLineAside(path, bytes, reading, &why)) break;
            ContactLog.Count = 0;
            continue;
        }
        why = QDir::toNativeSeparators(path) + " cannot be read as a contact log (" + faultText(reading) + ").";
        break;
    }
    ContactLog.Revision = NextLogRevision();
    gLoaded.count = -1;
    clearAbove(ContactLog.Count);
    // The operator who chose to end (No to setting the cut line aside) has been told enough.
    if (!why.isEmpty()) MsgBox("Error opening file." + QString(CrLf) + CrLf + why, vbOKOnly, "File Error");
    End();
    return false;
}

void AppendLastContact() {
    requireLoaded();
    if (ContactLog.Count < 1 || ContactLog.Count > ContactLogData::Capacity)
        throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
    // The new line continues the file as it is now, whatever wrote its last bytes: it must load as
    // one more record after the file's last complete one, or it is not written.
    const QString path = foundLog();
    QByteArray joint;
    qint64 size = 0, wholeEnd = 0;
    if (!knownEnd(path, &joint, &size, &wholeEnd)) {
        const QByteArray current = QFileInfo(path).isFile() ? ReadAllBytes(path) : QByteArray();
        const LogReading reading = scanLog(current);
        if (reading.fault != LogReading::Fault::None) {
            const VbError e = faultError(reading);
            throw VbError(e.Number, QDir::toNativeSeparators(path) +
                                        " does not end after a complete contact, so a contact added to it could "
                                        "not be read back (" + e.Description + ").");
        }
        joint = reading.joint;
        size = current.size();
        wholeEnd = reading.wholeEnd;
    }
    const ContactRecord& rec = ContactLog.Rec[ContactLog.Count];
    const QByteArray line = LogLine(rec);
    gKnownEnd.valid = false;
    const bool follows = gLoaded.count == ContactLog.Count - 1 && gLoaded.revision == ContactLog.Revision &&
                         gLoaded.bytes.size() == size && wholeEnd == size && joint.isEmpty();
    gLoaded.count = -1;
    // End marks after the last record (blank lines, a ^Z) would shift the new line's values: the
    // line takes their place.
    AppendSynced(path, joint + line, size, wholeEnd);
    rememberEnd(path, QByteArray(), -1); // the line ends with CR LF
    if (follows && readsBackAs(line, rec)) {
        gLoaded.bytes += line;
        gLoaded.joint.clear();
        gLoaded.wholeEnd = gLoaded.bytes.size();
        gLoaded.count = ContactLog.Count;
        gLoaded.ends.push_back(gLoaded.bytes.size());
    }
}

QString ContactNotLoggedText(const VbError& e) {
    QString text = e.Description + CrLf + CrLf + "The contact was not logged; it is still in the entry line.";
    if (e.Number == VbError::DiskFull) text += " Free some space on the disk, then press Enter again to log it.";
    return text;
}

void SaveLog() {
    requireLoaded();
    ContactLog.Revision = NextLogRevision(); // a rewrite follows edits made in place
    if (ContactLog.Count < 0 || ContactLog.Count > ContactLogData::Capacity)
        throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(ContactLog.Count) * 120);
    std::vector<qsizetype> ends;
    ends.reserve(static_cast<std::size_t>(ContactLog.Count));
    bool exact = true;
    for (int i = 1; i <= ContactLog.Count; ++i) {
        bytes += LogLine(ContactLog.Rec[i]);
        ends.push_back(bytes.size());
        exact = exact && writesBackExactly(ContactLog.Rec[i]);
    }
    // Under the name it was found by: a LOG.TXT copied from elsewhere is the log, not a second one.
    const QString path = foundLog();
    gKnownEnd.valid = false;
    gLoaded.count = -1;
    WriteFileAtomic(path, bytes);
    rememberEnd(path, QByteArray(), -1); // empty, or ending with CR LF
    // What was written is what the records hold when each reads back as itself: the reload after an
    // edit or a delete then reads nothing.
    if (exact) {
        gLoaded.wholeEnd = bytes.size();
        gLoaded.bytes = std::move(bytes);
        gLoaded.joint.clear();
        gLoaded.ends = std::move(ends);
        gLoaded.revision = ContactLog.Revision;
        gLoaded.count = ContactLog.Count;
    }
}

void DeleteContact(int k) {
    requireLoaded();
    if (k < 1 || k > ContactLog.Count) return;
    ContactLog.Revision = NextLogRevision();
    for (int i = k; i < ContactLog.Count; ++i) ContactLog.Rec[i] = std::move(ContactLog.Rec[i + 1]);
    ContactLog.Rec[ContactLog.Count] = ContactRecord{};
    --ContactLog.Count;
    SaveLog();
}

void NewLog() {
    const QString nl = CrLf;
    const QString answer = InputBox("Are you sure that you want to start a new log file?  This function will ERASE "
                                    "the existing log file!" + nl + nl +
                                        "To verify that you want to start a new log file, please type: YES",
                                    "WARNING - Your existing log file will be ERASED!", QString());
    if (answer.toUpper() != QLatin1String("YES")) return;

    // Contacts on disk are never erased without a copy, whatever the count in memory says; when the
    // copy cannot be made the log is left as it is and the failure goes to the caller.
    const QFileInfo file(foundLog());
    if (file.isFile() && file.size() > 0) copyToBackup();
    Run.OperSecondsRunning = 0;
    Station.OperSecondsSaved = 0;
    WriteFileAtomic(foundLog(), QByteArray());
    ContactLog.Count = 0;
    SaveStationSettings();
    LoadLog();
}

void BackupLog() {
    if (ContactLog.Count == Run.BackupBaselineCount || ContactLog.Count <= 0) return;
    try {
        copyToBackup();
    } catch (const VbError& e) {
        // The window is closing: a backup that cannot be made is given up quietly.
        qCDebug(lcLogStore) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
