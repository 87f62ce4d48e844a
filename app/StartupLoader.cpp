#include "app/StartupLoader.h"
#include "platform/vb/FormScaling.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/StationSettingsFile.h"
#include "app/StationSetupWindow.h"
#include "keying/KeyerSettingsFiles.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QDir>

#include <exception>
#include <functional>
#include <thread>
#include <utility>

namespace tylog {

namespace {

// Runs one file step of the loader. A failure is told, naming the file and why (with what follows
// for the run, when there is something to say), and the loader goes on: the other files still load,
// so no "Done" (the setup's, the CW or voice window's) writes empty values over a file that was fine.
bool loadStep(const QString& path, const std::function<void()>& step, const QString& then = {}) {
    try {
        step();
        return true;
    } catch (const VbError& e) {
        const QString file = QDir::toNativeSeparators(path);
        QString why = e.Number == VbError::FileNotFound ? file + " was not found."
                                                        : file + " could not be read (" + e.Description + ").";
        if (!then.isEmpty()) why += QString(CrLf) + CrLf + then;
        MsgBox("Error opening file" + QString(CrLf) + CrLf + why, vbOKOnly, "Error opeining file");
        return false;
    }
}

// The prefix table read on a thread of its own; nothing touches PrefixTable until the load joins it.
struct PrefixTableAhead {
    std::thread reader;
    QString path;
    std::exception_ptr failure;
    ~PrefixTableAhead() {
        if (reader.joinable()) reader.join();
    }
};

PrefixTableAhead& prefixTableAhead() {
    static PrefixTableAhead ahead;
    return ahead;
}

void selectHostStateOption(frmStationIDWindow& f) {
    for (auto& [index, opt] : f.optState) {
        (void)index;
        // Selecting runs the option's click, which makes its caption the bold one.
        opt->setValue(opt->Caption().compare(Station.HostState, Qt::CaseInsensitive) == 0);
    }
}

void selectAnswers(frmStationIDWindow& f) {
    if (Station.OutOfStateFlag != 0) {
        f.Option2.setValue(true);
        f.fraRover.setEnabled(false);
        f.Option3.setEnabled(false);
        f.Option4.setEnabled(false);
    } else {
        f.Option1.setValue(true);
        f.fraRover.setEnabled(true);
        f.Option3.setEnabled(true);
        f.Option4.setEnabled(true);
    }
    if (Station.RoverFlag == 1) f.Option4.setValue(true);
    else f.Option3.setValue(true);
}

void fillFields(frmStationIDWindow& f) {
    const StationSettings& s = Station;
    f.Text1.setText(s.OwnCall);
    f.Text5.setText(s.OwnSpc);
    f.Text6.setText(FormatSingle(s.UtcOffsetHours));
    f.Text2.setText(s.OwnCountry);
    f.Text3.setText(FormatSingle(s.OwnLongitude));
    f.Text4.setText(FormatSingle(s.OwnLatitude));
    f.Text7.setText(s.OwnContinent);
    f.Text8.setText(s.CurrentCounty);
    f.Text9.setText(s.OwnArrlSection);
    f.Text10.setText(s.OwnName);
    f.Text11.setText(s.OwnCategory);
    f.Text12.setText(s.OwnCity);
}

} // namespace

void LoadStationSetup(frmStationIDWindow& f) {
    ScaleFormToScreen(f);
    const bool settingsRead =
        loadStep(StationSettingsPath(), [] { LoadStationSettings(); },
                 "The station settings start from their defaults; \"Done\" saves what this window then holds.");
    if (settingsRead) CheckUtcOffset();
    // The tables are the logging windows' whatever became of the settings.
    PrefixTableAhead& ahead = prefixTableAhead();
    const bool readAhead = ahead.reader.joinable();
    if (readAhead) ahead.reader.join();
    loadStep(readAhead ? ahead.path : FindPrefixFile(), [&ahead, readAhead] {
        if (!readAhead) LoadPrefixTable();
        else if (ahead.failure) std::rethrow_exception(std::exchange(ahead.failure, nullptr));
    });
    loadStep(FindNoCase(Folders.ProgramFolder, "states.txt"), [] { LoadStateCoords(); });
    // Without the file's values the answers and the fields stay empty, as on a first run.
    if (settingsRead) {
        selectHostStateOption(f);
        selectAnswers(f);
    }
    loadStep(FindNoCase(Folders.ProgramFolder, "wave2.txt"), [] { LoadVoiceSettings(); });
    LoadCWSettings();
    if (settingsRead) fillFields(f);
}

void ReadPrefixTableAhead() {
    PrefixTableAhead& ahead = prefixTableAhead();
    if (ahead.reader.joinable()) ahead.reader.join();
    ahead.path = FindPrefixFile();
    ahead.failure = nullptr;
    ahead.reader = std::thread([&ahead] {
        try {
            LoadPrefixTable();
        } catch (...) {
            ahead.failure = std::current_exception(); // told by the load, on the user-interface thread
        }
    });
}

} // namespace tylog
