#pragma once
// The Cabrillo submission file: the summary sheet's bonuses, the file's bytes, its writing and the
// remembering of the submitter's address. Plain functions; the summary sheet turns their outcomes into
// its messages.
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tylog {

// Which logging window the file is written for: the in-state window adds the DX, state/province and
// rover county totals and sends its own county; the out-of-state window sends OwnSpc.
enum class CabrilloWindow { InState, OutOfState };

enum class CabrilloPower { High, Low, Qrp };

// Name, address, e-mail and club, as typed in the summary sheet; kept between runs.
struct CabrilloSubmitter {
    QString Name;
    QString AddressLine1;
    QString AddressLine2;
    QString EMail;
    QString Club;
};

// What the summary sheet and the active logging window hand to the writer.
struct CabrilloSheet {
    // From the logging window.
    CabrilloWindow Window = CabrilloWindow::InState;
    QString ClaimedScoreText;        // the total-score label as shown, group separators allowed
    int WorkedCountyCount = 0;       // entries of the worked-counties list
    int DXCount = 0;                 // entries of the worked-DX list (in-state)
    std::int32_t MultiplierCount = 0; // states and provinces (in-state)

    // From the summary sheet.
    QString Category = QStringLiteral("Single-Op"); // caption of the chosen entry category
    CabrilloPower Power = CabrilloPower::Low;
    QString LicenseClass;
    QString Operators; // calls of a multi-operator station; empty: the own call
    CabrilloSubmitter Submitter;
    QString Soapbox;
    QString CountyBonusText = QStringLiteral("0");  // rover county bonus box
    QString BonusStationText = QStringLiteral("0"); // bonus-station points box
};

enum class CabrilloStatus {
    Done,
    BadScore,    // the score label or a bonus does not read as a number the file can hold
    BadRecord,   // a contact's date or time cannot be written (Record names it)
    WorkingLog,  // the target is the program's own log.txt
    WriteFailed, // the file could not be written
    StoreFailed, // the address values could not be stored
};

// What a step came to. Anything but Done: Error is the description the sheet shows under
// "Unable to write file.".
struct CabrilloOutcome {
    CabrilloStatus Status = CabrilloStatus::Done;
    QString Error;
    int Record = 0; // with BadRecord: the record number, 1..Count
    bool Ok() const { return Status == CabrilloStatus::Done; }
};

struct CabrilloFile {
    QByteArray Bytes; // empty unless Outcome is Done
    CabrilloOutcome Outcome;
};

inline const QString CabrilloWrittenTitle = QStringLiteral("File Written Successfully.");
inline const QString CabrilloThanksTitle = QStringLiteral("  Thanks!");
inline const QString CabrilloFailedTitle = QStringLiteral("Unable to write file.");

// The rover county bonus: 100 for each distinct own county (compared without regard to case, an empty
// one counting too) when roverFlag is 1, else 0.
int CountyBonus(const ContactLogData& log, std::uint8_t roverFlag);
// 500 when the bonus station Q8BNS (the whole call, any case) was worked, else 0.
int BonusStationPoints(const ContactLogData& log);
// A bonus box's text as the writer takes it: the text when it is a number, else "0".
QString CabrilloBonusText(const QString& text);

// The 5-column frequency field of a band ("20" gives "14000", "2" gives "  144"); "" for other bands.
QString CabrilloBandFrequency(const QString& band);
// The file's default name: the call's file stem and ".log".
QString CabrilloDefaultFileName(const QString& ownCall);

// The whole file: header, one QSO line per record 1..Count, END-OF-LOG, CR LF, Windows-1252. The own
// call is used trimmed. A record whose date or time does not read as one gives BadRecord and no bytes.
CabrilloFile BuildCabrilloFile(const ContactLogData& log, const CountyTableData& counties,
                               const StationSettings& station, const QString& programVersion,
                               const CabrilloSheet& sheet);

// Writes the file whole or not at all (an existing file is replaced). The program folder's log.txt is
// refused, by any spelling or through a link.
CabrilloOutcome WriteCabrilloFile(const QString& target, const QByteArray& bytes);

// Stores the trimmed values for the next sheet: the per-user registry, then the shared preferences
// (written once, with the last key; not when start-up could not read the file and left it alone).
CabrilloOutcome RememberSubmitter(const CabrilloSubmitter& s);
// What the last RememberSubmitter stored; empty texts when nothing was.
CabrilloSubmitter RecallSubmitter();

// The texts of the two messages after a successful write.
QString CabrilloWrittenText(const QString& target);
QString CabrilloThanksText();

} // namespace tylog
