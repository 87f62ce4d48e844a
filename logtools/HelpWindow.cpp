#include "logtools/HelpWindow.h"
#include "core/ProcessState.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QPlainTextEdit>
#include <algorithm>

namespace tylog {

Form5Window::Form5Window() : vb::Form("Form5") {
    setCaption("Help Page");
    Move(0, 0, 7725 + NonClientWidth(), 6000 + NonClientHeight());

    Text1.Move(240, 240, 7215, 4935);
    Text1.setBackColor(0xE0E0E0);
    Text1.setFontName("MS Sans Serif");
    Text1.setFontSize(9.75);
    Text1.setFontBold(true);
    static_cast<QPlainTextEdit*>(Text1.widget())->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1.setTabIndex(0);

    Command1.setCaption("Close");
    Command1.Move(3240, 5400, 1215, 375);
    Command1.setFontName("Arial");
    Command1.setFontSize(8.25);
    Command1.setFontBold(true);
    Command1.setTabIndex(1);
    ApplyTabOrder();

    Command1.Click = [this] { Command1_Click(); };
}

void Form5Window::Form_Load() {
    try {
        // Scaled like every window, but centred exactly and with the window's own font by the
        // horizontal ratio.
        Screen& screen = *platform().screen;
        const float sw = static_cast<float>(screen.Width()), sh = static_cast<float>(screen.Height());
        const float rx = sw / 9600.0f, ry = sh / 7200.0f, rf = std::min(rx, ry);
        const float w = static_cast<float>(Width()) / 9600.0f * sw;
        const float h = static_cast<float>(Height()) / 7200.0f * sh;
        Move((sw - w) / 2, (sh - h) / 2, w, h);
        setFontSize(FontSize() * rx);
        for (vb::Control* c : {static_cast<vb::Control*>(&Text1), static_cast<vb::Control*>(&Command1)}) {
            c->Move(static_cast<float>(c->Left()) * rx, static_cast<float>(c->Top()) * ry,
                    static_cast<float>(c->Width()) * rx, static_cast<float>(c->Height()) * ry);
            c->setFontSize(static_cast<float>(c->FontSize()) * rf);
        }

        Text1.setText(QString());
        Text1.setText(FromAnsi(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "ReadSQSO.txt"))));
    } catch (const VbError&) {
        // Without the help file the window opens with an empty box.
    }
}

void Form5Window::Command1_Click() { Hide(); }

} // namespace tylog
