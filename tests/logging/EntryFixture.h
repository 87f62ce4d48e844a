#pragma once
// A shown out-of-state window with the Time On clock running, for typing into the entry line.
#include "tests/logging/OutfrmFixture.h"

namespace tylog::testing {

class EntryTest : public OutfrmFixture {
protected:
    // Opens the window on the log given, with the Time On clock running and the focus in the call box.
    OutfrmWindow& open(const QByteArray& log = QByteArray()) {
        OutfrmWindow& w = OutfrmFixture::open(log);
        w.cmdLogOn_Click();
        return w;
    }

    static QString focusName(OutfrmWindow& w) { return w.ActiveControl() ? w.ActiveControl()->Name : QString(); }
};

} // namespace tylog::testing
