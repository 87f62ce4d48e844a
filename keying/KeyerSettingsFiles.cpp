#include "keying/KeyerSettingsFiles.h"
#include "core/ProcessState.h"
#include "keying/CWFrm.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

namespace {

// An untyped value as a text box shows it: text stays text, a bare number becomes its decimal text.
QString BoxText(ValueReader& r) {
    bool quoted = false;
    const QString value = r.ReadUntyped(&quoted);
    double number = 0;
    if (!quoted && IsNumericText(value, &number)) return NumberText(number);
    return value;
}

double Number(ValueReader& r) {
    double number = 0;
    if (!IsNumericText(r.ReadUntyped(), &number)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return number;
}

// The repeat seconds go through the box's own rule: the files are written from what the box held,
// but a hand-edited or damaged file could otherwise start a repeat the box would never allow.
void ReadRepeatSeconds(ValueReader& r, vb::TextBox& box, vb::Timer& timer) {
    bool quoted = false;
    const QString value = r.ReadUntyped(&quoted);
    double seconds = 0;
    if (!IsNumericText(value, &seconds)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    int ms = 0;
    if (RepeatIntervalMs(value, &ms)) box.setText(quoted ? value : NumberText(seconds));
    else box.setText("0");
    timer.setInterval(ms);
}

} // namespace

void LoadVoiceSettings() {
    ValueReader r = ValueReader::FromBytes(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "wave2.txt")));
    PhoneFrmWindow& f = PhoneFrm();
    for (vb::TextBox* box : {&f.Text1, &f.Text2, &f.Text3, &f.Text4, &f.Text5, &f.Text6, &f.Text7, &f.Text8, &f.Text9})
        box->setText(BoxText(r));
    f.Text10.setText(BoxText(r));
    double line = -1;
    IsNumericText(r.ReadUntyped(), &line);
    if (line == 0) f.Option1.setValue(true);
    else if (line == 1) f.Option2.setValue(true);
    else if (line == 2) f.Option3.setValue(true);
    ReadRepeatSeconds(r, f.txtPHLoop, f.tmrRepeat);
    f.Text11.setText(BoxText(r));
}

void LoadCWSettings() {
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "cw.txt")));
        const QString first = BoxText(r);
        CWFrmWindow& f = CWFrm();
        f.Text1.setText(first);
        for (vb::TextBox* box : {&f.Text2, &f.Text3, &f.Text4, &f.Text5, &f.Text6, &f.Text7, &f.Text8})
            box->setText(BoxText(r));
        const QString f9 = BoxText(r);
        f.Text9.setText(f9.isEmpty() ? QStringLiteral("VVV DE ") : f9);
        for (vb::TextBox* box : {&f.Text10, &f.Text11, &f.Text12, &f.Text13, &f.txtSpace})
            box->setText(BoxText(r));
        Keyer.CWKeyingType = r.ReadByte();
        f.Text14.setText(BoxText(r));
        const double echo = Number(r);
        if (echo != 0 && echo != 1 && echo != 2) throw VbError(380, "Invalid property value");
        f.Check1.setValue(static_cast<int>(echo));
        ReadRepeatSeconds(r, f.txtCWLoop, f.tmrRepeat);

        f.Option1.setValue(false);
        f.Option2.setValue(false);
        f.Option3.setValue(false);
        switch (Keyer.CWKeyingType) {
        case 1: f.Option1.setValue(true); break;
        case 2: f.Option2.setValue(true); break;
        case 3: f.Option3.setValue(true); break;
        case 0: f.Option4.setValue(true); break;
        case 5: f.Option5.setValue(true); break;
        default: break;
        }
    } catch (const VbError&) {
        // Silent: what was read stays, the rest keeps the window's design values.
    }
}

} // namespace tylog
