// The entry line of the in-state window: what every key does in the call, serial, St / Prv / Country
// and county boxes, so that a contact is typed without the Tab key (a digit after a complete call
// starts the serial, a letter in the serial box starts the St / Prv / Country, Space moves on, Enter
// logs); the country and county completions, the call-prefix lookup with continent, bearing and
// distance, the "New" mark, the spoken cues and the CW macro values taken from the line.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "keying/BlindFrm.h"
#include "keying/KeyerState.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logging/MultiplierRules.h"
#include "logging/PrefixLookup.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/TextFile.h"

#include <utility>

namespace tylog {

namespace {
QString charOf(int keyAscii) { return FromAnsi(QByteArray(1, static_cast<char>(keyAscii))); }

void selectAll(vb::TextBox& box) {
    const int n = static_cast<int>(box.Text().size());
    if (box.SelStart() != 0 || box.SelLength() != n) {
        box.setSelStart(0);
        box.setSelLength(n);
    }
}

void cue(const char* name) { BlindFrm().BlindKeyPhone(QString::fromLatin1(name)); }
} // namespace

void InfrmWindow::wireEntryLine() {
    // Typing order and the longest texts of the entry line.
    const std::pair<vb::TextBox*, int> boxes[] = {{&txtCall, 12}, {&txtRSTR, 8},         {&txtCntry, 30},
                                                  {&txtSec, 20},  {&txtPostConTime, 5}, {&txtPostConDate, 10},
                                                  {&txtRSTS, 3}};
    int tabIndex = 1;
    for (auto [box, length] : boxes) {
        box->setTabIndex(tabIndex++);
        box->setMaxLength(length);
    }
    ApplyTabOrder();

    txtCall.KeyPress = [this](int& k) { txtCall_KeyPress(k); };
    txtRSTR.KeyPress = [this](int& k) { txtRSTR_KeyPress(k); };
    txtCntry.KeyPress = [this](int& k) { txtCntry_KeyPress(k); };
    txtSec.KeyPress = [this](int& k) { txtSec_KeyPress(k); };
    txtCall.Change = [this] { txtCall_Change(); };
    txtRSTS.Change = [this] { txtRSTS_Change(); };
    txtCntry.Change = [this] { txtCntry_Change(); };
    txtCall.GotFocus = [this] { txtCall_GotFocus(); };
    txtRSTR.GotFocus = [this] { txtRSTR_GotFocus(); };
    txtCntry.GotFocus = [this] { txtCntry_GotFocus(); };
    txtSec.GotFocus = [this] { txtSec_GotFocus(); };
    // Focus events run at once, so a call box left from inside its own key handler (Space, the digit
    // jump) would have the leave's warnings blanked by the rest of that key: the leave is dealt with
    // once the key has been handled.
    txtCall.LostFocus = [this] {
        if (callKeyDepth_ > 0) callLeftDuringKey_ = true;
        else txtCall_LostFocus();
    };
    Label1.Change = [this] { Label1_Change(); };
    mnuRecall.Click = [this] { mnuRecall_Click(); };
    wirePostContest();
}

QString InfrmWindow::KeyboardCWOnMessage() const { return "Press F12 to exit keyboard CW mode."; }

// ---- Call and serial boxes ------------------------------------------------------------------------

void InfrmWindow::txtCall_Change() {
    Keyer.CWMacroCall = txtCall.Text();
    LookupPrefixCountry();
}

void InfrmWindow::txtCall_GotFocus() {
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
    if (txtCall.Text().isEmpty()) {
        EmptyIfFilled(txtRSTS);
        EmptyIfFilled(txtRSTR);
    }
    if (Station.VoiceNavLevel >= 1) cue("Call");
    // The earlier contacts of one call may have taken the list's place: bring the recent ones back.
    if (txtCall.Text().isEmpty() && ListView1.ItemCount() < ContactLog.Count && ListView1.ItemCount() < 18)
        FillRecentContacts();
}

void InfrmWindow::txtCall_KeyPress(int& KeyAscii) {
    {
        // Counted back however the key ends, so a failing key holds no later leave.
        struct Depth {
            int& n;
            explicit Depth(int& d) : n(d) { ++n; }
            ~Depth() { --n; }
        } depth(callKeyDepth_);
        callBoxKey(KeyAscii);
    }
    if (callKeyDepth_ == 0 && callLeftDuringKey_) {
        callLeftDuringKey_ = false;
        txtCall_LostFocus();
    }
}

void InfrmWindow::callBoxKey(int& KeyAscii) {
    const double dupeFont = platform().screen->Width() * 9 / 9600 * Station.FormSizePercent / 100;
    if (lblDupe.FontSize() != dupeFont) lblDupe.setFontSize(dupeFont);
    // The first keys of a new call drop what the last one left; a key the box takes has that done by
    // the lookup of the call it makes, below.
    const bool newCall = txtCall.Text().size() < 2;
    if (newCall && KeyAscii == 13) dropLastCallsCountry(QString());
    if (KeyAscii == '"') KeyAscii = 0;
    // A digit after a complete call is the serial's first digit.
    if (DigitStartsSerial(txtCall.Text(), KeyAscii, txtCall.SelStart())) {
        Run.PendingKey = QString::number(KeyAscii);
        Run.PendingKeyTarget = 4;
        txtRSTR.SetFocus();
        txtRSTR_KeyPress(KeyAscii);
        KeyAscii = 0;
    }
    if (txtCall.Text().size() < 3 && Run.TimeOnRunning) lblDialog.setCaption(" ");
    if (!Run.TimeOnRunning) {
        lblDialog.setCaption("Click Log \"Time On\"!");
        Beep();
    }
    if (KeyAscii == 13) {
        // What the commit says (or the line it empties) stands: the partial list below would blank
        // its message, and the hold after a refused duplicate belongs to the next key.
        KeyAscii = 0;
        logEntry();
        return;
    }
    if (KeyAscii == ' ') {
        KeyAscii = 0;
        txtRSTR.SetFocus();
    }
    KeyUpperCase(KeyAscii);
    PartialDupeList(KeyAscii);
    if (Run.DupeFlag) HoldAfterDupe();
    if (newCall) {
        // The call the box will hold once it takes the key; empty when it takes none.
        QString next;
        if (KeyAscii >= 32) {
            const QString t = txtCall.Text();
            next = t.left(txtCall.SelStart()) + charOf(KeyAscii) + t.mid(txtCall.SelStart() + txtCall.SelLength());
        }
        dropLastCallsCountry(next);
    }
}

void InfrmWindow::dropLastCallsCountry(const QString& nextCall) {
    // The lookup of a call sets all three labels, and the box whenever the call names a country, so
    // what it will set is not emptied first: a control changed and changed back within one key still
    // repaints (and the "New" mark hidden and shown again makes the window work out its layers anew).
    bool keepBox = false, keepLabels = false;
    if (!nextCall.isEmpty()) {
        keepLabels = true;
        keepBox = tylog::LookupPrefixCountry(nextCall, txtCntry.Text(), Station.OwnLatitude, Station.OwnLongitude)
                      .Country.has_value();
    }
    if (!keepBox) EmptyIfFilled(txtCntry);
    if (!keepLabels)
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
}

void InfrmWindow::logEntry() {
    // The commit sends the focus to the box it finds wanting, and the rover's replay moves it through
    // the line again: meanwhile the call box's leave runs at once (the replay needs what it fills in)
    // and the boxes the focus visits do nothing of their own (commitRunning), so the line stays as
    // the operator left it and the replay's focus goes where the replay sends it.
    struct Restore {
        InfrmWindow& w;
        int depth;
        bool committing;
        ~Restore() {
            w.callKeyDepth_ = depth;
            w.committing_ = committing;
        }
    } restore{*this, std::exchange(callKeyDepth_, 0), std::exchange(committing_, true)};
    Mains();
}

bool InfrmWindow::commitRunning() const { return committing_ || RoverReplayIndex != 0; }

void InfrmWindow::txtRSTR_GotFocus() {
    if (Station.VoiceNavLevel >= 2) cue("SerNum");
}

void InfrmWindow::txtRSTR_KeyPress(int& KeyAscii) {
    // A letter (or anything above "9") begins the St / Prv / Country: it becomes that box's text and
    // the serial box takes a blank instead, which moves on.
    if (KeyAscii > '9') {
        Run.PendingKey = QString::number(KeyAscii);
        Run.PendingKeyTarget = 3;
        KeyUpperCase(KeyAscii);
        txtCntry_KeyPress(KeyAscii);
        KeyAscii = ' ';
    }
    if (Run.PendingKeyTarget == 4) KeyAscii = Run.PendingKey.toInt();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        logEntry();
    } else {
        if (KeyAscii == ' ') txtCntry.SetFocus();
        KeyDigitsOnly(KeyAscii);
    }
    if (Run.PendingKeyTarget == 4) {
        // The digit that ended the call starts a new serial, whatever the box held.
        txtRSTR.setText(charOf(KeyAscii));
        txtRSTR.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
}

void InfrmWindow::txtRSTS_Change() { Keyer.CWMacroRst = txtRSTS.Text(); }

// ---- St / Prv / Country ---------------------------------------------------------------------------

void InfrmWindow::txtCntry_GotFocus() {
    if (Station.VoiceNavLevel >= 2) cue("SPC");
    // A host-state contact needs only Space here; any other key types over the offer.
    if (txtCntry.Text().isEmpty() && !commitRunning()) {
        txtCntry.setText(Station.HostState);
        selectAll(txtCntry);
    }
}

void InfrmWindow::txtCntry_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        logEntry();
        return;
    }
    // Space at the start accepts what the box holds (the host state offered) and moves on.
    if (KeyAscii == ' ' && txtCntry.SelStart() == 0 && Run.PendingKeyTarget == 0) {
        KeyAscii = 0;
        txtSec.SetFocus();
        return;
    }
    if (KeyAscii == 0) return;
    if (Run.PendingKeyTarget == 3) {
        // A letter from the serial box starts the entry afresh.
        txtCntry.setText(charOf(KeyAscii));
        txtCntry.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
    if (KeyAscii != ' ' && txtCntry.SelStart() == 0) EmptyIfFilled(txtCntry);
    // State and province abbreviations are capitals; a third character makes a country name of them.
    if (txtCntry.Text().isEmpty() || txtCntry.SelStart() < 2) KeyUpperCase(KeyAscii);
    if (KeyAscii != ' ' && txtCntry.SelStart() == 2) {
        const QString t = txtCntry.Text();
        txtCntry.setText(t.left(1) + t.right(1).toLower());
        txtCntry.setSelStart(2);
    }
    if (txtCntry.Text().size() > 1) {
        const QString typed = txtCntry.Text().left(txtCntry.SelStart()) + charOf(KeyAscii);
        if (const int row = FindCountryCompletion(typed)) {
            // The last country of the table that begins with what is typed; its rest stays selected,
            // so typing on narrows or replaces it.
            const size_t r = static_cast<size_t>(row);
            const QString& name = PrefixTable.Country[r];
            txtCntry.setText(typed + name.mid(typed.size()));
            KeyAscii = 0;
            txtCntry.setSelStart(static_cast<int>(typed.size()));
            txtCntry.setSelLength(static_cast<int>(name.size() - typed.size()));
            Label19.setCaption(PrefixTable.Continent[r]);
            ShowBearingDistance(PrefixTable.Latitude[r], PrefixTable.Longitude[r]);
        }
        // A blank that continues no name accepts the entry and moves on.
        if (KeyAscii == ' ') {
            KeyAscii = 0;
            txtSec.SetFocus();
        }
    }
}

