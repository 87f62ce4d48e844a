#pragma once
// What the logging windows need of the radio window, behind one link so that they can be built before
// it exists. The radio window installs its own link when it lands; until then tuning does nothing,
// as it does without an open radio interface.
#include "core/Link.h"

namespace tylog {

class RadioLink {
public:
    virtual ~RadioLink() = default;
    // RigControlfrm.ChangeFrequency: tunes the radio to a frequency in MHz. Reports its own failures.
    virtual void ChangeFrequency(float qChangeFreq) { (void)qChangeFreq; }
    // RigControlfrm.Command1_Click: opens the radio's port and starts polling. Any failure ends it
    // silently and the caller goes on.
    virtual void StartPolling() {}
};

// The installed link (Link<RadioLink>); the do-nothing one unless another is installed.
inline RadioLink& radioLink() { return Link<RadioLink>::get(); }

} // namespace tylog
