// The entry line of the out-of-state window beyond what both windows type alike (LoggingEntry.cpp):
// what a key in the call box does, a letter from the serial box starting the county, and what leaving
// the call box shows.
#include "core/ProcessState.h"
#include "logging/DupeRules.h"
#include "logging/Outfrm.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"

namespace tylog {

QString OutfrmWindow::KeyboardCWOnMessage() const { return "Keyboard CW mode is ON!  Press F12 to exit."; }

void OutfrmWindow::callBoxKey(int& KeyAscii) {
    if (txtCall.Text().size() < 2 && KeyAscii != 13) {
        txtCntry.setText(QString());
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
    }
    if (KeyAscii == '"') KeyAscii = 0;
    digitStartsSerial(KeyAscii);
    if (txtCall.Text().size() < 3 && KeyAscii != 13 && Run.TimeOnRunning) lblDialog.setCaption(" ");
    askForTimeOn();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    }
    if (KeyAscii == ' ' && Run.PendingKeyTarget != 4) {
        KeyAscii = 0;
        txtRSTR.SetFocus();
    }
    KeyUpperCase(KeyAscii);
    PartialDupeList(KeyAscii);
}

void OutfrmWindow::txtSec_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    // A letter typed into the serial box starts the county.
    if (Run.PendingKeyTarget == 3) KeyAscii = Run.PendingKey.toInt();
    if (!countyKey(KeyAscii)) return;
    if (Run.PendingKeyTarget == 3) {
        // A letter from the serial box that completed nothing starts the county alone.
        txtSec.setText(KeyAscii >= 32 ? CharOf(KeyAscii) : QString());
        txtSec.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
}

void OutfrmWindow::callBoxLeft() {
    const QString call = txtCall.Text();
    if (call.compare(QLatin1String("Q7BZW"), Qt::CaseInsensitive) == 0) {
        lblDialog.setCaption("Q7BZW, Orrin, wrote this software!  Please say hi!");
        lblDialog.setBackColor(0xFFFFC0);
        Beep();
    }
    if (call.compare(QLatin1String("QE9MRL"), Qt::CaseInsensitive) == 0) {
        lblDialog.setCaption("QE9MRL, Tamsin, helped write this software!  Please say hi!");
        lblDialog.setBackColor(0xFFFFC0);
        Beep();
    }
    if (!call.isEmpty()) DupCheck2();
}

} // namespace tylog
