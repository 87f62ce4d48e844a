#include "logtools/CountyTypeAhead.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logstore/CountyTable.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

namespace tylog {

namespace {

// The names a member completes from, rows 1..count.
struct Names {
    const std::vector<QString>& rows;
    int count;
};

Names namesOf(TypeAheadSource source) {
    if (source == TypeAheadSource::Countries) return {PrefixTable.Country, static_cast<int>(PrefixTable.Count)};
    return {CountyTable.Name, static_cast<int>(CountyTable.Count)};
}

} // namespace

void TypeAheadKeyPress(vb::TextBox& box, int& KeyAscii, const TypeAheadMember& member,
                       const std::function<void()>& onEnter) {
    if (member.SwallowQuote && KeyAscii == 34) KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (onEnter) onEnter();
        return;
    }
    if (KeyAscii > 0 && box.SelStart() == 0) {
        if (member.AtStart != KeyAtStart::BlankKeepsText || KeyAscii != 32) box.setText(QString());
        if (member.AtStart == KeyAtStart::EmptiesAndCapitalises) KeyUpperCase(KeyAscii);
    }
    const bool capitals = member.AtStart != KeyAtStart::EmptiesAndCapitalises;
    if (capitals && box.Text().isEmpty() && KeyAscii > 0) KeyUpperCase(KeyAscii);
    const QString text = box.Text();
    const int caret = box.SelStart();
    // Short of the end only while a completed tail is selected (or the caret was moved).
    if (capitals && caret >= 1 && caret < text.size() && text[caret - 1] == QLatin1Char(' ')) KeyUpperCase(KeyAscii);
    if (KeyAscii <= 0) return;

    // The last name of the table that begins with what is typed is offered.
    const QString typed = text.left(caret) + FromAnsi(QByteArray(1, static_cast<char>(KeyAscii)));
    const Names names = namesOf(member.Source);
    for (int i = names.count; i >= 1; --i) {
        const QString& name = names.rows[static_cast<size_t>(i)];
        if (!name.startsWith(typed, Qt::CaseInsensitive)) continue;
        box.setText(typed + name.mid(typed.size()));
        KeyAscii = 0;
        box.setSelStart(static_cast<int>(typed.size()));
        box.setSelLength(static_cast<int>(name.size() - typed.size()));
        return;
    }
}

bool CheckCountyBox(vb::TextBox& box, vb::Label& marker, const TypeAheadMember& member) {
    marker.setVisible(false);
    const QString text = box.Text();
    if (member.EmptyPasses && text.isEmpty()) {
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
