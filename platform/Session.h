#pragma once
#include <QString>
#include <functional>

namespace tylog {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString GetText() = 0;
    virtual void SetText(const QString& text) = 0;
    virtual void Clear() = 0;
};

class QtClipboard : public Clipboard {
public:
    QString GetText() override;
    void SetText(const QString& text) override;
    void Clear() override;
};

// The end of the program (the statement that stops the run at once, no window unloaded).
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void End() = 0;
};

class ProcessEnd : public ProgramEnd {
public:
    [[noreturn]] void End() override;
};

// Ends the run, after UnkeyEverything(). Under a test's fake it returns, so callers return right after it.
void End();

// ---- Unkeying at the end of the run --------------------------------------------------------------
// An engine that keys a transmitter (a CW line, push-to-talk) registers the step that releases it.
// Every way the run ends runs all registered steps first: End(), the application quitting, and
// SIGTERM or SIGINT (OrderlyQuit). The registration is dropped with the handle, so an engine that
// goes away takes its step with it.
class UnkeyRegistration {
public:
    UnkeyRegistration() = default;
    UnkeyRegistration(UnkeyRegistration&& other) noexcept;
    UnkeyRegistration& operator=(UnkeyRegistration&& other) noexcept;
    ~UnkeyRegistration();
    void Reset(); // unregisters now
    bool Registered() const { return id_ != 0; }

private:
    friend UnkeyRegistration RegisterUnkey(std::function<void()> step);
    explicit UnkeyRegistration(int id) : id_(id) {}
    int id_ = 0;
};

[[nodiscard]] UnkeyRegistration RegisterUnkey(std::function<void()> step);
// Runs every registered step, in the order registered. A step that throws does not keep the others
// from running; a step that ends the run again (End inside a step) does not start another round.
void UnkeyEverything();
// How many times UnkeyEverything has run in this process (for the fake end's record).
int UnkeyRuns();

// Turns the ends that do not pass through End() into orderly ones while it lives: when the
// application is about to quit the unkey steps run, and SIGTERM or SIGINT runs them and quits the
// application (the signal only wakes the event loop, which does the work). The real platform keeps
// one for the whole run; the previous signal handlers come back when it goes.
class OrderlyQuit {
public:
    OrderlyQuit();
    ~OrderlyQuit();
    OrderlyQuit(const OrderlyQuit&) = delete;
    OrderlyQuit& operator=(const OrderlyQuit&) = delete;

private:
    struct Impl;
    Impl* impl_;
};

} // namespace tylog
