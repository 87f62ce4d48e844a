#include "bench/ContestLog.h"

#include "core/SectionTable.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>

namespace tylog::bench {

namespace {

struct Band {
    const char* name;
    double weight; // share of a contest's contacts
    // Segments in MHz: CW, phone, digital.
    double cw[2], ph[2], dg[2];
};

// Proportions of a state QSO party worked from outside the state: mostly 40 and 20 m, 80 m at night,
// a little on the high bands and VHF.
const Band kBands[] = {
    {"160", 2, {1.810, 1.840}, {1.850, 1.990}, {1.838, 1.842}},
    {"80", 17, {3.520, 3.570}, {3.800, 3.990}, {3.570, 3.600}},
    {"40", 34, {7.020, 7.060}, {7.175, 7.290}, {7.070, 7.100}},
    {"20", 30, {14.020, 14.060}, {14.200, 14.340}, {14.070, 14.100}},
    {"15", 8, {21.020, 21.060}, {21.250, 21.400}, {21.070, 21.100}},
    {"10", 5, {28.020, 28.060}, {28.350, 28.600}, {28.070, 28.120}},
    {"6", 2, {50.080, 50.100}, {50.125, 50.300}, {50.310, 50.320}},
    {"2", 1.4, {144.050, 144.100}, {144.200, 144.300}, {144.170, 144.180}},
    {"1.25", 0.3, {222.050, 222.100}, {222.100, 222.150}, {222.070, 222.090}},
    {"70", 0.3, {432.050, 432.100}, {432.100, 432.200}, {432.070, 432.090}},
};
constexpr int kBandCount = static_cast<int>(std::size(kBands));
const char* const kModes[] = {"CW", "PH", "DG"};
const double kModeWeights[] = {44, 50, 6};
constexpr int kCombos = kBandCount * 3;

const char* const kOnePrefixes[] = {"K", "W", "N"};
const char* const kTwoPrefixes[] = {"KA", "KB", "KC", "KD", "KE", "KF", "KG", "KI", "KJ", "KK", "KM", "KN", "KO",
                                    "WA", "WB", "WD", "AA", "AB", "AC", "AD", "AE", "AF", "AG", "AI", "AJ", "AK"};

struct Station {
    QString call;
    bool mobile = false;
    int county = 0;      // home county (a mobile's first)
    int finalSerial = 0; // its own count at the end of the contest
    std::set<std::tuple<int, int>> worked; // (combo, county): a repeat is a duplicate
};

QString makeCall(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0, 1);
    auto letter = [&] { return QChar('A' + static_cast<int>(rng() % 26)); };
    QString call = u(rng) < 0.7 ? kOnePrefixes[rng() % std::size(kOnePrefixes)]
                                : kTwoPrefixes[rng() % std::size(kTwoPrefixes)];
    // The host state's own call district mostly, movers from everywhere.
    call += QChar('0' + (u(rng) < 0.6 ? 9 : static_cast<int>(rng() % 10)));
    const double s = u(rng);
    const int letters = s < 0.05 ? 1 : s < 0.40 ? 2 : 3;
    for (int i = 0; i < letters; ++i) call += letter();
    return call;
}

template <typename T>
int pickWeighted(std::mt19937& rng, const T& weights) {
    double total = 0;
    for (double w : weights) total += w;
    double x = std::uniform_real_distribution<double>(0, total)(rng);
    int i = 0;
    for (double w : weights) {
        if (x < w) return i;
        x -= w;
        ++i;
    }
    return i - 1;
}

} // namespace

QStringList ShippedCountyNames() {
    QFile f(QStringLiteral(TYLOG_SOURCE_DIR "/data/TYCounty.txt"));
    QStringList names;
    if (!f.open(QIODevice::ReadOnly)) return names;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() < 2) continue;
        const QString first = QString::fromLatin1(fields[0]).remove('"');
        if (first.startsWith(QLatin1String("TY"))) names << first.mid(2);
    }
    return names;
}

