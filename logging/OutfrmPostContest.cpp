// Post-contest entry: the date and time boxes of contacts entered after the contest.
#include "logging/Outfrm.h"
#include "platform/Platform.h"

namespace tylog {

void OutfrmWindow::wirePostContest() {
    mnuPostContest.Click = [this] { mnuPostContest_Click(); };
    txtPostConTime.GotFocus = [this] { txtPostConTime_GotFocus(); };
    txtPostConDate.GotFocus = [this] { txtPostConDate_GotFocus(); };
    txtPostConTime.KeyPress = [this](int& k) { txtPostConTime_KeyPress(k); };
    txtPostConDate.KeyPress = [this](int& k) { txtPostConDate_KeyPress(k); };
}

void OutfrmWindow::mnuPostContest_Click() {
    const bool on = !mnuPostContest.Checked();
    mnuPostContest.setChecked(on);
    // The boxes keep their text while hidden.
    for (vb::Control* c : std::initializer_list<vb::Control*>{&lblPostConTime, &txtPostConTime, &lblPostConDate,
                                                              &txtPostConDate})
        c->setVisible(on);
}

void OutfrmWindow::txtPostConTime_GotFocus() {
    txtPostConTime.setSelStart(0);
    txtPostConTime.setSelLength(static_cast<int>(txtPostConTime.Text().size()));
}

void OutfrmWindow::txtPostConDate_GotFocus() {
    if (!txtPostConDate.Text().isEmpty()) return;
    txtPostConDate.setText(platform().clock->Now().toString("yyyy/MM/dd")); // local, not UTC
    txtPostConDate.setSelStart(0);
    txtPostConDate.setSelLength(static_cast<int>(txtPostConDate.Text().size()));
}

void OutfrmWindow::postContestKey(int& KeyAscii, int lowest, int highest) {
    if (KeyAscii == ' ') {
        KeyAscii = 0;
        SendTab();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    }
    if (KeyAscii != 8 && (KeyAscii < lowest || KeyAscii > highest)) KeyAscii = 0;
}

void OutfrmWindow::txtPostConTime_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '0', ':'); }

void OutfrmWindow::txtPostConDate_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '/', '9'); }

} // namespace tylog
