#pragma once
// Expecting an error to escape a handler to the control layer's guard.
#include "platform/Dialogs.h"
#include "platform/testing/Fakes.h"
#include "platform/vb/ErrorGuard.h"

#include <QList>
#include <utility>
#include <gtest/gtest.h>

namespace tylog::testing {

// While it lives, exactly one error must escape a handler (else the test fails when it ends), with the
// given description when one is given. The guard's message box for it is answered: queue the answers of
// dialogs that come before the error first. Outside such a scope an escaped error fails the test.
class ExpectEscapedError {
public:
    explicit ExpectEscapedError(QString description = QString())
        : description_(std::move(description)),
          saved_(vb::SetEscapedErrorHook([this](const vb::EscapedError& e) {
              errors << e;
              boxAt_ = Fakes().dialogs.shown.size(); // the guard's box comes next
          })) {
        Fakes().dialogs.AnswerMsgBox(vbOK);
    }
    ~ExpectEscapedError() {
        vb::SetEscapedErrorHook(saved_);
        EXPECT_EQ(errors.size(), 1) << "errors that escaped a handler";
        if (errors.size() != 1) return;
        if (!description_.isNull()) {
            EXPECT_EQ(errors[0].description.toStdString(), description_.toStdString());
        }
        const auto& shown = Fakes().dialogs.shown;
        EXPECT_GT(shown.size(), boxAt_) << "the guard's message box";
        if (shown.size() <= boxAt_) return;
        EXPECT_EQ(shown[boxAt_].prompt.toStdString(), errors[0].description.toStdString());
        EXPECT_EQ(shown[boxAt_].title.toStdString(), AppTitle);
    }
    ExpectEscapedError(const ExpectEscapedError&) = delete;
    ExpectEscapedError& operator=(const ExpectEscapedError&) = delete;

    QList<vb::EscapedError> errors;

private:
    QString description_;
    qsizetype boxAt_ = 0;
    vb::EscapedErrorHook saved_;
};

} // namespace tylog::testing
