#include "app/StationSetupWindow.h"
#include "app/Artwork.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SharedPrefs.h"
#include "app/StartupLoader.h"
#include "core/StationSettingsFile.h"
#include "app/Startup.h"
#include "logstore/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Session.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <cmath>
#include <limits>

namespace tylog {

const std::array<const char*, frmStationIDWindow::StateCount> frmStationIDWindow::StateCodes = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KY", "LA",
    "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH",
    "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "TY", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

namespace {

// Design layout, in twips of the 9600 x 7200 design screen.
constexpr double kFormWidth = 8400, kFormHeight = 6390; // inner 8280 x 5940
constexpr double kLabelLeft = 120, kLabelWidth = 2760;
constexpr double kBoxLeft = 2940, kBoxWidth = 1500;
constexpr double kRowTop = 720, kRowPitch = 360, kBoxHeight = 285;
constexpr double kStateFrameLeft = 4620, kStateFrameTop = 120, kStateFrameWidth = 3540, kStateFrameHeight = 5685;
constexpr int kStateRows = 15;

// The text of a key code, one byte of the file's code page.
QString charOf(int keyAscii) { return FromAnsi(QByteArray(1, static_cast<char>(keyAscii))); }

// A double quote cannot be stored in QSOpref.txt: it would end the value and shift every later one.
void DropDoubleQuote(int& KeyAscii) {
    if (KeyAscii == 34) KeyAscii = 0;
}

// The number in a box, when the box holds one that fits a single.
bool BoxNumber(const QString& text, float* value) {
    double d = 0;
    if (!ParseNumber(text, &d) || std::fabs(d) > std::numeric_limits<float>::max()) return false;
    if (value) *value = static_cast<float>(d);
    return true;
}

} // namespace

frmStationIDWindow::frmStationIDWindow() : vb::Form("frmStationID") {
    setCaption(" Setup Information");
    setBorderStyle(1);
    setWindowIcon(QIcon(AntennaIcon(64)));
    Move(0, 0, kFormWidth, kFormHeight);

    for (int i = 0; i < StateCount; ++i) {
        vb::OptionButton& o = optState.Add(*this, "optState", i, &fraState);
        o.setCaption(StateCodes[static_cast<size_t>(i)]);
        o.Click = [this, i] { optState_Click(i); };
    }
    layOut();

    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    Text5.KeyPress = [this](int& k) { Text5_KeyPress(k); };
    Text7.KeyPress = [this](int& k) { Text7_KeyPress(k); };
    Text9.KeyPress = [this](int& k) { Text9_KeyPress(k); };
    Text10.KeyPress = [this](int& k) { Text10_KeyPress(k); };
    Text11.KeyPress = [this](int& k) { Text11_KeyPress(k); };
    Text12.KeyPress = [this](int& k) { Text12_KeyPress(k); };
    Text3.KeyPress = [this](int& k) { Text3_KeyPress(k); };
    Text4.KeyPress = [this](int& k) { Text4_KeyPress(k); };
    Text6.KeyPress = [this](int& k) { Text6_KeyPress(k); };
    Text2.KeyPress = [this](int& k) { Text2_KeyPress(k); };
    Text8.KeyPress = [this](int& k) { Text8_KeyPress(k); };
    Text6.LostFocus = [this] { Text6_LostFocus(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void frmStationIDWindow::layOut() {
    Image1.Move(120, 120, 480, 480);
    Image1.setPicture(AntennaIcon(64));

    struct Row { vb::Label* label; vb::TextBox* box; const char* caption; bool visible; };
    const Row rows[] = {
        {&lblCall, &Text1, "Please Enter your Call Sign:", true},
        {&lblSpc, &Text5, "Your State / Province:", true},
        {&lblCounty, &Text8, "Your County:", true},
        {&lblUtc, &Text6, "Hours added for UTC:", true},
        {&lblCountry, &Text2, "Your Country:", true},
        {&lblLongitude, &Text3, "Your Longitude:", true},
        {&lblLatitude, &Text4, "Your Latitude:", true},
        {&lblContinent, &Text7, "Your Continent:", true},
        {&lblSection, &Text9, "Your ARRL Section:", true},
        {&lblName, &Text10, "Your Name:", false},
        {&lblCategory, &Text11, "Your Category:", false},
        {&lblCity, &Text12, "Your City:", false},
    };
    int tab = 0;
    for (const Row& r : rows) {
        // The hidden fields keep the places of the last rows; they are never shown.
        const double top = kRowTop + (r.visible ? tab : 8) * kRowPitch;
        // Lowered so the caption lines up with the text in the box.
        r.label->Move(kLabelLeft, top + 45, kLabelWidth, kBoxHeight - 45);
        r.label->setCaption(r.caption);
        r.label->setAlignment(1);
        r.label->setWordWrap(false);
        r.label->setVisible(r.visible);
        r.box->Move(kBoxLeft, top, kBoxWidth, kBoxHeight);
        r.box->setVisible(r.visible);
        r.box->setTabIndex(tab++);
    }
    Text6.setMaxLength(7);

    const double answersTop = kRowTop + 9 * kRowPitch;
    fraInState.Move(120, answersTop, 4320, 600);
    fraInState.setCaption("Are you in Tessaly?");
    Option1.Move(1080, 270, 960, 255);
    Option1.setCaption("Yes");
    Option2.Move(2400, 270, 960, 255);
    Option2.setCaption("No");

    fraRover.Move(120, answersTop + 720, 4320, 600);
    fraRover.setCaption("Are you operating as a Rover?");
    Option4.Move(1080, 270, 960, 255);
    Option4.setCaption("Yes");
    Option3.Move(2400, 270, 960, 255);
    Option3.setCaption("No");

    Command1.Move(1530, answersTop + 1440, 1500, 405);
    Command1.setCaption("Done");

    fraState.Move(kStateFrameLeft, kStateFrameTop, kStateFrameWidth, kStateFrameHeight);
    fraState.setCaption("Please select the state QSO party:");
    for (int i = 0; i < StateCount; ++i) {
        const int column = i / kStateRows, row = i % kStateRows;
        optState[i].Move(240 + column * 810, 330 + row * 350, 720, 285);
    }

    Option1.setTabIndex(tab++);
    Option2.setTabIndex(tab++);
    Option4.setTabIndex(tab++);
    Option3.setTabIndex(tab++);
    Command1.setTabIndex(tab++);
    for (int i = 0; i < StateCount; ++i) optState[i].setTabIndex(tab++);
    ApplyTabOrder();
}

void frmStationIDWindow::Form_Load() { LoadStationSetup(*this); }

void frmStationIDWindow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)Cancel;
    // Closed by the operator before "Done": only hidden keyer windows would be left, so the run ends.
    if (UnloadMode == vb::vbFormControlMenu) End();
}

void frmStationIDWindow::Cap3(int& KeyAscii) {
    if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii = KeyAscii - 'a' + 'A';
}

void frmStationIDWindow::NumBerr(int& KeyAscii) {
    if (KeyAscii == 8) return;
    if (KeyAscii < '-' || KeyAscii > '9') KeyAscii = 0;
}

void frmStationIDWindow::capsField(int& KeyAscii) {
    DropDoubleQuote(KeyAscii);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
    }
    Cap3(KeyAscii);
}

void frmStationIDWindow::numberField(int& KeyAscii) {
    DropDoubleQuote(KeyAscii);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
    }
    NumBerr(KeyAscii);
}

