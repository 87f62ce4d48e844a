#include "logging/DupeRules.h"
#include "logstore/ContactLog.h"

#include <QHash>

#include <cstring>

namespace tylog {

namespace {

// Text folded for comparing without regard to case, one code unit for one: two texts compare equal
// (or one begins with the other) without regard to case exactly when their folded forms do.
QString fold(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 128) *o++ = c >= u'A' && c <= u'Z' ? c + 32 : c;
        else *o++ = QChar(c).toCaseFolded().unicode();
    }
    return out;
}

bool sameNoCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x == y) continue;
        if (x < 128 && y < 128) {
            if (x >= u'A' && x <= u'Z') x += 32;
            if (y >= u'A' && y <= u'Z') y += 32;
            if (x != y) return false;
        } else if (QChar(x).toCaseFolded() != QChar(y).toCaseFolded()) {
            return false;
        }
    }
    return true;
}

bool startsWithNoCase(QStringView text, QStringView prefix) {
    return text.size() >= prefix.size() && sameNoCase(text.first(prefix.size()), prefix);
}

QString bandModeKey(const QString& band, const QString& mode) { return fold(band) + QChar(0) + fold(mode); }

// The calls of the log. A record's call is kept folded in a small entry of its band and mode's list, so
// a prefix scan reads a few bytes a contact instead of the whole record; calls too long for the entry
// or outside Latin-1 are compared on the record itself.
class CallIndex {
public:
    struct Entry {
        int record;
        std::uint8_t size; // 0: compare on the record
        char call[15];
    };

    void Follow(const ContactLogData& log) {
        if (&log != log_ || log.Revision != revision_ || log.Count < count_) rebuild(log);
        for (int i = count_ + 1; i <= log.Count; ++i) add(log, i);
        count_ = log.Count;
    }
    const std::vector<int>* RecordsOf(const QString& call) const {
        auto it = byCall_.constFind(fold(call));
        return it == byCall_.cend() ? nullptr : &it.value();
    }
    const std::vector<Entry>* OnBandAndMode(const QString& band, const QString& mode) const {
        auto it = byBandMode_.constFind(bandModeKey(band, mode));
        return it == byBandMode_.cend() ? nullptr : &it.value();
    }

private:
    void rebuild(const ContactLogData& log) {
        byCall_.clear();
        byBandMode_.clear();
        lastBand_ = lastMode_ = lastBandModeKey_ = QString();
        lastList_ = nullptr;
        log_ = &log;
        revision_ = log.Revision;
        count_ = 0;
    }
    void add(const ContactLogData& log, int i) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        const QString call = fold(r.Call);
        byCall_[call].push_back(i);
        Entry e{i, 0, {}};
        if (call.size() >= 1 && call.size() <= static_cast<qsizetype>(sizeof e.call)) {
            e.size = static_cast<std::uint8_t>(call.size());
            for (qsizetype k = 0; k < call.size(); ++k) {
                const char16_t c = call[k].unicode();
                if (c > 255) {
                    e.size = 0;
                    break;
                }
                e.call[k] = static_cast<char>(c);
            }
        }
        // The band and mode texts of a log are few and shared; their key is worked out once each.
        if (!lastBandModeKey_.isNull() && r.Band.constData() == lastBand_.constData() &&
            r.Mode.constData() == lastMode_.constData() && r.Band.size() == lastBand_.size() &&
            r.Mode.size() == lastMode_.size()) {
            lastList_->push_back(e);
            return;
        }
        lastBand_ = r.Band;
        lastMode_ = r.Mode;
        lastBandModeKey_ = bandModeKey(r.Band, r.Mode);
        lastList_ = &byBandMode_[lastBandModeKey_];
        lastList_->push_back(e);
    }

    const ContactLogData* log_ = nullptr;
    std::uint64_t revision_ = 0;
    int count_ = 0;
    QHash<QString, std::vector<int>> byCall_;
    QHash<QString, std::vector<Entry>> byBandMode_;
    // The last band and mode met (the strings themselves, held), and their list.
    QString lastBand_, lastMode_, lastBandModeKey_;
    std::vector<Entry>* lastList_ = nullptr;
};

CallIndex& indexOf(const ContactLogData& log) {
    static CallIndex index;
    index.Follow(log);
    return index;
}

} // namespace

bool SameNoCase(QStringView a, QStringView b) { return sameNoCase(a, b); }

