#pragma once
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/KeyLines.h"
#include "platform/PortMap.h"
#include "platform/Screen.h"
#include "platform/Session.h"
#include "platform/WavePlayer.h"

#include <functional>

namespace tylog {

namespace vb { class Form; }

// The services the program takes from the platform. main() installs the real ones; the test main
// installs the fakes of platform/testing. Nothing else reaches Qt dialogs, the clock or the screen.
struct Platform {
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    Screen* screen = nullptr;
    Clipboard* clipboard = nullptr;
    ProgramEnd* programEnd = nullptr;
    Sound* sound = nullptr;
    PortMap* ports = nullptr;      // port numbers to device paths (SerialLine, parallel ports)
    KeyLines* keyLines = nullptr;  // RTS, DTR and the parallel port's registers
    // Called when a window is shown modally under a virtual clock, before the modal wait; tests use
    // it to act in the window. Empty in the program.
    std::function<void(vb::Form&)> onModalShown;
    // Reports a fault of a test's script (an unscripted dialog, a modal wait that cannot end).
    std::function<void(const QString&)> reportScriptFault;
};

Platform& platform();
// Installs the machine's services, and turns the application's quit and SIGTERM / SIGINT into
// orderly ends (OrderlyQuit); call it once the application object exists.
void InstallRealPlatform();

} // namespace tylog
