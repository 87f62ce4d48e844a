#pragma once
// Readable QStrings in GoogleTest's failure messages, for headers that more than one fixture shares.
#include <QString>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
