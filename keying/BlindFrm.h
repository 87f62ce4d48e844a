#pragma once
// The voice navigation window: spoken names of the entry fields for operators who cannot see the
// screen, and the choice of how many fields speak (VoiceNavLevel).
#include "keying/PromptPlayer.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class BlindFrmWindow : public vb::Form {
public:
    BlindFrmWindow();

    vb::Label lblChoose{*this, "lblChoose"};
    vb::Frame Frame1{*this, "Frame1"};
    vb::OptionButton Option1{*this, "Option1", &Frame1};
    vb::OptionButton Option2{*this, "Option2", &Frame1};
    vb::OptionButton Option3{*this, "Option3", &Frame1};
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label lblEnable{*this, "lblEnable"};
    vb::Label Label7{*this, "Label7"};
    vb::Label lblFiles{*this, "lblFiles"};
    vb::Label lblHow{*this, "lblHow"};
    vb::Label lblIdeas{*this, "lblIdeas"};

    // The window's player.
    PromptPlayer MMControl1;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // Plays the prompt q (ProgramFolder/q.wav), cutting the one before, or after a prompt that is heard
    // out; a prompt that cannot be played is silent. Returns at once.
    void BlindKeyPhone(const QString& q);
    // The prompt asked for last is heard to its end before the next prompt plays (PromptPlayer.h). Nothing
    // waits meanwhile: the window and the keys go on.
    void HearPromptOut();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

private:
    void layOut();
};

inline BlindFrmWindow& BlindFrm() { return vb::Instance<BlindFrmWindow>(); }

} // namespace tylog
