#pragma once
// The summary sheet: what the Cabrillo header needs beyond the log (category, power, licence class,
// club, operators, the submitter's name and address, soapbox) and the two bonuses worked out from the
// log. "Write Cabrillo File" writes the submission file; "Done" hides the sheet and the logging window
// that opened it unloads it. The logging window hands over what the file needs of it (LoggingTotals).
#include "logtools/Cabrillo.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <cstdint>

namespace tylog {

// What the sheet reads of the logging window that opened it.
struct CabrilloLoggingTotals {
    CabrilloWindow Window = CabrilloWindow::OutOfState;
    QString ScoreText;             // the total-score label as shown
    int WorkedCountyCount = 0;     // entries of the worked-counties list
    int DXCount = 0;               // entries of the worked-DX list (in-state)
    std::int32_t MultiplierCount = 0; // states and provinces (in-state)
};

class DECabrilloInWindow : public vb::Form {
public:
    DECabrilloInWindow();

    vb::Frame Frame1{*this, "Frame1"}; // "Entry Category"
    vb::ControlArray<vb::OptionButton> OptClass;
    vb::Frame Frame2{*this, "Frame2"}; // "Power"
    vb::OptionButton Option4{*this, "Option4", &Frame2}; // High
    vb::OptionButton Option3{*this, "Option3", &Frame2}; // Low
    vb::OptionButton Option1{*this, "Option1", &Frame2}; // QRP
    vb::Label Label5{*this, "Label5"};
    vb::TextBox txtClass{*this, "txtClass"};
    vb::Label Label3{*this, "Label3"};
    vb::TextBox txtQ8BNS{*this, "txtQ8BNS"};
    vb::Label Label4{*this, "Label4"};
    vb::TextBox txtCountyBonus{*this, "txtCountyBonus"};
    vb::Label Label6{*this, "Label6"};
    vb::TextBox Text5{*this, "Text5"}; // name
    vb::Label Label9{*this, "Label9"};
    vb::TextBox Text6{*this, "Text6"}; // address line 1
    vb::Label Label8{*this, "Label8"};
    vb::TextBox Text7{*this, "Text7"}; // address line 2
    vb::Label Label7{*this, "Label7"};
    vb::TextBox Text8{*this, "Text8"}; // e-mail
    vb::Label Label2{*this, "Label2"};
    vb::TextBox Text2{*this, "Text2"}; // club
    vb::Label Label1{*this, "Label1"};
    vb::TextBox Text1{*this, "Text1"}; // operators
    vb::Label Label12{*this, "Label12"};
    vb::TextBox Text11{*this, "Text11"}; // soapbox
    vb::CommandButton Command4{*this, "Command4"}; // Write Cabrillo File
    vb::CommandButton Command3{*this, "Command3"}; // Done
    vb::Line Line1{*this, "Line1"};
    vb::Line Line2{*this, "Line2"};
    vb::Line Line3{*this, "Line3"};
    vb::Line Line4{*this, "Line4"};

    // Set by the logging window before it shows the sheet.
    CabrilloLoggingTotals Totals;

    void Form_Load() override;
    void Command4_Click();
    void Command3_Click();
    void Text1_KeyPress(int& KeyAscii);
    void txtClass_KeyPress(int& KeyAscii);

    // Asks for the target, writes the file, confirms, and remembers the submitter's values.
    void WriteCabrilloLog();

private:
    void CountBonuses();
    // The header values as the sheet holds them now.
    CabrilloSheet sheetValues() const;
};

inline DECabrilloInWindow& DECabrilloIn() { return vb::Instance<DECabrilloInWindow>(); }

} // namespace tylog
