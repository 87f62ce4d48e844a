#include "logtools/HelpWindow.h"
#include "core/ProcessState.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/Diagnostics.h"

#include <QPlainTextEdit>
#include <algorithm>

namespace tylog {

Form5Window::Form5Window() : vb::Form("Form5") {
    vb::ApplyDesign(*this, {.Caption = "Help Page", .ClientWidth = 7725, .ClientHeight = 6000},
                    {
                        // control  caption  left  top   width height tab
                        {Text1, {}, 240, 240, 7215, 4935, 0,
                         {.FontName = "MS Sans Serif", .FontSize = 9.75, .FontBold = true, .BackColor = 0xE0E0E0}},
                        {Command1, "Close", 3240, 5400, 1215, 375, 1, {.FontName = "Arial", .FontSize = 8.25, .FontBold = true}},
                    });
    static_cast<QPlainTextEdit*>(Text1.widget())->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

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
    } catch (const VbError& e) {
        // Without the help file the window opens with an empty box.
        qCDebug(lcLogTools) << Q_FUNC_INFO << e.Description;
    }
}

void Form5Window::Command1_Click() { Hide(); }

} // namespace tylog
