#pragma once
// The whole contact log as an ADIF file, for import into a general logging program.
#include "logstore/ContactLog.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace tylog {

// One row of ADIFCnt.txt: a country name and its DXCC entity number.
struct AdifCountry {
    QString Name;
    std::int16_t Dxcc = 0;
};

// ADIFCnt.txt: the shared folder's, else the data folder's, else the program folder's (which need not
// exist, so that reading it fails).
QString AdifCountryFilePath();
// Reads the country table, at most 1000 rows. Throws VbError.
std::vector<AdifCountry> ReadAdifCountries(const QString& path);
// The seven header lines. A "<" or a line break in the host state or version is dropped: the header
// holds no data specifier but its closing "<EOH>".
QByteArray AdifHeader(const QString& hostState, const QString& programVersion, const QDateTime& localNow);
// One record's fields, "<eor>" and the empty line after it. power and comment are the operator's
// answers, written into every record. Every value goes out whole behind its length, so nothing in it
// (a "<eor>" included) can end a field or a record.
QByteArray AdifRecord(const ContactRecord& r, const std::vector<AdifCountry>& countries, const QString& power,
                      const QString& comment, const QString& hostState);

// The export: asks for power and comment, the output file (save dialog in the data folder), writes
// header and records, and reports where the file went. Cancel in the dialog leaves silently; any other
// failure beeps and shows its description under "Unable to write file.".
void ExportADIF();

} // namespace tylog
