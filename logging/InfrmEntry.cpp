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
void selectAll(vb::TextBox& box) {
    const int n = static_cast<int>(box.Text().size());
    if (box.SelStart() != 0 || box.SelLength() != n) {
        box.setSelStart(0);
        box.setSelLength(n);
    }
}

void cue(const char* name) { BlindFrm().BlindKeyPhone(QString::fromLatin1(name)); }
} // namespace

void InfrmWindow::wireCountryBox() {
    txtCntry.KeyPress = [this](int& k) { txtCntry_KeyPress(k); };
    txtCntry.Change = [this] { txtCntry_Change(); };
    txtCntry.GotFocus = [this] { txtCntry_GotFocus(); };
}

QString InfrmWindow::KeyboardCWOnMessage() const { return "Press F12 to exit keyboard CW mode."; }

// ---- Call and serial boxes ------------------------------------------------------------------------

void InfrmWindow::txtCall_Change() {
    LoggingWindow::txtCall_Change();
    LookupPrefixCountry();
}

void InfrmWindow::callBoxKey(int& KeyAscii) {
    // The first keys of a new call drop what the last one left; a key the box takes has that done by
    // the lookup of the call it makes, below.
    const bool newCall = txtCall.Text().size() < 2;
    if (newCall && KeyAscii == 13) dropLastCallsCountry(QString());
    if (KeyAscii == '"') KeyAscii = 0;
    // A digit after a complete call is the serial's first digit.
    digitStartsSerial(KeyAscii);
    if (txtCall.Text().size() < 3 && Run.TimeOnRunning) lblDialog.setCaption(" ");
    askForTimeOn();
    if (KeyAscii == 13) {
        // What the commit says (or the line it empties) stands: the partial list below would blank
        // its message, and the hold after a refused duplicate belongs to the next key.
        KeyAscii = 0;
        LogEntry();
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
            next = t.left(txtCall.SelStart()) + CharOf(KeyAscii) + t.mid(txtCall.SelStart() + txtCall.SelLength());
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

void InfrmWindow::LogEntry() {
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

// A letter typed into the serial box begins the St / Prv / Country, in capitals.
void InfrmWindow::serialLetterKey(int& KeyAscii) {
    KeyUpperCase(KeyAscii);
    txtCntry_KeyPress(KeyAscii);
}

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
        LogEntry();
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
        txtCntry.setText(CharOf(KeyAscii));
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
        const QString typed = txtCntry.Text().left(txtCntry.SelStart()) + CharOf(KeyAscii);
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
    LoggingWindow::txtSec_GotFocus();
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