void InfrmWindow::txtCntry_Change() {
    const QString text = txtCntry.Text();
    // Only a host-state station has a county.
    const bool hostState = SameNoCase(text, Station.HostState);
    if (lblStation[4].Enabled() != hostState) lblStation[4].setEnabled(hostState);
    if (text.size() == 2) {
        for (int i = 1; i <= 54; ++i) {
            const size_t r = static_cast<size_t>(i);
            if (!SameNoCase(StateCoordTable.Abbrev[r], text)) continue;
            Label19.setCaption("NA");
            ShowBearingDistance(StateCoordTable.Latitude[r], StateCoordTable.Longitude[r]);
            break;
        }
    }
    // The "New" mark: a DX country not yet worked on this band.
    const bool isNew = IsNewDX(text, Station.CurrentBand, DXWorkedList, Run.DXWorkedCount);
    if (Label3.Visible() != isNew) Label3.setVisible(isNew);
}

// ---- County -----------------------------------------------------------------------------------------

void InfrmWindow::txtSec_GotFocus() {
    // Only a host-state station sends a county: anyone else goes straight back to the call box (the
    // operator's, not the commit's: the rover's replay goes on from this box).
    const bool hostState = SameNoCase(txtCntry.Text(), Station.HostState);
    if (!hostState && !commitRunning()) txtCall.SetFocus();
    lblStation[4].setEnabled(hostState);
    if (Station.VoiceNavLevel >= 2) cue("County");
}