std::vector<ContactRecord> ContestLog(int contacts, const QDateTime& endUtc, const QStringList& counties) {
    std::mt19937 rng(20130915u + static_cast<unsigned>(contacts));
    std::uniform_real_distribution<double> u(0, 1);
    const int countyCount = static_cast<int>(counties.size());

    // Distinct stations: about 2,500 per 11,000 contacts, enough to work every county.
    const int distinct = std::max(countyCount, static_cast<int>(std::lround(contacts * 2500.0 / 11000.0)));
    std::vector<Station> stations;
    QSet<QString> calls;
    // Counties are not equally busy: a few big ones hold many stations.
    std::vector<double> countyWeight(static_cast<size_t>(countyCount));
    for (int k = 0; k < countyCount; ++k) countyWeight[static_cast<size_t>(k)] = 1.0 / std::pow(1.0 + k, 0.7);
    std::shuffle(countyWeight.begin(), countyWeight.end(), rng);
    while (static_cast<int>(stations.size()) < distinct) {
        QString call = makeCall(rng);
        const double kind = u(rng);
        const bool mobile = kind < 0.05;
        if (mobile) call += "/M";
        else if (kind < 0.08) call += u(rng) < 0.5 ? QStringLiteral("/P") : QStringLiteral("/9");
        if (calls.contains(call)) continue;
        calls.insert(call);
        Station s;
        s.call = call;
        s.mobile = mobile;
        const int n = static_cast<int>(stations.size());
        s.county = n < countyCount ? n : pickWeighted(rng, countyWeight); // every county at least once
        s.finalSerial = 40 + static_cast<int>(rng() % 1400);
        stations.push_back(std::move(s));
    }
    std::shuffle(stations.begin(), stations.end(), rng);

    // Moments: a steady contest, so the last hour holds about a twenty-fourth of the log; the last
    // contact a little before the end.
    const qint64 span = 24 * 3600;
    std::vector<qint64> ages(static_cast<size_t>(contacts)); // seconds before endUtc
    for (qint64& a : ages) a = 20 + static_cast<qint64>(u(rng) * (span - 20));
    std::sort(ages.begin(), ages.end(), std::greater<>());

    // Who is worked: every station once, busy stations many times (a call's activity falls off with
    // its rank), never a duplicate.
    std::vector<double> activity(stations.size());
    for (size_t r = 0; r < activity.size(); ++r) activity[r] = 1.0 / std::pow(1.0 + r, 0.6);
    std::vector<int> who(static_cast<size_t>(contacts));
    for (int i = 0; i < contacts; ++i) who[static_cast<size_t>(i)] = i < distinct ? i : pickWeighted(rng, activity);
    std::shuffle(who.begin(), who.end(), rng);

    std::vector<double> comboWeight(kCombos);
    for (int b = 0; b < kBandCount; ++b)
        for (int m = 0; m < 3; ++m) comboWeight[static_cast<size_t>(b * 3 + m)] = kBands[b].weight * kModeWeights[m];

    std::vector<ContactRecord> log;
    log.reserve(static_cast<size_t>(contacts));
    for (int i = 0; i < contacts; ++i) {
        int st = who[static_cast<size_t>(i)];
        int combo = 0, county = 0;
        for (int tries = 0;; ++tries) {
            Station& s = stations[static_cast<size_t>(st)];
            combo = pickWeighted(rng, comboWeight);
            county = s.mobile && u(rng) < 0.5 ? static_cast<int>(rng() % countyCount) : s.county;
            if (!s.worked.count({combo, county})) break;
            // A station worked on most of its bands and modes already: somebody else this time.
            if (tries > 40) st = static_cast<int>(rng() % stations.size()), tries = 0;
        }
        Station& s = stations[static_cast<size_t>(st)];
        s.worked.insert({combo, county});
        const Band& band = kBands[combo / 3];
        const int mode = combo % 3;
        const double* seg = mode == 0 ? band.cw : mode == 1 ? band.ph : band.dg;
        const double mhz = seg[0] + u(rng) * (seg[1] - seg[0]);

        const qint64 age = ages[static_cast<size_t>(i)];
        const QDateTime when = endUtc.addSecs(-age);
        const double progress = 1.0 - static_cast<double>(age) / span;

        ContactRecord r;
        r.Call = s.call;
        r.County = counties[county];
        r.SerialSent = QString::number(i + 1).rightJustified(3, '0');
        r.Date = when.toString("yyyy/MM/dd");
        r.Time = when.toString("hh:mm:ss");
        r.Mode = kModes[mode];
        r.Band = band.name;
        r.SerialRcvd = QString::number(1 + static_cast<int>(progress * s.finalSerial));
        r.Frequency = QString::number(mhz, 'f', 3);
        log.push_back(std::move(r));
    }
    return log;
}