void frmStationIDWindow::Text2_KeyPress(int& KeyAscii) {
    DropDoubleQuote(KeyAscii);
    if (Text2.SelStart() == 0) Cap3(KeyAscii);
    if (KeyAscii == 0) return;
    const QString typed = Text2.Text().left(Text2.SelStart()) + charOf(KeyAscii);
    for (int row = PrefixTable.Count; row >= 1; --row) {
        const QString& country = PrefixTable.Country[static_cast<size_t>(row)];
        if (!country.startsWith(typed, Qt::CaseInsensitive)) continue;
        KeyAscii = 0;
        Text2.setText(typed + country.mid(typed.size()));
        Text2.setSelStart(static_cast<int>(typed.size()));
        Text2.setSelLength(static_cast<int>(country.size() - typed.size()));
        Text3.setText(FormatSingle(PrefixTable.Longitude[static_cast<size_t>(row)]));
        Text4.setText(FormatSingle(PrefixTable.Latitude[static_cast<size_t>(row)]));
        Text7.setText(PrefixTable.Continent[static_cast<size_t>(row)]);
        return;
    }
}

void frmStationIDWindow::Text8_KeyPress(int& KeyAscii) {
    DropDoubleQuote(KeyAscii);
    if (Text8.Text().isEmpty() && KeyAscii != 0) KeyUpperCase(KeyAscii);
    if (KeyAscii != 0 && Text8.SelStart() == 0) KeyUpperCase(KeyAscii);
    if (Text8.Text().endsWith(' ') && KeyAscii != 0) KeyUpperCase(KeyAscii);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
    }
}

