#include "rig/RadioLink.h"

namespace tylog {

namespace {
RadioLink& idleLink() {
    static RadioLink link;
    return link;
}
RadioLink* installed = nullptr;
} // namespace

RadioLink& radioLink() { return installed ? *installed : idleLink(); }
void InstallRadioLink(RadioLink* link) { installed = link; }

} // namespace tylog
