// Post-contest entry of the in-state window: the date and time boxes of contacts typed in from paper
// after the contest. The commit checks and rewrites them (LoggingWindow::CheckPostContestEntry).
#include "logging/Infrm.h"
#include "platform/Clock.h"
#include "platform/Platform.h"

namespace tylog {

void InfrmWindow::wirePostContest() {
    mnuPostContest.Click = [this] { mnuPostContest_Click(); };
    txtPostConTime.GotFocus = [this] { txtPostConTime_GotFocus(); };
    txtPostConDate.GotFocus = [this] { txtPostConDate_GotFocus(); };
    txtPostConTime.KeyPress = [this](int& k) { txtPostConTime_KeyPress(k); };
    txtPostConDate.KeyPress = [this](int& k) { txtPostConDate_KeyPress(k); };
}

void InfrmWindow::mnuPostContest_Click() {
    // The mode is the boxes being shown; they keep their text while hidden.
    const bool on = !mnuPostContest.Checked();
    mnuPostContest.setChecked(on);
    for (vb::Control* c : std::initializer_list<vb::Control*>{&lblPostConTime, &txtPostConTime, &lblPostConDate,
                                                              &txtPostConDate})
        c->setVisible(on);
}

void InfrmWindow::txtPostConTime_GotFocus() {
    txtPostConTime.setSelStart(0);
    txtPostConTime.setSelLength(static_cast<int>(txtPostConTime.Text().size()));
}

void InfrmWindow::txtPostConDate_GotFocus() {
    // A run of contacts of one day needs the date once.
    if (!txtPostConDate.Text().isEmpty()) return;
    txtPostConDate.setText(platform().clock->Now().toString("yyyy/MM/dd")); // local, not UTC
    txtPostConDate.setSelStart(0);
    txtPostConDate.setSelLength(static_cast<int>(txtPostConDate.Text().size()));
}

void InfrmWindow::postContestKey(int& KeyAscii, int lowest, int highest) {
    if (KeyAscii == ' ') {
        KeyAscii = 0;
        SendTab();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        logEntry();
    }
    if (KeyAscii != 8 && (KeyAscii < lowest || KeyAscii > highest)) KeyAscii = 0;
}

// Digits and ":" in the time box, digits and "/" in the date box ("/" lies just below "0", ":" just
// above "9").
void InfrmWindow::txtPostConTime_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '0', ':'); }

void InfrmWindow::txtPostConDate_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '/', '9'); }

} // namespace tylog
