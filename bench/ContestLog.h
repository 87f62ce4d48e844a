#pragma once
// The one generator of a realistic contest log for every benchmark: what an out-of-state station's log
// holds at the end of a busy 24-hour contest, scaled to the size asked for.
#include "logstore/ContactLog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QStringList>

#include <vector>

namespace tylog::bench {

// The sizes every cost is shown at, to see how it grows with the log.
inline constexpr int kLogSizes[] = {1000, 5000, 11000};

// The county names of the shipped county table (data/TYCounty.txt), host state TY.
QStringList ShippedCountyNames();

// `contacts` contacts of a 24-hour contest that ends at endUtc, in time order (so the last hour holds
// about a twenty-fourth of them): about 2,500 distinct calls per 11,000 contacts (about 5% mobiles,
// some portables), every county of `counties` worked, all bands and modes in contest proportions (a
// call never twice on one band and mode, a mobile never twice on one band and mode in one county),
// serials sent 001.., serials received that grow with each station's own count, frequencies inside
// the band's mode segment. The same arguments give the same log.
std::vector<ContactRecord> ContestLog(int contacts, const QDateTime& endUtc, const QStringList& counties);

// The same log as the bytes of log.txt.
QByteArray ContestLogBytes(int contacts, const QDateTime& endUtc, const QStringList& counties);

// The same contest as an in-state station from one own county logs it: about 40% host-state stations
// (TY, keeping their counties), 45% other states and provinces, 15% DX countries, each call always
// from the same place, every contact sent from ownCounty.
std::vector<ContactRecord> InStateContestLog(int contacts, const QDateTime& endUtc, const QStringList& counties,
                                             const QString& ownCounty);
QByteArray InStateContestLogBytes(int contacts, const QDateTime& endUtc, const QStringList& counties,
                                  const QString& ownCounty);

// The floor of a reload: reads the file at path and splits it into pieces on commas and line ends.
void ReadAndSplit(const QString& path, std::vector<QByteArrayView>& pieces);

// A call that no generated log holds, different for each n; it starts like the log's calls do.
QString FreshCall(int n);

} // namespace tylog::bench
