// The radio engine's commands: frequency and mode changes as steps on the command timer, so that no
// caller waits for the radio's pauses or for the port to drain.
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "rig/RadioEngine.h"
#include "rig/RigCommands.h"
#include "rig/RigSettings.h"

#include <algorithm>

namespace tylog {

namespace {
const char* const kPegasus = "Ten Tec Pegasus";
const char* const kFrequencyError = "Error Changing Frequency";
const char* const kModeError = "Error Changing Mode";
// The longest a command waits for the port to send what it holds.
constexpr std::uint32_t kDrainLimitMs = 2000;
// How often a drain looks at the output buffer.
constexpr std::uint32_t kDrainCheckMs = 10;

// Failures come long after the click that caused them: told without holding the logging window.
void tell(const QString& text, const char* title) {
    qCWarning(lcRig).noquote() << title << "-" << text;
    platform().dialogs->Notice(text, title);
}
} // namespace

void RadioEngine::ChangeFrequency(float mhz) {
    // Not polling, or a change already on its way (the poll is stopped for it): turned away.
    if (!tmrGetData.Enabled() || tuning_) return;
    const QString type = Station.RigType;
    const RigSettingsData& s = RigSettings;
    tmrGetData.setEnabled(false);
    QByteArray command;
    try {
        if (type != kPegasus) comComm1->Input(); // what the radio said before the command is stale
        RigReplyBuffer.clear();
        command = FrequencyCommand(type, mhz, s.RigFrequencyQuery, Decoded.RigVfo);
    } catch (const VbError& e) {
        RigReplyBuffer.clear();
        tell(e.Description, kFrequencyError); // the poll stays stopped until the operator tests again
        return;
    }
    tuning_ = true;
    const bool idle = steps_.empty();
    queueMode(mhz, QString());
    steps_.push_back({CommandStep::Drain});
    const FrequencyPauses pause = FrequencyCommandPauses(type);
    if (type == kPegasus) {
        const QByteArray file = PegasusInFile(mhz, Decoded.RigModeText);
        if (!file.isEmpty()) {
            steps_.push_back({CommandStep::Pause, pause.first});
            steps_.push_back({CommandStep::WritePegasus, 0, file});
        }
    } else if (!command.isEmpty()) {
        steps_.push_back({CommandStep::Pause, pause.first});
        steps_.push_back({CommandStep::Pause, pause.second});
        steps_.push_back({CommandStep::Write, 0, command});
    } else {
        qCDebug(lcRig) << "no frequency command for" << type << mhz;
    }
    steps_.push_back({CommandStep::Drain});
    steps_.push_back({CommandStep::ResumePoll});
    if (idle) runSteps();
}

void RadioEngine::ChangeMode(float mhz, const QString& mode) {
    const bool idle = steps_.empty();
    queueMode(mhz, mode);
    if (idle && !steps_.empty()) runSteps();
}

void RadioEngine::queueMode(float mhz, QString mode) {
    const QString type = Station.RigType;
    if (!RigTypeWantsLink(type)) return;
    if (mode.isEmpty()) mode = BandPlanModeFor(mhz, BandPlanExtra);
    if (mode.isEmpty()) {
        steps_.push_back({CommandStep::Drain});
        return;
    }
    // Every step carries the mode, so that a port lost during any of them is told as this command's.
    QByteArray command;
    try {
        command = ModeCommand(type, mode, RigSettings.RigFrequencyQuery, RigSettings.RigModeQuery);
    } catch (const VbError& e) {
        tell(e.Description + " " + mode, kModeError);
        return;
    }
    steps_.push_back({CommandStep::Drain, 0, {}, mode});
    steps_.push_back({CommandStep::Pause, ModeCommandPauseMs, {}, mode});
    // A mode without a code for the type writes nothing, and tells nothing.
    if (!command.isEmpty()) steps_.push_back({CommandStep::Write, 0, command, mode});
    steps_.push_back({CommandStep::Drain, 0, {}, mode});
    steps_.push_back({CommandStep::ModeEnd, 0, {}, mode});
}

void RadioEngine::SendRaw(const QByteArray& bytes) {
    try {
        comComm1->Output(bytes);
    } catch (const VbError& e) {
        qCDebug(lcRig) << "raw command not sent:" << e.Description;
    }
}

bool RadioEngine::drainDone() {
    const std::uint32_t elapsed = platform().clock->TimeGetTime() - drainStart_; // across the tick's wrap
    if (elapsed >= kDrainLimitMs) return true;
    try {
        return comComm1->OutBufferCount() == 0;
    } catch (const VbError& e) {
        qCDebug(lcRig) << "drain:" << e.Description; // a port that fails ends the wait; the write tells
        return true;
    }
}

// Runs the steps in order until one has to wait; the command timer brings it back.
void RadioEngine::runSteps() {
    while (!steps_.empty()) {
        const CommandStep step = steps_.front();
        switch (step.kind) {
        case CommandStep::Drain:
            if (!draining_) {
                draining_ = true;
                drainStart_ = platform().clock->TimeGetTime();
            }
            if (!drainDone()) {
                const std::uint32_t elapsed = platform().clock->TimeGetTime() - drainStart_;
                tmrCommand.Start(static_cast<int>(std::min(kDrainCheckMs, kDrainLimitMs - elapsed)));
                return;
            }
            draining_ = false;
            steps_.pop_front();
            break;
        case CommandStep::Pause:
            steps_.pop_front();
            if (step.ms > 0) {
                tmrCommand.Start(step.ms);
                return;
            }
            break;
        case CommandStep::Write:
            steps_.pop_front();
            writeStep(step);
            break;
        case CommandStep::WritePegasus:
            steps_.pop_front();
            try {
                WriteFileAtomic(FindNoCase(PegasusFolder(), "PEGASUS.IN"), step.bytes);
            } catch (const VbError& e) {
                qCDebug(lcRig) << "PEGASUS.IN not written:" << e.Description; // the Pegasus program's side
            }
            break;
        case CommandStep::ModeEnd:
            steps_.pop_front();
            break;
        case CommandStep::ResumePoll:
            steps_.pop_front();
            tuning_ = false;
            tmrGetData.setEnabled(true);
            break;
        }
    }
}

void RadioEngine::writeStep(const CommandStep& step) {
    try {
        comComm1->Output(step.bytes);
        return;
    } catch (const VbError& e) {
        if (!comComm1->PortOpen() && Station.RigType != kPegasus && tuning_) {
            commandPortLost(e.Description);
        } else if (!step.mode.isEmpty()) {
            // The mode is skipped; a frequency change that asked for it goes on.
            tell(e.Description + " " + step.mode, kModeError);
            while (!steps_.empty() && steps_.front().kind != CommandStep::ModeEnd) steps_.pop_front();
        } else {
            tell(e.Description, kFrequencyError);
            while (!steps_.empty() && steps_.front().kind != CommandStep::ResumePoll) steps_.pop_front();
            if (!steps_.empty()) steps_.pop_front();
            tuning_ = false;
        }
    }
}

// The port went away in the middle of a command: the rest is dropped, told once, and the poll stays
// stopped.
void RadioEngine::commandPortLost(const QString& why) {
    const bool frequency = tuning_;
    QString mode;
    for (const CommandStep& s : steps_)
        if (!s.mode.isEmpty()) {
            mode = s.mode;
            break;
        }
    dropCommand();
    if (frequency || mode.isEmpty()) tell(why, kFrequencyError);
    else tell(why + " " + mode, kModeError);
    portLost(why);
}

void RadioEngine::dropCommand() {
    steps_.clear();
    tmrCommand.Stop();
    draining_ = false;
    tuning_ = false;
}

} // namespace tylog
