// Every caption of every window, whole at the screen sizes operators have: for each window and each
// size, each label's, button's, option's and check box's text (the hidden ones' too, once shown)
// fits the part of its box it is drawn in, by the metrics of the font the widget draws it in.
#include "app/LogoWindow.h"
#include "app/StationSetupWindow.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/CodePractice.h"
#include "keying/PhoneFrm.h"
#include "keying/WinKeySetup.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "logtools/ColorChooser.h"
#include "logtools/CountyChange.h"
#include "logtools/CountyList.h"
#include "logtools/CountyMapTY.h"
#include "logtools/DECabrilloIn.h"
#include "logtools/DEEditInfrm.h"
#include "logtools/DEEditOut.h"
#include "logtools/GraphQSO.h"
#include "logtools/HelpWindow.h"
#include "platform/vb/Controls.h"
#include "rig/BandPlanChart.h"
#include "rig/FrequencyTest.h"
#include "rig/RigControlfrm.h"
#include "rig/RigTune.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

#include <functional>

namespace tylog::testing {

namespace {

struct ScreenSize {
    int width, height;     // pixels, at 15 twips each
    int taskbar = 0;       // pixels of the screen's height the taskbar takes
    const char* name;
};

const ScreenSize kSizes[] = {
    {1024, 768, 0, "1024x768"},
    {1280, 1024, 0, "1280x1024"},
    {1366, 768, 0, "1366x768"},
    {1366, 768, 40, "1366x768 less a taskbar"},
    {1920, 1080, 0, "1920x1080"},
};

// What of a caption does not show: "" when the whole text lies inside the area it is drawn in.
QString Overflow(const vb::Control& c) {
    QWidget* w = c.widget();
    QString text;
    QRectF area;
    int flags = 0;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        text = l->text();
        area = l->contentsRect();
        flags = l->wordWrap() ? Qt::TextWordWrap : 0;
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        text = b->text();
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = text;
        const QStyle::SubElement element = c.kind() == vb::Kind::CommandButton  ? QStyle::SE_PushButtonContents
                                           : c.kind() == vb::Kind::OptionButton ? QStyle::SE_RadioButtonContents
                                                                                : QStyle::SE_CheckBoxContents;
        area = b->style()->subElementRect(element, &opt, b);
        flags = Qt::TextShowMnemonic;
    } else {
        return {};
    }
    if (text.isEmpty()) return {};
    const QFontMetricsF fm(w->font(), w);
    const QRectF needed = fm.boundingRect(QRectF(0, 0, area.width(), 1e6), flags, text);
    if (needed.width() <= area.width() && needed.height() <= area.height()) return {};
    return QString("%1%2 \"%3\": needs %4 x %5 px, has %6 x %7")
        .arg(c.Name, c.Index >= 0 ? QString("(%1)").arg(c.Index) : QString(), text)
        .arg(needed.width(), 0, 'f', 1)
        .arg(needed.height(), 0, 'f', 1)
        .arg(area.width())
        .arg(area.height());
}

// Each window as the program opens it; the logging windows also as they stand with the clock running.
struct WindowCase {
    const char* name;
    std::function<vb::Form&()> open;
};

vb::Form& OpenLoggingWindow(LoggingWindow& w) {
    ShowActive(w);
    tylog::Run.TimeOnRunning = false;
    w.cmdLogOn.RaiseClick(); // the longer caption, `Log "Time Off"`
    EXPECT_EQ(w.cmdLogOn.Caption(), TimeOffCaption);
    return w;
}

const WindowCase kWindows[] = {
    {"logo", [] () -> vb::Form& { return frmQ7BZWLogo(); }},
    {"station setup", [] () -> vb::Form& { return frmStationID(); }},
    {"out-of-state logging", [] () -> vb::Form& {
         Station.OutOfStateFlag = 1;
         Fakes().dialogs.AnswerMsgBox(vbYes);
         return OpenLoggingWindow(Outfrm());
     }},
    {"in-state logging", [] () -> vb::Form& {
         Station.OutOfStateFlag = 0;
         Fakes().dialogs.AnswerMsgBox(vbYes);
         return OpenLoggingWindow(Infrm());
     }},
    {"out-of-state editor", [] () -> vb::Form& { return DEEditOut(); }},
    {"in-state editor", [] () -> vb::Form& { return DEEditInfrm(); }},
    {"submission", [] () -> vb::Form& { return DECabrilloIn(); }},
    {"county change", [] () -> vb::Form& { return frmCountyChange(); }},
    {"rover counties", [] () -> vb::Form& { return frmCountyChangeRover(); }},
    {"county list", [] () -> vb::Form& { return frmCountyList(); }},
    {"county map", [] () -> vb::Form& { return CountyMapTY(); }},
    {"rate graph", [] () -> vb::Form& { return GraphQSO(); }},
    {"help", [] () -> vb::Form& { return Form5(); }},
    {"colours", [] () -> vb::Form& { return Form6(); }},
    {"CW keyer", [] () -> vb::Form& { return CWFrm(); }},
    {"voice keyer", [] () -> vb::Form& { return PhoneFrm(); }},
    {"voice navigation", [] () -> vb::Form& { return BlindFrm(); }},
    {"external keyer", [] () -> vb::Form& { return frmWinKey(); }},
    {"code practice", [] () -> vb::Form& { return frmCodePractice(); }},
    {"radio", [] () -> vb::Form& { return RigControlfrm(); }},
    {"frequency test", [] () -> vb::Form& { return frmFrequencyTest(); }},
    {"tuning keypad", [] () -> vb::Form& { return frmRigTune(); }},
    {"band privileges", [] () -> vb::Form& { return frmBandPlan(); }},
    {"spotting", [] () -> vb::Form& { return PacketSpotfrm(); }},
    {"spectrum map", [] () -> vb::Form& { return SpectrumMap(); }},
};

class CaptionFitTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"TYCounty.txt", "arrlpre2.txt", "states.txt", "TYCountyMap.txt", "TYCountyMap.bmp",
                                 "QSOpref.txt", "CW.txt", "wave2.txt", "BandPlan.txt"})
            folder.copyShipped(name);
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.BackupFolder = folder.file("data/BACKUP");
        Folders.SharedFolder = folder.file("shared");
        for (const QString& f : {Folders.BackupFolder, Folders.SharedFolder}) QDir().mkpath(f);
        Station.OwnCall = "W9XYZ";
        Station.OwnSpc = "IL";
        Station.HostState = "TY";
        Station.CurrentCounty = "Larkmoor";
        Station.CurrentMode = "PH";
        Station.CurrentBand = "20";
        Station.FormSizePercent = 100;
        // The shipped settings' offset, so the setup window's check of it asks nothing.
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2)), 0);
        LoadCounties();
        LoadPrefixTable();
        LoadStateCoords();
        // Enough contacts for the rate graph; the editors open the first.
        ContactRecord r;
        r.Call = "K1ABC";
        r.County = "Larkmoor";
        r.Spc = "TY";
        r.SentCounty = "Larkmoor";
        r.Band = "20";
        r.Mode = "PH";
        r.Date = "2013/09/15";
        r.Time = "14:01:02";
        r.SerialRcvd = "5";
        r.SerialSent = "001";
        QByteArray log;
        for (int i = 1; i <= 8; ++i) {
            r.Call = QString("K%1ABC").arg(i);
            r.Time = QString("14:%1:02").arg(i * 5, 2, 10, QChar('0'));
            ContactLog.Rec[static_cast<size_t>(i)] = r;
            log += LogLine(r);
        }
        ContactLog.Count = 8;
        folder.write("log.txt", log);
        tylog::Run.EditIndex = 1;
    }

    ScratchFolder folder;
};

