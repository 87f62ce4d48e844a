#include "logtools/CountyTypeAhead.h"
#include "core/ProcessState.h"
#include "logstore/CountyTable.h"
#include "logstore/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

namespace tylog {

void CountyTypeAheadKeyPress(vb::TextBox& box, int& KeyAscii, const CountyTypeAheadBox& member) {
    if (member.SwallowQuote && KeyAscii == 34) KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (member.OnEnter) member.OnEnter();
        return;
    }
    if (KeyAscii > 0 && box.SelStart() == 0 && !(member.BlankAtStartKeepsText && KeyAscii == 32)) box.setText(QString());
    if (box.Text().isEmpty() && KeyAscii > 0) KeyUpperCase(KeyAscii);
    const QString text = box.Text();
    const int caret = box.SelStart();
    if (caret >= 1 && caret < text.size() && text[caret - 1] == QLatin1Char(' ')) KeyUpperCase(KeyAscii);
    if (KeyAscii <= 0) return;

    // The last county of the table that begins with what is typed is offered.
    const QString typed = text.left(caret) + FromAnsi(QByteArray(1, static_cast<char>(KeyAscii)));
    for (int i = static_cast<int>(CountyTable.Count); i >= 1; --i) {
        const QString& name = CountyTable.Name[static_cast<size_t>(i)];
        if (!name.startsWith(typed, Qt::CaseInsensitive)) continue;
        box.setText(typed + name.mid(typed.size()));
        KeyAscii = 0;
        box.setSelStart(static_cast<int>(typed.size()));
        box.setSelLength(static_cast<int>(name.size() - typed.size()));
        return;
    }
}

bool CheckCountyBox(vb::TextBox& box, vb::Label& marker, bool emptyPasses) {
    marker.setVisible(false);
    const QString text = box.Text();
    if (emptyPasses && text.isEmpty()) {
        Run.InvalidCountyFlag = false;
        return true;
    }
    Run.InvalidCountyFlag = true;
    for (int i = 1; i <= static_cast<int>(CountyTable.Count); ++i) {
        if (text.compare(CountyTable.Name[static_cast<size_t>(i)], Qt::CaseInsensitive) == 0) {
            Run.InvalidCountyFlag = false;
            return true;
        }
    }
    Beep();
    marker.setVisible(true);
    if (box.form().isVisible()) box.SetFocus();
    return false;
}

} // namespace tylog
