#include "logging/LoggingWindow.h"

#include <algorithm>
#include "logging/ArchiveCommands.h"
#include "logging/DupeRules.h"
#include "logstore/CountyTable.h"
#include "rig/RadioLink.h"
#include "rig/RigSettings.h"
#include "logging/Dispatcher.h"
#include "platform/vb/FormScaling.h"
#include "core/ProcessState.h"
#include "core/UtcTime.h"
#include "core/Version.h"
#include "core/StationSettingsFile.h"
#include "keying/BlindFrm.h"
#include "keying/KeyerActions.h"
#include "keying/KeyerState.h"
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/PhoneFrm.h"
#include "keying/VoiceKeyer.h"
#include "keying/WinKeySetup.h"
#include "logging/ScoreRules.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "spotting/SpotRules.h"
#include "logstore/ContactLog.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/vb/Forms.h"
#include "platform/Diagnostics.h"
#include "rig/RigControlfrm.h"

#include <QListWidget>
#include <QTreeWidget>

#include <cmath>

namespace tylog {

namespace {
constexpr double kDesignWidth = 9600;
constexpr double kDesignHeight = 7200;

bool finite(double v) { return std::isfinite(v); }

void requireFinite(double v) {
    if (!finite(v)) throw VbError(VbError::Overflow, "Overflow");
}

// The form size as the menu stores it. A settings file edited by hand (or a first one, 0) may hold
// anything a byte holds; such a size is taken as full size.
bool formSizeInBounds(int percent) { return percent >= 30 && percent <= 100; }
} // namespace

LoggingWindow::LoggingWindow(const QString& name, Twin twin) : vb::Form(name), twin_(twin) {
    // The engines below (radio, keyers, cluster) reach this window through Form1 while it exists.
    InstallForm1Link(true);
    KeyPreview = true;
    for (int i : {0, 1, 2, 3, 4, 5, 7}) lblStation.Add(*this, "lblStation", i);
    for (int i = 0; i < 50; ++i) lblDXSpot.Add(*this, "lblDXSpot", i);
    for (int i = 0; i < 5; ++i) lblFreqSpot.Add(*this, "lblFreqSpot", i);

    vb::ApplyDesign(*this,
                    {.Caption = QString("Q7BZW's TY State QSO Party Contest Log ") + ProgramVersionText + QString(41, ' ') +
                                "www.q7bzw-software.example",
                     .Width = kDesignWidth, .Height = kDesignHeight, .FontName = "Arial", .FontSize = 8.25},
                    SharedDesignRows());
    lblDX.ZOrder(1);
    // The partial-duplicate list holds as many calls as match: what does not fit is cut, not shrunk.
    lblDupe.setShrinkToFit(false);
    LineDX.setBorderColor(BandMapAxisColor);
    // Each caption centred on its frequency, the panel showing through, so labels of close
    // frequencies overlap without hiding each other.
    for (auto* labels : {&lblDXSpot, &lblFreqSpot})
        for (auto& [i, l] : *labels) {
            l->setAlignment(2);
            l->setBackStyle(0);
        }

    mnuOpen.setEnabled(false);
    mnuHearthbookImport.setEnabled(false);
    if (setupMenu_) setupMenu_->setEnabled(false);

    cmdLogOn.Click = [this] { cmdLogOn_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    mnuFormSize.Click = [this] { mnuFormSize_Click(); };
    mnuTaskbar.Click = [this] { mnuTaskbar_Click(); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    // The sent-report box speaks like the other data boxes (both designs keep it hidden).
    txtRSTS.GotFocus = [] {
        if (Station.VoiceNavLevel >= 2) BlindFrm().BlindKeyPhone("RstSnt");
    };
    mnuArchive.Click = [this] { mnuArchive_Click(); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
    wireMenus();
    wireRecentList();
}

LoggingWindow::~LoggingWindow() { InstallForm1Link(false); }

std::vector<vb::ControlDesign> LoggingWindow::SharedDesignRows() {
    const vb::ControlLook hidden{.Visible = false}, modeTip{.ToolTipText = "Click to change modes."};
    std::vector<vb::ControlDesign> design = {
        // control      caption     left  top   width height tab  {look}: where both twins place it
        {txtCall, {}, 0, 2970, 1135, 285, {}, {.ToolTipText = "Enter mobiles with /M"}},
        {txtRSTR, {}, 1200, 2970, 1015, 285},
        {lblStation[3], "Serial", 1200, 2520, 1015, 375},
        {lblRecentContacts, "Recent Contacts", 0, 0, 6375, 375},
        {ListView1, {}, 0, 480, 6375, 1935, {}, {.ToolTipText = "Click record to edit or delete."}},
        {cmdList, "Last 20", 5160, 80, 825, 240, {},
         {.ToolTipText = "List all or last 20 contacts (Listing all will slow the program)"}},
        {cmdEdit, "Edit Contact", 2160, 1440, 1215, 855, {}, hidden},
        {cmdDelete, "Delete Contact", 4200, 1440, 1215, 855, {}, hidden},
        {lblScorStats, "Score Statistics", 6480, 0, 2895, 375},
        {lblTotCon, {}, 8400, 440, 975, 260},
        {lblCurTime, "Reg Time", 8280, 6030, 735, 255},
        {Label16, "am", 9110, 6030, 375, 255},
        {lblutctime, "UTC TIME", 8280, 6250, 735, 255},
        {Label11, "UTC", 9110, 6250, 375, 255},
        // Where the twins place it apart: captions and looks only.
        {.control = lblStation[0], .Caption = "RS(T) Sn", .Look = hidden},
        {.control = lblStation[4], .Caption = "County"},
        {.control = cmdDup, .Caption = "On", .Look = {.ToolTipText = "Displaying partial dupes slows the program on older pc's."}},
        {.control = Label7, .Caption = "Total Score (less bonus)"},
        {.control = Label8, .Caption = "QSOs / Hr (last 20 min)"},
        {.control = Label9, .Caption = "QSOs / Hr (last 60 min)"},
        {.control = Label15, .Look = hidden},
        {.control = lblttrack, .Caption = "00:00:00"},
        {.control = cmdLogOn, .Caption = TimeOnCaption, .Look = {.ToolTipText = "Records On/Off times and controls duration clock."}},
        {.control = Label21, .Caption = "Band"},
        {.control = Label24, .Caption = "160", .Look = modeTip},
        {.control = lblBandSwitch, .Caption = "Mode"},
        {.control = Label30, .Caption = "CW", .Look = modeTip},
        {.control = Label2, .Caption = "CALL"},
        {.control = Label1, .Caption = "1"},
        {.control = Label17, .Caption = "Bearing"},
        {.control = Label18, .Caption = "Miles"},
        {.control = Label3, .Caption = "New"},
        {.control = Label4, .Caption = "12345", .Look = hidden},
        {.control = Command1, .Look = hidden},
        {.control = lblPostConDate, .Caption = "Date", .Look = hidden},
        {.control = txtPostConDate, .Look = hidden},
        {.control = lblPostConTime, .Caption = "Time", .Look = hidden},
        {.control = txtPostConTime, .Look = hidden},
        {.control = lblDialog, .Look = {.BackColor = DialogBackColor}},
        {.control = lblDupe, .Look = {.BackColor = DupeEmptyBackColor}},
        {.control = txtDX, .Look = hidden},
        // The band map: a dark panel behind its axis, scale and spot labels, hidden until it opens.
        {.control = lblDX, .Look = {.Visible = false, .BackColor = BandMapBackColor}},
        {LineDX, {}, 2880, 1440, 4920, 1440, {}, hidden},
    };
    // The spot labels in rows of ten, and the frequency scale, in a small serif face (the platform's
    // font matching gives its own serif for the design's, as it gives its Arial twin for Arial).
    for (int i = 0; i < 50; ++i)
        design.push_back({lblDXSpot[i], "DXLBL", 120.0 + 480 * (i % 10), 720.0 + 120 * (i / 10), 600, 255, {},
                          {.FontName = BandMapFontName, .FontSize = BandMapFontSize, .Visible = false}});
    const double freqSpot[5][2] = {{240, 1560}, {240, 1680}, {960, 1560}, {1680, 1560}, {960, 1680}};
    for (int i = 0; i < 5; ++i)
        design.push_back({lblFreqSpot[i], "lblFreqSpot", freqSpot[i][0], freqSpot[i][1], 615, 255, {},
                          {.FontName = BandMapFontName, .FontSize = BandMapFontSize, .Visible = false,
                           .ForeColor = BandMapAxisColor}});
    return design;
}

// ---- Load ---------------------------------------------------------------------------------------

void LoggingWindow::Form_Load() {
    try {
        if (vb::Form* setup = vb::LoadedForm("frmStationID")) vb::Unload(*setup);
        Label3.setVisible(false);
        ScaleToScreenAtLoad();
        SetListHeights();
        LoadTwinParts();
        // Rows of one line each: the list then lays out without measuring every row after each contact.
        ListView1.tree()->setUniformRowHeights(true);
        const std::pair<const char*, double> spotColumns[] = {{"Call", 1040}, {"Frequency", 880}, {"QTH", 2000},
                                                              {"Status", 0},  {"Comments", 3400}, {"Prefix", 520},
                                                              {"Time", 600},  {"From", 520}};
        for (auto [header, n] : spotColumns) AddListColumn(txtDX, header, n);
        if (Station.ListPreviousOption == 1) mnuListPrevious.setChecked(true);
        Run.PartialDupeDisplay = true;
        if (Station.FormSizePercent < 100) ApplyFormSize();
        MarkModeAndBand();
        ShowOwnStation();
        LoadCounties();
        AskOpenExistingLog();
        ShowOperatingTime();
        ReloadAndRescore();
        FitWindowToScreen();
        if (RigTypeWantsLink(Station.RigType)) radioLink().StartPolling();
    } catch (const VbError& e) {
        ReportFailedLoad(e.Description);
    }
    // The F-keys are this window's: the voice keyer's player (the sound system's start) is made now, so
    // the first message plays at once, and not before, so the setup window does not wait for it.
    StartVoiceKeyer();
}

void LoggingWindow::mnuArchive_Click() { ArchiveCurrentLog(); }
void LoggingWindow::mnuRestore_Click() { RestoreArchivedLog(*this); }

// ---- Closing and ending the run -----------------------------------------------------------------

void LoggingWindow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)UnloadMode;
    Keyer.CWBuffer.clear(); // text not yet keyed is dropped whether or not the close goes ahead
    Keyers().CWBufferCut();
    if (Keyer.CWSending == 1) Cancel = 1;
}

void LoggingWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    try {
        // A keyer window loads when first shown: the engine of one never built lets go here, as the
        // window's unload would have it do.
        if (auto* f = vb::IfLoaded<PhoneFrmWindow>()) vb::Unload(*f);
        else if (VoiceKeyer* keyer = IfVoiceKeyer()) keyer->Unload();
        if (auto* f = vb::IfLoaded<CWFrmWindow>()) vb::Unload(*f);
        else if (CWKeyer* cw = CWEngineIfMade()) cw->ClosePort();
        if (auto* f = vb::IfLoaded<BlindFrmWindow>()) vb::Unload(*f);
        if (auto* f = vb::IfLoaded<PacketSpotfrmWindow>()) vb::Unload(*f);
        if (auto* f = vb::IfLoaded<RigControlfrmWindow>()) vb::Unload(*f);
        if (auto* f = vb::IfLoaded<Form1Window>()) vb::Unload(*f);
        if (auto* f = vb::IfLoaded<SpectrumMapWindow>()) vb::Unload(*f);
        UnloadTwinToolWindows();
        if (auto* f = vb::IfLoaded<frmWinKeyWindow>()) vb::Unload(*f); // closes the keyer device
    } catch (const VbError& e) {
        // A tool window that fails to close must not keep the run from ending; the backup still runs.
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
    BackupLog();
}

void LoggingWindow::Form_Terminate() { keepOperatingTimeAndEnd(); }

void LoggingWindow::keepOperatingTimeAndEnd() {
    if (Run.TimeOnRunning) {
        Station.OperSecondsSaved = static_cast<float>(Run.OperSecondsRunning);
        SaveStationSettings(nullptr, SaveTold::Box); // the run ends right after: a notice would vanish
        Run.TimeOnRunning = false;
    }
    End();
}

void LoggingWindow::Form_Activate() {
    if (!lblDX.Visible()) return;
    try {
        DisplayBandMapLabels();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

void LoggingWindow::mnuExit_Click() { keepOperatingTimeAndEnd(); }

// ---- Time On / Time Off, clocks, rate meter -----------------------------------------------------

void LoggingWindow::cmdLogOn_Click() {
    if (!Run.TimeOnRunning) {
        Run.TimeOnStart = platform().clock->Now();
        Run.TimeOnRunning = true;
        cmdLogOn.setCaption(TimeOffCaption);
        lblDialog.setCaption(" ");
    } else {
        Run.TimeOnRunning = false;
        cmdLogOn.setCaption(TimeOnCaption);
        Station.OperSecondsSaved = static_cast<float>(Run.OperSecondsRunning);
        const QDateTime utc = UtcFromLocal(platform().clock->Now(), Station.UtcOffsetHours);
        lblDialog.setCaption("Logged Off at " + utc.toString("M/d/yyyy") + " " + utc.toString("hh:mm:ss"));
        SaveStationSettings();
    }
    txtCall.SetFocus();
}

void LoggingWindow::Timer1_Timer() { UpdateRateMeter(); }

void LoggingWindow::Timer2_Timer() {
    const QDateTime local = platform().clock->Now();
    const QDateTime utc = UtcFromLocal(local, Station.UtcOffsetHours);
    const QTime t = local.time();
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    lblCurTime.setCaption(QString("%1:%2:%3").arg(h12).arg(t.minute(), 2, 10, QChar('0')).arg(t.second(), 2, 10, QChar('0')));
    Label16.setCaption(t.hour() < 12 ? "AM" : "PM");
    lblutctime.setCaption(utc.toString("hh:mm:ss"));
    if (Run.TimeOnRunning) {
        const QDateTime start(Run.TimeOnStart.date(), Run.TimeOnStart.time(), Qt::UTC);
        const QDateTime now(local.date(), local.time(), Qt::UTC);
        Run.OperSecondsRunning = std::llround(std::fabs(static_cast<double>(start.secsTo(now)) + Station.OperSecondsSaved));
        lblttrack.setCaption(OperatingTimeText(static_cast<double>(Run.OperSecondsRunning)));
    }
}

void LoggingWindow::UpdateRateMeter() {
    QDateTime nowUtc = UtcFromLocal(platform().clock->Now(), Station.UtcOffsetHours);
    Rates r;
    if (!CountRates(ContactLog, nowUtc, &r)) return;
    lblAQSO60.setCaption(QString::number(r.last60));
    lblAQSO20.setCaption(QString::number(r.last20 * 3));
}

void LoggingWindow::ShowOperatingTime() {
    Run.OperSecondsRunning = std::llround(Station.OperSecondsSaved);
    lblttrack.setCaption(OperatingTimeText(static_cast<double>(Run.OperSecondsRunning)));
}

// ---- Form size ----------------------------------------------------------------------------------

void LoggingWindow::ApplyFormSize() {
    const double p = Station.FormSizePercent;
    Hide();
    try {
        // 0 would make a window of nothing and fonts of 0 points, 10 one too small to use.
        if (!formSizeInBounds(Station.FormSizePercent)) throw VbError(VbError::Overflow, "Invalid form size");
        Screen& s = *platform().screen;
        setWidth(p * s.Width() / 100);
        setHeight(p * s.Height() / 100);
        setLeft((s.Width() - Width()) / 2);
        setTop((s.Height() - Height()) / 2);
        setFontSize(FontSize() * p / 100);
        const ScaleFactor percent{p, 100};
        using vb::Kind;
        ScaleControlsOfKinds(*this,
                             {Kind::Label, Kind::TextBox, Kind::CommandButton, Kind::ListBox, Kind::ListView, Kind::Line},
                             percent, percent, percent);
        SetListHeights();
        for (vb::ListView* lv : {&ListView1, &txtDX})
            for (int i = 0; i < lv->ColumnCount(); ++i) lv->setColumnWidth(i, p * lv->ColumnWidth(i) / 100);
    } catch (const VbError&) {
        Station.FormSizePercent = 100;
        SaveStationSettings();
    }
    Show();
}

void LoggingWindow::FitWindowToScreen() {
    mnuTaskbar.setChecked(Station.TaskbarOption != 0);
    // A size out of bounds that the load did not hand to ApplyFormSize (above 100) is full size too.
    if (!formSizeInBounds(Station.FormSizePercent)) {
        Station.FormSizePercent = 100;
        SaveStationSettings();
    }
    if (Station.FormSizePercent != 100) return;
    Hide();
    const double oldHeight = Height(), oldWidth = Width();
    Screen& s = *platform().screen;
    if (Station.TaskbarOption == 1) {
        const QRectF area = s.WorkArea();
        setWidth(area.width());
        setHeight(area.height());
    } else {
        setWidth(s.Width());
        setHeight(s.Height());
    }
    setLeft(0);
    setTop(0);
    // With no old size there is no ratio: the controls keep their geometry.
    if (oldHeight > 0 && oldWidth > 0) {
        const double hr = Height() / oldHeight, wr = Width() / oldWidth;
        // Every control moves and resizes; fonts keep their size.
        for (vb::Control* c : Controls()) ScaleControlGeometry(*c, {wr}, {hr});
        for (int i = 0; i < txtDX.ColumnCount(); ++i) txtDX.setColumnWidth(i, txtDX.ColumnWidth(i) * Width() / oldWidth);
    }
    SetListHeights();
    Show();
}

void LoggingWindow::SetListHeights() {
    List1.setHeight(Line3.Y1() - List1.Top());
    List2.setHeight(List1.Height());
}

void LoggingWindow::mnuFormSize_Click() {
    const QString answer = InputBox(
        "Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for best results.  "
        "Values below 75 do not display well.",
        "Please enter screen percentage.", QString::number(Station.FormSizePercent));
    double v = 0;
    if (!ParseNumber(answer, &v)) {
        MsgBox("Please enter only numeric values.", vbOKOnly, "Numeric Values Required");
        return;
    }
    v = std::clamp(v, 30.0, 100.0);
    Station.FormSizePercent = static_cast<std::uint8_t>(std::nearbyint(v));
    MsgBox("This program must be closed and restarted for this setting to take effect.", vbOKOnly,
           "For this setting to take effect please restart this program.");
    SaveStationSettings();
}

void LoggingWindow::mnuTaskbar_Click() {
    if (Station.FormSizePercent == 100) {
        Station.TaskbarOption = Station.TaskbarOption == 0 ? 1 : 0;
        SaveStationSettings();
        FitWindowToScreen();
    } else {
        MsgBox("The form size must be set to 100% to use the taskbar display option.", vbOKOnly,
               "Please set your form size to 100% to use this option.");
    }
}

// ---- Shared load steps --------------------------------------------------------------------------

void LoggingWindow::ScaleToScreenAtLoad() {
    Screen& s = *platform().screen;
    const double sw = s.Width(), sh = s.Height();
    const double rx = sw / kDesignWidth, ry = sh / kDesignHeight, rf = std::min(rx, ry);
    const double w = Width() / kDesignWidth * sw;
    const double h = Height() / kDesignHeight * sh;
    requireFinite(w);
    requireFinite(h);
    Move((sw - w) / 2, (sh - h) / 2, w, h);
    setFontSize(FontSize() * (w / kDesignWidth));
    using vb::Kind;
    ScaleControlsOfKinds(*this,
                         {Kind::Label, Kind::TextBox, Kind::CommandButton, Kind::ListBox, Kind::CheckBox,
                          Kind::OptionButton, Kind::Frame, Kind::ListView, Kind::Line},
                         {rx}, {ry}, {rf});
}

void LoggingWindow::AddListColumn(vb::ListView& list, const QString& header, double designWidth) {
    list.AddColumn(header, designWidth * (Width() / kDesignWidth));
}

void LoggingWindow::MarkModeAndBand() {
    Label30.setCaption(Station.CurrentMode);
    mnu160.setChecked(true);
    mnuSSB.setChecked(false);
    mnuDigital.setChecked(false);
    if (Station.CurrentMode.compare("PH", Qt::CaseInsensitive) == 0) {
        mnu160.setChecked(false);
        mnuSSB.setChecked(true);
    } else if (Station.CurrentMode.compare("DG", Qt::CaseInsensitive) == 0) {
        mnu160.setChecked(false);
        mnuDigital.setChecked(true);
    }
    const std::pair<const char*, vb::Menu*> bands[] = {
        {"160", &mnuBand160Ch}, {"80", &mnuBand80Ch}, {"40", &mnuBand40Ch}, {"20", &mnuBand20Ch},
        {"15", &mnuBand15Ch},   {"10", &mnuBand10Ch}, {"6", &mnuBand6Ch},   {"2", &mnuBand2Ch},
        {"1.25", &mnuBand125CH}, {"70", &mnuBand70CH}};
    for (auto [text, item] : bands) {
        if (Station.CurrentBand.compare(text, Qt::CaseInsensitive) == 0) {
            item->setChecked(true);
            Label24.setCaption(text);
            break;
        }
    }
}

void LoggingWindow::Form_MouseMove(int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    lblDupe.setCaption(QString());
}

void SetListItems(vb::ListBox& list, const QStringList& items) {
    bool same = list.ListCount() == items.size() && list.ListIndex() < 0 && list.TopIndex() == 0;
    for (int i = 0; same && i < items.size(); ++i) same = list.List(i) == items[i];
    if (same) return;
    list.Clear();
    // In one insertion: a list told of each row alone lays itself out again for each. A sorted list
    // takes them so when they come in its order (a sorted insert would put each at the end).
    const auto inOrder = [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; };
    if (!list.Sorted || std::is_sorted(items.begin(), items.end(), inOrder)) {
        list.list()->addItems(items);
    } else {
        for (const QString& item : items) list.AddItem(item);
    }
}

int ListIndexNoCase(const vb::ListBox& list, const QString& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (SameNoCase(list.List(i), text)) return i;
    return -1;
}

} // namespace tylog
