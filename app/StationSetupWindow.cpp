#include "app/StationSetupWindow.h"
#include "app/Artwork.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SharedPrefs.h"
#include "app/StartupLoader.h"
#include "core/StationSettingsFile.h"
#include "app/Startup.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Session.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"

#include <cmath>
#include <limits>

namespace tylog {

const std::array<const char*, frmStationIDWindow::StateCount> frmStationIDWindow::StateCodes = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KY", "LA",
    "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH",
    "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "TY", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

namespace {

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
    setWindowIcon(QIcon(AntennaIcon(64)));
    for (int i = 0; i < StateCount; ++i) {
        vb::OptionButton& o = optState.Add(*this, "optState", i, &fraState);
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
    // Each field's label stands left of its box, lowered so the caption lines up with the text in the
    // box. The three hidden fields keep the place of the last visible row; they are never shown.
    const vb::ControlLook hidden{.Visible = false};
    std::vector<vb::ControlDesign> design = {
        // control      caption                          left  top   width height tab
        {Image1, {}, 120, 120, 480, 480},
        {lblCall, "Please Enter your Call Sign:", 120, 765, 2760, 240},
        {Text1, {}, 2940, 720, 1500, 285, 0},
        {lblSpc, "Your State / Province:", 120, 1125, 2760, 240},
        {Text5, {}, 2940, 1080, 1500, 285, 1},
        {lblCounty, "Your County:", 120, 1485, 2760, 240},
        {Text8, {}, 2940, 1440, 1500, 285, 2},
        {lblUtc, "Hours added for UTC:", 120, 1845, 2760, 240},
        {Text6, {}, 2940, 1800, 1500, 285, 3},
        {lblCountry, "Your Country:", 120, 2205, 2760, 240},
        {Text2, {}, 2940, 2160, 1500, 285, 4},
        {lblLongitude, "Your Longitude:", 120, 2565, 2760, 240},
        {Text3, {}, 2940, 2520, 1500, 285, 5},
        {lblLatitude, "Your Latitude:", 120, 2925, 2760, 240},
        {Text4, {}, 2940, 2880, 1500, 285, 6},
        {lblContinent, "Your Continent:", 120, 3285, 2760, 240},
        {Text7, {}, 2940, 3240, 1500, 285, 7},
        {lblSection, "Your ARRL Section:", 120, 3645, 2760, 240},
        {Text9, {}, 2940, 3600, 1500, 285, 8},
        {lblName, "Your Name:", 120, 3645, 2760, 240, {}, hidden},
        {Text10, {}, 2940, 3600, 1500, 285, 9, hidden},
        {lblCategory, "Your Category:", 120, 3645, 2760, 240, {}, hidden},
        {Text11, {}, 2940, 3600, 1500, 285, 10, hidden},
        {lblCity, "Your City:", 120, 3645, 2760, 240, {}, hidden},
        {Text12, {}, 2940, 3600, 1500, 285, 11, hidden},

        {fraInState, "Are you in Tessaly?", 120, 3960, 4320, 600},
        {Option1, "Yes", 1080, 270, 960, 255, 12},
        {Option2, "No", 2400, 270, 960, 255, 13},
        {fraRover, "Are you operating as a Rover?", 120, 4680, 4320, 600},
        {Option4, "Yes", 1080, 270, 960, 255, 14},
        {Option3, "No", 2400, 270, 960, 255, 15},
        {Command1, "Done", 1530, 5400, 1500, 405, 16},

        {fraState, "Please select the state QSO party:", 4620, 120, 3540, 5685},
    };
    // The state options in four columns of 15, top to bottom, then left to right.
    for (int i = 0; i < StateCount; ++i)
        design.push_back({optState[i], StateCodes[static_cast<size_t>(i)], 240.0 + (i / 15) * 810, 330.0 + (i % 15) * 350,
                          720, 285, 17 + i});
    vb::ApplyDesign(*this, {.Caption = " Setup Information", .Width = 8400, .Height = 6390, .BorderStyle = 1}, design);

    Image1.setPicture(AntennaIcon(64));
    for (vb::Label* l : {&lblCall, &lblSpc, &lblCounty, &lblUtc, &lblCountry, &lblLongitude, &lblLatitude, &lblContinent,
                         &lblSection, &lblName, &lblCategory, &lblCity}) {
        l->setAlignment(1);
        l->setWordWrap(false);
    }
    Text6.setMaxLength(7);
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
