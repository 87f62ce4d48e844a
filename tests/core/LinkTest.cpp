// Installable links: T's own default until one is installed, and one reset for all of them.
#include "app/ProcessReset.h"
#include "core/Link.h"
#include "keying/KeyerActions.h"
#include "rig/RadioLink.h"
#include "spotting/SpottingLink.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

struct Greeter {
    virtual ~Greeter() = default;
    virtual int Hello() const { return 0; }
};
struct Loud : Greeter {
    int Hello() const override { return 1; }
};
struct Counter {
    int count = 0;
};

TEST(Link, GivesItsDefaultUntilOneIsInstalledAndAfterwards) {
    EXPECT_EQ(Link<Greeter>::get().Hello(), 0);
    Loud loud;
    Link<Greeter>::install(&loud);
    EXPECT_EQ(&Link<Greeter>::get(), &loud);
    EXPECT_EQ(Link<Greeter>::get().Hello(), 1);
    Link<Greeter>::install(nullptr);
    EXPECT_EQ(Link<Greeter>::get().Hello(), 0);
}

TEST(Link, OneResetPutsEveryDefaultBack) {
    Loud loud;
    Counter counter;
    Link<Greeter>::install(&loud);
    Link<Counter>::install(&counter);
    ResetLinks();
    EXPECT_NE(&Link<Greeter>::get(), &loud);
    EXPECT_NE(&Link<Counter>::get(), &counter);
}

TEST(Link, TheProcessResetPutsTheProgramsLinksBack) {
    RadioLink radio;
    SpottingLink spotting;
    KeyerActions keyers;
    Link<RadioLink>::install(&radio);
    Link<SpottingLink>::install(&spotting);
    Link<KeyerActions>::install(&keyers);
    ResetProcessState();
    EXPECT_NE(&radioLink(), &radio);
    EXPECT_NE(&spottingLink(), &spotting);
    EXPECT_NE(&Keyers(), &keyers);
}

} // namespace
