// ADIF records: whatever a contact, the operator's answers or the host state hold, the export reads
// back as a header and one record per contact, each value whole in its own field.
// Input: the 20 fields of a contact, the power answer, the comment answer and the host state,
// separated by 0x1F.
#include "fuzz/AdifReader.h"
#include "fuzz/FuzzSupport.h"
#include "logstore/AdifExport.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

#include <QMap>

using namespace tylog;

namespace {
QByteArray rtrim(QByteArray s) {
    while (s.endsWith(' ')) s.chop(1);
    return s;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QList<QByteArray> pieces = fuzz::Split(data, size, 23);
    ContactRecord r;
    QString* texts[] = {&r.Call, &r.RstSent, &r.RstRcvd, &r.Spc, &r.County, &r.State, &r.SentCounty,
                        &r.Spare8, &r.Spare9, &r.Spare10, &r.SerialSent, &r.Date, &r.Time, &r.Mode,
                        &r.Band, nullptr, &r.Spare17, &r.Spare18, &r.SerialRcvd, &r.Frequency};
    for (int i = 0; i < 20; ++i) {
        if (texts[i]) *texts[i] = FromAnsi(pieces[i]);
        else if (!ParseNumber(FromAnsi(pieces[i]), &r.Spare16)) r.Spare16 = 0;
    }
    const QString power = FromAnsi(pieces[20]);
    const QString comment = FromAnsi(pieces[21]);
    const QString host = FromAnsi(pieces[22]);
    const std::vector<AdifCountry> countries = {{"USA", 291}, {"Canada", 1}, {FromAnsi(pieces[3]).trimmed(), 7}};

    const QByteArray header = AdifHeader(host, "1.6", QDateTime(QDate(2013, 9, 15), QTime(14, 0)));
    FUZZ_CHECK(header.count("\r\n") == 7);
    ContactRecord plain;
    plain.Call = "W1AW";
    plain.Band = "20";
    plain.Mode = "CW";
    const QByteArray bytes =
        header + AdifRecord(r, countries, power, comment, host) + AdifRecord(plain, countries, power, comment, host);

    const testing::AdifRead read = testing::ReadAdif(bytes);
    FUZZ_CHECK(read.ok);
    FUZZ_CHECK(read.header == header.left(header.size() - 9)); // less "<EOH>" and its two line ends
    FUZZ_CHECK(read.records.size() == 2);
    QMap<QByteArray, QByteArray> f;
    for (const testing::AdifField& field : read.records[0]) {
        FUZZ_CHECK(!f.contains(field.name));
        f[field.name] = field.value;
    }
    FUZZ_CHECK(f.value("CALL") == ToAnsi(r.Call));
    FUZZ_CHECK(f.value("COMMENT") == ToAnsi(comment));
    FUZZ_CHECK(f.value("TX_PWR") == rtrim(ToAnsi(power)) || (power.isEmpty() && !f.contains("TX_PWR")));
    FUZZ_CHECK(f.value("RST_RCVD") == rtrim(ToAnsi(r.RstRcvd)));
    FUZZ_CHECK(f.value("RST_SENT") == rtrim(ToAnsi(r.RstSent)));
    FUZZ_CHECK(!r.County.isEmpty() == f.contains("CNTY"));
    if (f.contains("CNTY")) FUZZ_CHECK(f.value("CNTY").endsWith("," + ToAnsi(r.County)));
    FUZZ_CHECK(read.records[1].first().name == "CALL" && read.records[1].first().value == "W1AW");
    return 0;
}