std::vector<int> ContactsOfCall(const ContactLogData& log, const QString& call) {
    std::vector<int> out;
    if (const std::vector<int>* records = indexOf(log).RecordsOf(call))
        for (int i : *records)
            if (sameNoCase(log.Rec[static_cast<size_t>(i)].Call, call)) out.push_back(i); // the index holds no stale match
    return out;
}

DupeCheck CheckDuplicate(const ContactLogData& log, const QString& call, const QString& band, const QString& mode,
                         const QString& typedCounty) {
    DupeCheck d{typedCounty, 0};
    for (int i : ContactsOfCall(log, call)) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (d.county.isEmpty()) d.county = r.County;
        if (sameNoCase(r.Band, band) && sameNoCase(r.Mode, mode) && sameNoCase(d.county, r.County)) {
            d.duplicate = i;
            break;
        }
    }
    return d;
}

InStateDupeCheck CheckDuplicateInState(const ContactLogData& log, const QString& call, const QString& band,
                                       const QString& mode, const QString& typedCounty, const QString& typedSpc,
                                       const QString& ownCounty) {
    InStateDupeCheck d{typedCounty, typedSpc, 0};
    for (int i : ContactsOfCall(log, call)) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (d.county.isEmpty()) d.county = r.County;
        if (d.spc.isEmpty()) d.spc = r.Spc;
        if (sameNoCase(r.Band, band) && sameNoCase(r.Mode, mode) && sameNoCase(d.county, r.County) &&
            sameNoCase(r.SentCounty, ownCounty)) {
            d.duplicate = i;
            break;
        }
    }
    return d;
}

QString PartialDupes(const ContactLogData& log, const QString& band, const QString& mode, const QString& typed,
                     const QString* sentCounty) {
    QString list;
    const std::vector<CallIndex::Entry>* entries = indexOf(log).OnBandAndMode(band, mode);
    if (!entries) return list;
    const QString key = fold(typed);
    // The typed start as Latin-1 bytes; a start outside Latin-1 matches no entry kept in bytes.
    QByteArray bytes;
    bool latin1 = true;
    for (QChar c : key) {
        if (c.unicode() > 255) latin1 = false;
        bytes += static_cast<char>(c.unicode());
    }
    const auto n = static_cast<std::size_t>(bytes.size());
    for (const CallIndex::Entry& e : *entries) {
        if (e.size != 0) {
            if (!latin1 || e.size < n || std::memcmp(e.call, bytes.constData(), n) != 0) continue;
        }
        const ContactRecord& r = log.Rec[static_cast<size_t>(e.record)];
        if (!startsWithNoCase(r.Call, typed)) continue;
        if (sentCounty && !sameNoCase(r.SentCounty, *sentCounty)) continue;
        list.prepend(QLatin1Char(' '));
        list.prepend(r.Call);
        if (list.size() > 100) break;
    }
    return list;
}

namespace {
struct Province {
    const char* start;
    const char* abbrev;
};
constexpr Province kCanadianPrefixes[] = {
    {"VE1", "NS"}, {"VE2", "QU"}, {"VE3", "ON"}, {"VE4", "MB"}, {"VE5", "SK"}, {"VE6", "AB"}, {"VE7", "BC"},
    {"VE8", "NT"}, {"VE9", "NB"}, {"VO1", "NF"}, {"VO2", "LB"}, {"VY1", "YT"}, {"VY2", "PE"},
};
} // namespace

QString CanadianProvinceOfCall(const QString& call) {
    if (call.size() <= 2) return {};
    const QString start = call.left(3);
    for (const Province& p : kCanadianPrefixes)
        if (start.compare(QLatin1String(p.start), Qt::CaseInsensitive) == 0) return p.abbrev;
    return {};
}

bool DigitStartsSerial(const QString& call, int keyAscii, int caret) {
    if (call.size() <= 2 || keyAscii < '0' || keyAscii > '9' || caret != call.size()) return false;
    int digits = 0;
    qsizetype lastDigit = 0; // 1-based
    for (qsizetype i = 1; i < call.size(); ++i) {
        const char16_t c = call[i].unicode();
        if (c < u'0') return false;
        if (c <= u'9') {
            ++digits;
            lastDigit = i + 1;
        }
    }
    return digits >= 1 && lastDigit != call.size();
}

} // namespace tylog
