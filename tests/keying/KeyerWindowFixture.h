#pragma once
// A keyer setup window over a scratch program folder, with a box typed into and left, and a click
// where the operator clicks.
#include "core/ProcessState.h"
#include "platform/vb/Controls.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace tylog::testing {

class KeyerWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }

    // Types into a box as the operator does and leaves it with Tab.
    static void TypeAndLeave(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        box.lineEdit()->selectAll();
        QTest::keyClick(box.widget(), Qt::Key_Backspace);
        QTest::keyClicks(box.widget(), text);
        QTest::keyClick(box.widget(), Qt::Key_Tab);
    }
    // Near the left edge, where option buttons and check boxes take a click.
    static void Click(vb::Control& c) {
        QTest::mouseClick(c.widget(), Qt::LeftButton, {}, QPoint(6, c.widget()->height() / 2));
    }

    ScratchFolder dir;
};

} // namespace tylog::testing
