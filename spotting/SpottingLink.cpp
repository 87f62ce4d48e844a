#include "spotting/SpottingLink.h"

namespace tylog {

namespace {
SpottingLink& idleLink() {
    static SpottingLink link;
    return link;
}
SpottingLink* installed = nullptr;
} // namespace

SpottingLink& spottingLink() { return installed ? *installed : idleLink(); }
void InstallSpottingLink(SpottingLink* link) { installed = link; }

} // namespace tylog
