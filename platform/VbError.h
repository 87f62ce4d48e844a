#pragma once
#include <QString>
#include <stdexcept>

namespace tylog {

// The one error type of the program. Procedures throw it where the behaviour they model raises an
// error to the caller, and catch it where that behaviour traps its own errors.
class VbError : public std::runtime_error {
public:
    enum Code {
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        BadFileName = 52,
        FileNotFound = 53,
        DiskFull = 61,
        InputPastEnd = 62,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
        DeviceIO = 57,
    };

    VbError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), Number(number), Description(description) {}

    int Number;
    QString Description;
};

} // namespace tylog