void InfrmWindow::txtSec_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        logEntry();
        return;
    }
    const QString text = txtSec.Text();
    const int p = txtSec.SelStart();
    const int n = static_cast<int>(text.size());
    if (KeyAscii == ' ' && p == n) {
        KeyAscii = 0;
        SendTab();
    }
    if (KeyAscii == ' ' && n > p + 1) {
        // A blank accepts a completion and moves on, except inside a name: after a leading "San" or
        // before a blank.
        const bool afterSan = p == 3 && text.startsWith(QLatin1String("San"), Qt::CaseInsensitive);
        const bool beforeBlank = text[p] == QChar(' ');
        if (!afterSan && !beforeBlank) {
            KeyAscii = 0;
            SendTab();
        }
    }
    if (KeyAscii == 0) return;
    if (KeyAscii != ' ' && p == 0) EmptyIfFilled(txtSec);
    // Each word of a county name begins with a capital.
    if (txtSec.Text().isEmpty()) KeyUpperCase(KeyAscii);
    if (p > 0 && p < n && text[p - 1] == QChar(' ')) KeyUpperCase(KeyAscii);
    // The last county of the table that begins with what is typed completes it; the completion stays
    // selected, so typing on replaces it.
    const QString typed = txtSec.Text().left(p) + charOf(KeyAscii);
    for (int i = static_cast<int>(CountyTable.Count); i >= 1; --i) {
        const QString& name = CountyTable.Name[static_cast<size_t>(i)];
        if (!name.startsWith(typed, Qt::CaseInsensitive)) continue;
        txtSec.setText(typed + name.mid(typed.size()));
        KeyAscii = 0;
        txtSec.setSelStart(static_cast<int>(typed.size()));
        txtSec.setSelLength(static_cast<int>(name.size() - typed.size()));
        break;
    }
}

// ---- Prefix lookup, bearing and distance -------------------------------------------------------------

void InfrmWindow::LookupPrefixCountry() {
    const PrefixLookupResult r =
        tylog::LookupPrefixCountry(txtCall.Text(), txtCntry.Text(), Station.OwnLatitude, Station.OwnLongitude);
    // The box first: its change handler derives continent and position from a state's abbreviation,
    // which the prefix table's row then replaces.
    if (r.Country && txtCntry.Text() != *r.Country) txtCntry.setText(*r.Country);
    if (r.Continent) Label19.setCaption(*r.Continent);
    if (r.Bearing) Label22.setCaption(*r.Bearing);
    if (r.Distance) Label23.setCaption(*r.Distance);
    if (r.SelectCountryText) selectAll(txtCntry);
}

void InfrmWindow::ShowBearingDistance(float latitude, float longitude) {
    const BearingDistance bd = tylog::ShowBearingDistance(Station.OwnLatitude, Station.OwnLongitude, latitude, longitude);
    Label22.setCaption(bd.Bearing);
    Label23.setCaption(bd.Distance);
}

} // namespace tylog