TEST_F(CaptionFitTest, EveryCaptionOfEveryWindowIsWholeAtEveryScreenSize) {
    for (const ScreenSize& size : kSizes) {
        for (const WindowCase& window : kWindows) {
            SCOPED_TRACE(std::string(window.name) + " at " + size.name);
            Fakes().screen.width = size.width * 15.0;
            Fakes().screen.height = size.height * 15.0;
            Fakes().screen.workArea = QRectF(0, 0, size.width * 15.0, (size.height - size.taskbar) * 15.0);
            Station.TaskbarOption = size.taskbar > 0 ? 1 : 0;
            vb::Form& form = window.open();
            // As the operator sees it: the window shown, and each control it hides until it shows it.
            if (!form.isVisible()) ShowActive(form);
            // TYLOG_CAPTION_SHOTS=<folder> keeps pictures of each window at each size, to look at: as it
            // opens, and with every control shown.
            const QString shots = qEnvironmentVariable("TYLOG_CAPTION_SHOTS");
            if (!shots.isEmpty()) form.grab().save(QString("%1/%2 %3.png").arg(shots, window.name, size.name));
            for (vb::Control* c : form.Controls())
                if (!c->Visible()) c->setVisible(true);
            QStringList cut;
            for (const vb::Control* c : form.Controls())
                if (const QString o = Overflow(*c); !o.isEmpty()) cut << o;
            EXPECT_EQ(cut, QStringList());
            if (!shots.isEmpty())
                form.grab().save(QString("%1/%2 %3 every control shown.png").arg(shots, window.name, size.name));
            vb::DiscardAllForms();
        }
    }
}

} // namespace

} // namespace tylog::testing
