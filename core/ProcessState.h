#pragma once
// Process-wide state of a run, in a few named structs. Everything here starts empty or zero, is
// filled by the start-up and the windows, and is put back to that start by ResetProcessState() (app/ProcessReset.h).
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

namespace tylog {

struct UserFolders {
    QString ProgramFolder;   // the current folder at start: settings, log and shipped data files
    QString ProgramDrive;    // kept for the folder logic; "/" on this platform
    QString DocumentsFolder; // the documents folder GetUserFolder settled on
    QString DataFolder;      // documents/Q7BZW Software/Tessaly
    QString SharedFolder;    // documents/Q7BZW Software/Shared
    QString BackupFolder;    // DataFolder/BACKUP
};

// The 25 values of QSOpref.txt, in file order. Counts, flags and percentages are int and bool here;
// the file holds them as it always has (a byte, or a single for the seconds) and StationSettingsFile
// converts, with the file's range checks, at reading and writing.
struct StationSettings {
    QString OwnCall;
    QString OwnSpc;
    QString OwnCountry;
    QString OwnArrlSection;
    QString OwnName;
    QString OwnCategory;
    QString CurrentCounty;
    QString OwnCity;
    QString CurrentMode;
    QString CurrentBand;
    float UtcOffsetHours = 0;
    float OwnLongitude = 0;
    float OwnLatitude = 0;
    QString OwnContinent;
    int FormSizePercent = 0; // of the screen, 30 to 100
    std::int32_t WorkedColor = 0;
    std::int32_t RemainingColor = 0;
    int OperSecondsSaved = 0; // whole seconds
    QString HostState;
    bool OutOfStateFlag = false;
    bool RoverFlag = false;
    int VoiceNavLevel = 0; // 0 off, 1 call only, 2 all data fields
    QString RigType;
    bool TaskbarOption = false;
    bool ListPreviousOption = false;
};

struct SharedPreferences {
    QString SharedPrefsText; // the whole file less its final line end
    QString SharedPrefsPath;
    // The file's own line end (CR LF unless it was written with LF or CR alone): it ends the file and
    // every key line added, so a file of another program's keeps its form.
    QString LineEnd = QStringLiteral("\r\n");
};

// What one run of the logger keeps besides the settings: version, score counters, entry-check flags,
// operating-time clock, and the log's backup baseline.
struct RunState {
    QString ProgramVersion;
    QString RigFrequencyText;

    std::int64_t QsoPoints = 0;
    int PhoneContactCount = 0;
    int CWContactCount = 0;
    int DigitalContactCount = 0;
    std::int32_t MultiplierCount = 0;
    std::array<int, 8> DXWorkedCount{}; // counts of the seven worked-country lists, 1..7
    std::array<std::array<std::uint8_t, 101>, 9> MultiplierGrid{};

    int BackupBaselineCount = 0; // the log's count when the run began; 0 until a log is loaded

    bool TimeOnRunning = false;
    QDateTime TimeOnStart; // local
    std::int64_t OperSecondsRunning = 0; // QSOpref.txt keeps it as OperSecondsSaved, a single

    bool MissingFieldFlag = false;
    bool InvalidCountyFlag = false;
    bool DupeFlag = false;
    bool PartialDupeDisplay = true;
    bool ListAllContacts = false;
    int EditIndex = 0; // the record the contact editor opens on

    // A character code (decimal text) handed from one entry box's key handler to another's within one
    // key press, and the box it goes to: 0 none, 3 the county box, 4 the serial box.
    QString PendingKey;
    std::uint8_t PendingKeyTarget = 0;
};

inline UserFolders Folders;
inline StationSettings Station;
inline SharedPreferences SharedPrefs;
inline RunState Run;

} // namespace tylog
