#pragma once
// A shown out-of-state window over a scratch program folder, and keys typed into whatever box has the
// focus, as a keyboard types them.
#include "app/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tylog::testing {

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.BackupFolder = folder.file("data/BACKUP");
        QDir().mkpath(Folders.BackupFolder);
        Station.OwnCall = "W9XYZ";
        Station.OwnSpc = "IL";
        Station.CurrentMode = "PH";
        Station.CurrentBand = "20";
        Station.FormSizePercent = 100;
        Station.UtcOffsetHours = 5;
        Station.OutOfStateFlag = 1;
        Station.HostState = "TY";
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2)), 5);
    }

    // One log.txt line.
    static QByteArray Contact(const QString& call, const QString& county, const QString& band = "20",
                              const QString& mode = "PH", const QString& time = "14:01:02", const QString& serial = "5") {
        ContactRecord r;
        r.Call = call;
        r.County = county;
        r.Band = band;
        r.Mode = mode;
        r.Date = "2013/09/15";
        r.Time = time;
        r.SerialRcvd = serial;
        r.SerialSent = "001";
        return LogLine(r);
    }

    // Opens the window on the log given, with the Time On clock running and the focus in the call box.
    OutfrmWindow& open(const QByteArray& log = QByteArray()) {
        folder.write("log.txt", log);
        Fakes().dialogs.AnswerMsgBox(vbYes);
        OutfrmWindow& w = Outfrm();
        ShowActive(w);
        w.cmdLogOn_Click();
        return w;
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    static QString focusName(OutfrmWindow& w) { return w.ActiveControl() ? w.ActiveControl()->Name : QString(); }

    // Types text key by key into the focused box; "\r" is Enter, "\b" Backspace, "\x1b" Esc.
    static void keys(const QString& text) {
        for (QChar c : text) {
            QWidget* target = focused();
            ASSERT_NE(target, nullptr);
            switch (c.unicode()) {
            case '\r': QTest::keyClick(target, Qt::Key_Return); break;
            case '\b': QTest::keyClick(target, Qt::Key_Backspace); break;
            case 0x1b: QTest::keyClick(target, Qt::Key_Escape); break;
            default: QTest::keyClick(target, c.toLatin1()); break;
            }
        }
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focused(), k, m); }

    // The prompts played so far, by name.
    static QStringList played() {
        QStringList names;
        for (const QString& p : Fakes().sound.played) names << QFileInfo(p).completeBaseName();
        return names;
    }

    ScratchFolder folder;
};

} // namespace tylog::testing
