#include "logstore/ContactLog.h"
#include "app/ProcessState.h"
#include "app/StationSettingsFile.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Session.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

namespace tylog {

namespace {

const QString kLogName = QStringLiteral("log.txt");

// The text fields of a record in file order; field 16, the number, sits between 15 and 16 here.
using TextField = QString ContactRecord::*;
constexpr TextField kHead[] = {&ContactRecord::Call,       &ContactRecord::RstSent, &ContactRecord::RstRcvd,
                               &ContactRecord::Spc,        &ContactRecord::County,  &ContactRecord::State,
                               &ContactRecord::SentCounty, &ContactRecord::Spare8,  &ContactRecord::Spare9,
                               &ContactRecord::Spare10,    &ContactRecord::SerialSent, &ContactRecord::Date,
                               &ContactRecord::Time,       &ContactRecord::Mode,    &ContactRecord::Band};
constexpr TextField kTail[] = {&ContactRecord::Spare17, &ContactRecord::Spare18, &ContactRecord::SerialRcvd,
                               &ContactRecord::Frequency};

QString foundLog() { return FindNoCase(Folders.ProgramFolder, kLogName); }
QString canonicalLog() { return JoinPath(Folders.ProgramFolder, kLogName); }

void requireLoaded() {
    // A log that failed to load is never overwritten with what little was read of it.
    if (!ContactLog.Loaded) throw VbError(5, "The log has not been loaded.");
}

bool isEmptyRecord(const ContactRecord& r) {
    for (TextField f : kHead)
        if (!(r.*f).isEmpty()) return false;
    for (TextField f : kTail)
        if (!(r.*f).isEmpty()) return false;
    return r.Spare16 == 0;
}

void clearAbove(int count) {
    for (int i = count + 1; i <= ContactLogData::Capacity; ++i)
        if (!isEmptyRecord(ContactLog.Rec[i])) ContactLog.Rec[i] = ContactRecord{};
}

void readLog() {
    ValueReader r = ValueReader::FromBytes(ReadAllBytes(foundLog()));
    while (!r.AtEnd()) {
        if (ContactLog.Count >= ContactLogData::Capacity)
            throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
        ContactRecord& rec = ContactLog.Rec[ContactLog.Count + 1];
        for (TextField f : kHead) rec.*f = r.ReadText();
        rec.Spare16 = r.ReadDoubleOrZero();
        for (TextField f : kTail) rec.*f = r.ReadText();
        ++ContactLog.Count;
    }
}

void resetScore() {
    Run.QsoPoints = 0;
    Run.MultiplierCount = 0;
    for (int i = 1; i <= 7; ++i) Run.DXWorkedCount[i] = 0;
    for (int row = 1; row <= 8; ++row)
        for (int col = 1; col <= 100; ++col) Run.MultiplierGrid[row][col] = 0;
}

// Copies log.txt into the backup folder under the local minute's name.
void copyToBackup() {
    QString folder = FindNoCase(Folders.DataFolder, "BACKUP");
    if (Folders.DataFolder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = Folders.BackupFolder;
        if (folder.isEmpty()) throw VbError(VbError::PathNotFound, "Path not found");
        QDir().mkdir(folder);
    }
    const QString name = platform().clock->Now().toString("yyyyMMddhhmm") + ".log";
    CopyFileAtomic(foundLog(), JoinPath(folder, name));
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

bool LoadLog() {
    ContactLog.Count = 0;
    ContactLog.Loaded = false;
    resetScore();
    try {
        readLog();
    } catch (const VbError&) {
        // Only whole records stay; the one cut short is dropped with everything above it.
        clearAbove(ContactLog.Count);
        MsgBox("Error opening file.", vbOKOnly, "File Error");
        End();
        return false;
    }
    clearAbove(ContactLog.Count);
    ContactLog.Loaded = true;
    if (Run.BackupBaselineCount == 0) Run.BackupBaselineCount = static_cast<float>(ContactLog.Count);
    return true;
}

void AppendLastContact() {
    requireLoaded();
    if (ContactLog.Count < 1 || ContactLog.Count > ContactLogData::Capacity)
        throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
    AppendLineSynced(foundLog(), LogLine(ContactLog.Rec[ContactLog.Count]));
}

void SaveLog() {
    requireLoaded();
    if (ContactLog.Count < 0 || ContactLog.Count > ContactLogData::Capacity)
        throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(ContactLog.Count) * 120);
    for (int i = 1; i <= ContactLog.Count; ++i) bytes += LogLine(ContactLog.Rec[i]);
    WriteFileAtomic(canonicalLog(), bytes);
}

void DeleteContact(int k) {
    requireLoaded();
    if (k < 1 || k > ContactLog.Count) return;
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
    WriteFileAtomic(canonicalLog(), QByteArray());
    ContactLog.Count = 0;
    SaveStationSettings();
    LoadLog();
}

void BackupLog() {
    if (static_cast<float>(ContactLog.Count) == Run.BackupBaselineCount || ContactLog.Count <= 0) return;
    try {
        copyToBackup();
    } catch (const VbError&) {
        // The window is closing: a backup that cannot be made is given up quietly.
    }
}

} // namespace tylog
