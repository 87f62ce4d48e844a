#pragma once
// The help viewer: ReadSQSO.txt from the program folder in a scrolling text box. The logging
// windows show it modally and unload it when it is hidden again.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class Form5Window : public vb::Form {
public:
    Form5Window();
    vb::TextBox Text1{*this, "Text1", nullptr, -1, /*multiLine*/ true};
    vb::CommandButton Command1{*this, "Command1"};

    void Form_Load() override;
    void Command1_Click();
};

inline Form5Window& Form5() { return vb::Instance<Form5Window>(); }

} // namespace tylog
