#include "platform/Platform.h"
#include "platform/FatalUnkey.h"
#include "platform/FontWarmUp.h"

namespace tylog {

Platform& platform() {
    static Platform p;
    return p;
}

void InstallRealPlatform() {
    StartFontWarmUp();
    static QtDialogs dialogs;
    static SystemClock clock;
    static QtScreen screen;
    static QtClipboard clipboard;
    static ProcessEnd end;
    static QtSound sound;
    static EnvironmentPortMap ports;
    static SystemKeyLines keyLines;
    static OrderlyQuit orderlyQuit;
    Platform& p = platform();
    p.dialogs = &dialogs;
    p.clock = &clock;
    p.screen = &screen;
    p.clipboard = &clipboard;
    p.programEnd = &end;
    p.sound = &sound;
    p.ports = &ports;
    p.keyLines = &keyLines;
    FatalUnkey::Install();
}

} // namespace tylog