void frmStationIDWindow::Text6_LostFocus() {
    if (BoxNumber(Text6.Text(), nullptr)) return;
    Beep();
    Text6.SetFocus();
}

void frmStationIDWindow::Option1_Click() {
    fraRover.setEnabled(true);
    Option3.setEnabled(true);
    Option4.setEnabled(true);
}

void frmStationIDWindow::Option2_Click() {
    Option4.setValue(false);
    Option3.setValue(true);
    fraRover.setEnabled(false);
    Option3.setEnabled(false);
    Option4.setEnabled(false);
}

void frmStationIDWindow::optState_Click(int Index) {
    for (int i = 0; i < StateCount; ++i) optState[i].setFontBold(false);
    optState[Index].setFontBold(true);
}

void frmStationIDWindow::Command1_Click() {
    for (vb::TextBox* box : {&Text6, &Text3, &Text4})
        if (!BoxNumber(box->Text(), nullptr)) box->setText("0");

    StationSettings& s = Station;
    s.HostState = "TY";
    s.OutOfStateFlag = Option1.Value() ? 0 : 1;
    s.RoverFlag = Option4.Value() ? 1 : 0;
    s.OwnCall = Text1.Text();
    s.OwnSpc = Text5.Text();
    BoxNumber(Text6.Text(), &s.UtcOffsetHours);
    s.OwnCountry = Text2.Text();
    BoxNumber(Text3.Text(), &s.OwnLongitude);
    BoxNumber(Text4.Text(), &s.OwnLatitude);
    s.OwnContinent = Text7.Text();
    s.CurrentCounty = Text8.Text();
    s.OwnArrlSection = Text9.Text();
    s.OwnName = Text10.Text();
    s.OwnCategory = Text11.Text();
    s.OwnCity = Text12.Text();
    QString error;
    if (!SaveStationSettings(&error))
        MsgBox(error + CrLf + CrLf + "Your settings were not saved: they hold for this run only.", vbOKOnly,
               "Unable to save settings.");

    SetSharedPref("OWN_CALL", Text1.Text(), 0);
    SetSharedPref("OWN_SPC", Text5.Text(), 0);
    SetSharedPref("OWN_UTC", Text6.Text(), 0);
    SetSharedPref("OWN_COUNTY", Text8.Text(), 0);
    SetSharedPref("OWN_COUNTRY", Text2.Text(), 0);
    SetSharedPref("OWN_LONGITUDE", Text3.Text(), 0);
    SetSharedPref("OWN_LATITUDE", Text4.Text(), 0);
    SetSharedPref("OWN_CONTINENT", Text7.Text(), 0);
    // An empty path means the file could not be read at start-up: it is then left as it is.
    const bool write = !SharedPrefs.SharedPrefsPath.isEmpty();
    try {
        SetSharedPref("OWN_ARRL_SECTION", Text9.Text(), write ? 1 : 0);
    } catch (const VbError& e) {
        MsgBox(e.Description + "  " + SharedPrefs.SharedPrefsPath, vbOKOnly, "Unable to save shared preferences.");
    }

    // Without a logging window the setup stays, so the operator can change his answers.
    if (ShowLoggingWindow() && vb::IfLoaded<frmStationIDWindow>() == this) vb::Unload(*this);
}

} // namespace tylog
