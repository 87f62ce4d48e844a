#pragma once
// Spots handed to the logging window as the spotting window hands them on (through Form1), cut from
// cluster lines the way it cuts them.
#include "core/ReferenceTables.h"
#include "logging/Dispatcher.h"

#include <QString>
#include <QVariant>

namespace tylog::testing {

// A spot line as the cluster sends it, cut into call, kHz and record the way the spotting window cuts
// it: fixed columns, blanks (only) trimmed, the line end kept in the record.
struct ClusterSpot {
    QString call, khz, record;
};

inline QString TrimBlanks(QString s) {
    while (s.startsWith(' ')) s.remove(0, 1);
    while (s.endsWith(' ')) s.chop(1);
    return s;
}

inline ClusterSpot clusterSpot(const QString& khz, const QString& call, const QString& comment = "CW up 2",
                               const QString& time = "1401", const QString& spotter = "W3LPL",
                               const QString& prefix = "", const QString& origin = "") {
    QString line(79, ' ');
    const auto put = [&line](int column, const QString& text) { line.replace(column - 1, text.size(), text); };
    put(1, "DX de " + spotter + ":");
    put(25 - static_cast<int>(khz.size()), khz);
    put(27, call);
    put(40, comment);
    put(65, prefix);
    put(71, time + "Z");
    put(76, origin);
    line += "\r\n";
    return {QString(line.mid(26, 13)).remove(' '), TrimBlanks(line.mid(15, 9)), TrimBlanks(line.mid(3))};
}

inline void feed(const QString& call, const QString& khz, const QString& record = QString()) {
    QVariant c(call), f(khz), r(record);
    Form1().BandMapSpots(c, f, r);
}

inline void feed(const ClusterSpot& s) { feed(s.call, s.khz, s.record); }

// A few rows of the prefix table, for the list's country column.
inline void AddSpotPrefixes() {
    PrefixTable = PrefixTableData();
    const std::pair<const char*, const char*> prefixes[] = {{"Q", "Queendom"}, {"Q1", "First Isles"}, {"W", "Westland"}};
    for (auto [prefix, country] : prefixes) {
        ++PrefixTable.Count;
        PrefixTable.Prefix[PrefixTable.Count] = prefix;
        PrefixTable.Country[PrefixTable.Count] = country;
    }
}

} // namespace tylog::testing
