#pragma once
// The Morse practice window "On the Air Code Practice": random groups, text pasted or typed into "Text
// to Send", sent one character at a time through the CW buffer and its loop with whatever keying is
// set, and a keyboard box whose keys go out at once. It keys nothing itself: each character goes into
// Keyer.CWBuffer, and the next one follows when the keyer reports this one done (keyed, or handed to
// the external keyer) or its run ended.
#include "platform/EngineTimer.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Design.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <vector>

namespace tylog {

class frmCodePracticeWindow : public vb::Form {
public:
    frmCodePracticeWindow();

    vb::Label lblInstructions{*this, "lblInstructions"};
    vb::Label lblGenerate{*this, "lblGenerate"};
    vb::TextBox Text3{*this, "Text3"};
    vb::Label lblGroupsOf{*this, "lblGroupsOf"};
    vb::TextBox Text4{*this, "Text4"};
    vb::Label lblCharsEach{*this, "lblCharsEach"};
    vb::Frame Frame1{*this, "Frame1"};
    vb::OptionButton Option1{*this, "Option1", &Frame1};
    vb::OptionButton Option2{*this, "Option2", &Frame1};
    vb::CommandButton Command2{*this, "Command2"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label lblToSend{*this, "lblToSend"};
    vb::TextBox Text1{*this, "Text1", nullptr, -1, /*multiLine*/ true};
    vb::CommandButton Command6{*this, "Command6"};
    vb::Label lblSent{*this, "lblSent"};
    vb::TextBox Text2{*this, "Text2", nullptr, -1, /*multiLine*/ true};
    vb::CommandButton Command5{*this, "Command5"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::CommandButton Command4{*this, "Command4"};
    vb::CommandButton Command7{*this, "Command7"};
    vb::CommandButton Command8{*this, "Command8"};
    vb::Label Label8{*this, "Label8"};
    vb::Label lblWPM{*this, "lblWPM"};
    vb::Label lblType{*this, "lblType"};
    vb::TextBox Text5{*this, "Text5"};

    // The text Send works through; Stop and the close empty it.
    QString PracticeSendText;

    static vb::FormDesign Design();
    std::vector<vb::ControlDesign> DesignTable();

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    void Command2_Click(); // Generate
    void Command1_Click(); // Paste
    void Command3_Click(); // Send
    void Command4_Click(); // Stop
    void Command7_Click(); // Faster
    void Command8_Click(); // Slower
    void Text5_KeyPress(int& KeyAscii);

    bool Sending() const { return sendPos_ > 0; }

private:
    void wireEvents();
    void sendStep();
    void characterDone();

    EngineTimer next_{QStringLiteral("frmCodePractice.next")};
    int sendPos_ = 0;      // the character of PracticeSendText being sent (1 on); 0 when not sending
    bool waiting_ = false; // its keyer has not reported it done yet
};

inline frmCodePracticeWindow& frmCodePractice() { return vb::Instance<frmCodePracticeWindow>(); }

} // namespace tylog