QByteArray ContestLogBytes(int contacts, const QDateTime& endUtc, const QStringList& counties) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(contacts) * 80);
    for (const ContactRecord& r : ContestLog(contacts, endUtc, counties)) bytes += LogLine(r);
    return bytes;
}

std::vector<ContactRecord> InStateContestLog(int contacts, const QDateTime& endUtc, const QStringList& counties,
                                             const QString& ownCounty) {
    static const char* const countries[] = {
        "Germany", "Japan", "England", "Italy", "Spain", "France", "Brazil", "Argentina", "Australia",
        "New Zealand", "Sweden", "Finland", "Norway", "Poland", "Czech Republic", "Slovak Republic", "Hungary",
        "Austria", "Switzerland", "Belgium", "Netherlands", "Denmark", "Portugal", "Ireland", "Scotland", "Wales",
        "Russia (European)", "Ukraine", "Croatia", "Slovenia", "Greece", "Turkey", "Israel", "South Africa",
        "Chile", "Peru", "Colombia", "Venezuela", "Mexico", "Cuba", "Puerto Rico", "US Virgin Islands",
        "Bahamas", "Jamaica", "Dominican Republic", "China", "South Korea", "Taiwan", "Philippines", "Indonesia",
        "Thailand", "India", "Kazakhstan", "Lithuania", "Latvia", "Estonia", "Belarus", "Romania", "Bulgaria",
        "Serbia"};
    SectionTableData sections;
    BuildSectionTable(sections);
    std::vector<ContactRecord> log = ContestLog(contacts, endUtc, counties);
    for (ContactRecord& r : log) {
        const size_t h = qHash(r.Call);
        const size_t kind = h % 20;
        if (kind < 8) {
            r.Spc = "TY";
        } else if (kind < 17) {
            int row = static_cast<int>(h / 20 % 62) + 1;
            if (row >= 50) ++row; // not the host state
            r.Spc = sections.Abbrev[static_cast<size_t>(row)];
            r.County.clear();
        } else {
            r.Spc = countries[h / 20 % std::size(countries)];
            r.County.clear();
        }
        r.SentCounty = ownCounty;
    }
    return log;
}

QByteArray InStateContestLogBytes(int contacts, const QDateTime& endUtc, const QStringList& counties,
                                  const QString& ownCounty) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(contacts) * 90);
    for (const ContactRecord& r : InStateContestLog(contacts, endUtc, counties, ownCounty)) bytes += LogLine(r);
    return bytes;
}

QString FreshCall(int n) {
    // "KZ" is no prefix the generator gives.
    QString call = QStringLiteral("KZ9");
    for (int i = 0; i < 3; ++i, n /= 26) call += QChar('A' + n % 26);
    return call;
}

// Aligned so that its loop runs at the same speed in every benchmark program: placed wherever the
// linker put it, the same code ran up to a fifth faster or slower from one program to another.
[[gnu::aligned(64)]] void ReadAndSplit(const QString& path, std::vector<QByteArrayView>& pieces) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray data = f.readAll();
    pieces.clear();
    const char* start = data.constData();
    const char* const end = start + data.size();
    for (const char* p = start; p < end; ++p)
        if (*p == ',' || *p == '\n') {
            pieces.emplace_back(start, p - start);
            start = p + 1;
        }
    benchmark::DoNotOptimize(pieces.data());
}

} // namespace tylog::bench
