#pragma once
// The voice navigation window: spoken names of the entry fields for operators who cannot see the
// screen, and the choice of how many fields speak (VoiceNavLevel).
#include "keying/MediaControl.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <cstdint>

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

    MediaControl MMControl1;

    // The longest a caller waits for a prompt to end: a prompt is a word or two, and the window
    // serves no event while it waits.
    static constexpr std::uint32_t MaxPromptWaitMs = 3000;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // Plays the prompt q (ProgramFolder/q.wav), cutting the one before; a prompt that cannot be played
    // is silent. Returns at once.
    void BlindKeyPhone(const QString& q);
    // Waits, serving no window event, until the prompt that plays has ended or MaxPromptWaitMs passed.
    void WaitForPrompt();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

private:
    void layOut();
};

inline BlindFrmWindow& BlindFrm() { return vb::Instance<BlindFrmWindow>(); }

} // namespace tylog
