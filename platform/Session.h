#pragma once
#include <QString>

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

// Ends the run. Under a test's fake it returns, so callers return right after it.
void End();

} // namespace tylog
