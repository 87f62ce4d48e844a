// Spot intake: the frequency and call of a cluster spot as the logging window cleans them, the
// country lookup of the call, the spot-list row and the spot table. Input: frequency text, call and
// the rest of the cluster line, separated by 0x1F, as UTF-8.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "fuzz/FuzzSupport.h"
#include "spotting/CountryLookup.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpotRules.h"

#include <QFile>

#include <cmath>

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    static bool tableLoaded = false;
    if (!tableLoaded) {
        QFile::copy(QStringLiteral(TYLOG_SOURCE_DIR "/data/arrlpre2.txt"), Folders.SharedFolder + "/arrlpre2.txt");
        LoadPrefixTable();
        FUZZ_CHECK(PrefixTable.Count > 1000);
        tableLoaded = true;
    }
    const QList<QByteArray> pieces = fuzz::Split(data, size, 3);
    const QString freq = QString::fromUtf8(pieces[0]);
    const QString rawCall = QString::fromUtf8(pieces[1]);
    QString record = QString::fromUtf8(pieces[2]);
    const qsizetype cr = record.indexOf('\r');
    if (cr >= 0) record.truncate(cr);

    double mhz = 0;
    const bool accepted = ParseSpotFrequency(freq, &mhz);
    if (accepted) {
        FUZZ_CHECK(std::isfinite(mhz) && mhz > 0);
        const float single = static_cast<float>(mhz);
        FUZZ_CHECK(std::isfinite(single) && single > 0);
        FUZZ_CHECK(!BandMapCaption(mhz).isEmpty());
        bool ok = false;
        const double shown = SpotListFrequencyText(mhz).toDouble(&ok);
        FUZZ_CHECK(ok && std::fabs(shown - mhz) <= mhz * 1e-13);
    }
    const QString call = CleanSpotCall(rawCall);
    for (const QChar c : call) FUZZ_CHECK(c.category() != QChar::Other_Control && !c.isSpace() && c != '"');
    FUZZ_CHECK(CleanSpotCall(call) == call);
    LookupDXCountry(rawCall);
    SpotLabelPrefix(rawCall);
    if (!accepted || call.isEmpty()) return 0;

    FUZZ_CHECK(SpotListRow(call, mhz, record).size() == 8);
    // The same station spotted again, in other letters: its earlier spot leaves the table.
    const QDateTime at(QDate(2013, 9, 15), QTime(14, 0));
    for (const QString& c : {call, call.toLower(), call}) {
        StoreSpot(DXSpotTable, c, static_cast<float>(mhz), at);
        FUZZ_CHECK(DXSpotTable.Call[DXSpotTableData::Newest] == c);
        FUZZ_CHECK(DXSpotTable.Freq[DXSpotTableData::Newest] == static_cast<float>(mhz));
        for (int i = 1; i < DXSpotTableData::Newest; ++i)
            FUZZ_CHECK(DXSpotTable.Freq[i] == 0 || DXSpotTable.Call[i].compare(c, Qt::CaseInsensitive) != 0);
    }
    DXSpotTable = {}; // what one input allocates it frees, or the fuzzer looks for a leak after each
    return 0;
}
