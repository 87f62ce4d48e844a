#pragma once
// What the logging windows need of the radio window, behind one link so that they can be built before
// it exists. The radio window installs its own link when it lands; until then tuning does nothing,
// as it does without an open radio interface.
#include "core/Link.h"

#include <QString>

namespace tylog {

class RadioLink {
public:
    virtual ~RadioLink() = default;
    // RigControlfrm.ChangeFrequency: tunes the radio to a frequency in MHz, with the band plan's mode
    // first, while the radio is polled. Returns at once: the command runs in steps afterwards, and a
    // second one while it runs is turned away. Reports its own failures.
    virtual void ChangeFrequency(float qChangeFreq) { (void)qChangeFreq; }
    // RigControlfrm.ChangeMode: sets the radio's mode by name ("CW", "USB", ...), polled or not;
    // returns at once and reports its own failures. The frequency counts only without a mode name: the
    // band plan's mode for it.
    virtual void ChangeMode(float qChangeFrequency, const QString& ModeToChangeTo) {
        (void)qChangeFrequency, (void)ModeToChangeTo;
    }
    // Whether a frequency change is still on its way to the radio.
    virtual bool Tuning() const { return false; }
    // RigControlfrm.Command1_Click: opens the radio's port and starts polling. Any failure ends it
    // silently and the caller goes on.
    virtual void StartPolling() {}
};

// The installed link (Link<RadioLink>); the do-nothing one unless another is installed.
inline RadioLink& radioLink() { return Link<RadioLink>::get(); }

} // namespace tylog
