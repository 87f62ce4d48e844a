// Entry-line commands that both logging windows share.
#include "core/ProcessState.h"
#include "keying/KeyerState.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "platform/ValueFile.h"

#include <cmath>

namespace tylog {

void LoggingWindow::ClearEntry() {
    for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) t->setText(QString());
    lblDupe.setBackColor(DupeEmptyBackColor);
    lblDialog.setBackColor(DialogBackColor);
    for (vb::Label* l : {&lblDupe, &lblDialog, &Label19, &Label22, &Label23}) l->setCaption(QString());
    txtCall.SetFocus();
}

void LoggingWindow::mnuRecall_Click() {
    if (ContactLog.Count < 1) return;
    const ContactRecord& last = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];
    txtCall.setText(last.Call);
    txtSec.SetFocus();
    txtSec.setSelLength(static_cast<int>(txtSec.Text().size()));
    double v = 0;
    if (ParseNumber(last.SerialRcvd, &v)) txtRSTR.setText(last.SerialRcvd);
}

void LoggingWindow::Label1_Change() {
    // The label shows the serial with leading zeros (007); the CW macro sends it without (7).
    QString serial = Label1.Caption().trimmed();
    double v = 0;
    if (ParseNumber(serial, &v) && std::isfinite(v)) serial = QString::number(static_cast<long long>(std::trunc(v)));
    Keyer.CWMacroSerial = serial;
}

} // namespace tylog
