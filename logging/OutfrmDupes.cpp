// Duplicate checks of the out-of-state window: the partial list while the call is typed, the earlier
// contacts of a call when the call box is left, and the refusal of a duplicate when it is logged.
// The first two run on every keystroke or box change over a log of up to 11000 contacts, so the
// comparisons avoid allocating and fold letter case by hand.
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "logging/Outfrm.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

#include <array>

namespace tylog {

namespace {
constexpr long DupeWarningBackColor = 0x0000FF; // red

bool sameCharNoCase(char16_t a, char16_t b) {
    if (a == b) return true;
    if (a < 128 && b < 128) {
        if (a >= u'a' && a <= u'z') a -= 32;
        if (b >= u'a' && b <= u'z') b -= 32;
        return a == b;
    }
    return QChar(a).toCaseFolded() == QChar(b).toCaseFolded();
}

bool startsWithNoCase(QStringView text, QStringView prefix) {
    if (text.size() < prefix.size()) return false;
    const char16_t* t = text.utf16();
    const char16_t* p = prefix.utf16();
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (!sameCharNoCase(t[i], p[i])) return false;
    return true;
}

bool sameNoCase(QStringView a, QStringView b) { return a.size() == b.size() && startsWithNoCase(a, b); }

// Case-blind equality with one text, for a scan of the log: the log's bands and modes are a few
// shared buffers, so the answer for a buffer already met is remembered and the text not read again.
// Valid for one scan only (the log does not change during it).
class SameAs {
public:
    explicit SameAs(const QString& target) : target_(target) {}
    bool operator()(const QString& text) {
        const QChar* p = text.constData();
        if (p == last_.data && text.size() == last_.size) return last_.same;
        for (const Seen& s : seen_) {
            if (s.data == p && s.size == text.size()) {
                last_ = s;
                return s.same;
            }
        }
        last_ = {p, text.size(), sameNoCase(text, target_)};
        seen_[next_++ % seen_.size()] = last_;
        return last_.same;
    }

private:
    struct Seen {
        const QChar* data = nullptr;
        qsizetype size = -1;
        bool same = false;
    };
    const QString& target_;
    Seen last_;
    std::array<Seen, 8> seen_{};
    std::size_t next_ = 0;
};

QString dupeMessage(const char* head, const ContactRecord& r, int i) {
    return head + r.Call + "  " + r.Date + "  " + r.Time + "   Rec# " + QString::number(i);
}
} // namespace

void OutfrmWindow::CheckDupeAtLog() {
    Run.DupeFlag = 0;
    const QString call = txtCall.Text();
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (!sameNoCase(r.Call, call)) continue;
        // A station worked before brings its county along.
        if (txtSec.Text().isEmpty()) {
            txtSec.setText(r.County);
            txtSec.setSelLength(static_cast<int>(r.County.size()));
        }
        if (sameNoCase(r.Band, Station.CurrentBand) && sameNoCase(r.Mode, Station.CurrentMode) &&
            sameNoCase(txtSec.Text(), r.County)) {
            lblDialog.setCaption(dupeMessage("Duplicate ", r, i));
            lblDialog.setBackColor(DupeWarningBackColor);
            lblDupe.setBackColor(DupeEmptyBackColor);
            lblDupe.setCaption(QString());
            Beep();
            BlindFrmWindow& voice = BlindFrm();
            voice.BlindKeyPhone("Dupe");
            // The entry line is emptied once the prompt has been heard; the wait is bounded, so a
            // long or broken prompt cannot hold the window.
            if (Station.VoiceNavLevel != 0) voice.WaitForPrompt();
            Run.DupeFlag = 1;
            break;
        }
    }
    if (Run.DupeFlag == 1) {
        txtCall.SetFocus();
        for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) t->setText(QString());
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
    }
}

void OutfrmWindow::DupCheck2() {
    const bool listPrevious = mnuListPrevious.Checked();
    QList<QStringList> rows;
    const QString call = txtCall.Text();
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (!sameNoCase(r.Call, call)) continue;
        if (listPrevious) rows << RecentContactRow(ContactLog, i);
        if (txtSec.Text().isEmpty()) {
            txtSec.setText(r.County);
            txtSec.setSelLength(static_cast<int>(r.County.size()));
        }
        if (sameNoCase(r.Band, Station.CurrentBand) && sameNoCase(r.Mode, Station.CurrentMode)) {
            // The county is not compared: a rover may be worked again from another county.
            lblDialog.setCaption(dupeMessage("Duplicate Unless Rover!  ", r, i));
            lblDialog.setBackColor(DupeWarningBackColor);
            lblDupe.setBackColor(DupeEmptyBackColor);
            Beep();
            if (!listPrevious) return;
        }
    }
    if (listPrevious) {
        ListView1.ClearItems();
        for (const QStringList& row : rows) ListView1.AddItem(row);
    }
}

void OutfrmWindow::PartialDupeList(int& KeyAscii) {
    lblDialog.setBackColor(DialogBackColor);
    lblDupe.setBackColor(DupeEmptyBackColor);
    lblDupe.setCaption(QString());
    const QString box = txtCall.Text();
    const bool listed = KeyAscii >= 46 && KeyAscii <= 90; // ".", "/", digits, upper-case letters
    const QString typed = box + FromAnsi(QByteArray(1, static_cast<char>(KeyAscii)));

    QString list;
    if (Run.PartialDupeDisplay == 1 && listed) {
        SameAs onBand(Station.CurrentBand), inMode(Station.CurrentMode);
        // From the oldest record, the newer match in front, until the line is full.
        for (int i = 1; i <= ContactLog.Count; ++i) {
            const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
            if (!onBand(r.Band) || !inMode(r.Mode) || !startsWithNoCase(r.Call, typed)) continue;
            list.prepend(QLatin1Char(' '));
            list.prepend(r.Call);
            if (list.size() > 100) break;
        }
        lblDupe.setBackColor(list.isEmpty() ? DupeEmptyBackColor : DialogBackColor);
        lblDupe.setCaption(list);
    }
    if (!list.isEmpty() && box.size() > 2) lblDialog.setCaption("Possible Duplicate!");
    else if (Run.TimeOnRunning == 1) lblDialog.setCaption(" ");

    if (typed.size() == 3 && listed) {
        auto digitOrSlash = [](QChar c) { return c.unicode() >= 47 && c.unicode() <= 57; };
        if (digitOrSlash(typed[1]) || digitOrSlash(typed[2])) {
            lblDialog.setCaption(" ");
        } else {
            Beep();
            lblDialog.setCaption("The second or third character is not numeric!");
        }
    }
}

} // namespace tylog
