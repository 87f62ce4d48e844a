#pragma once
// What the fuzz targets share: the fake platform, a scratch program folder, a checked property that
// ends the run when it fails, and the splitting of one input into pieces.
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tylog::fuzz {

// Once per process: the fakes (dialogs answered as Cancel would answer them, a program end that
// only counts), and a scratch program folder in memory where the machine has one. Then, per input,
// the dialogs shown are forgotten.
void Begin();
QString Scratch();
void WriteFile(const QString& name, const QByteArray& bytes);
QByteArray ReadFile(const QString& name);

// The input cut at each 0x1F byte into at most `parts` pieces (the last takes the rest); pieces the
// input does not hold are empty.
QList<QByteArray> Split(const std::uint8_t* data, std::size_t size, int parts);

[[noreturn]] void Fail(const char* what, const char* file, int line);

} // namespace tylog::fuzz

#define FUZZ_CHECK(cond)                                                                                          \
    do {                                                                                                          \
        if (!(cond)) ::tylog::fuzz::Fail(#cond, __FILE__, __LINE__);                                              \
    } while (0)
