#pragma once
// A strict reader of ADIF as an importing program reads it: the header runs to the first data
// specifier, which must be <EOH>; then fields "<name:length[:type]>value" (the value is exactly length
// bytes) up to each <eor>. For the tests and the fuzz target of the export.
#include <QByteArray>
#include <QList>

#include <cctype>

namespace tylog::testing {

struct AdifField {
    QByteArray name; // upper case
    QByteArray value;
};

struct AdifRead {
    bool ok = false;
    QByteArray header;
    QList<QList<AdifField>> records;
};

inline AdifRead ReadAdif(const QByteArray& bytes) {
    AdifRead out;
    qsizetype p = 0;
    bool inHeader = !bytes.startsWith('<');
    QList<AdifField> record;
    while (true) {
        const qsizetype lt = bytes.indexOf('<', p);
        if (lt < 0) break;
        if (inHeader) out.header = bytes.left(lt);
        const qsizetype gt = bytes.indexOf('>', lt);
        if (gt < 0) return out;
        const QByteArray spec = bytes.mid(lt + 1, gt - lt - 1);
        const QList<QByteArray> parts = spec.split(':');
        const QByteArray name = parts[0].toUpper();
        p = gt + 1;
        if (inHeader) {
            if (name != "EOH" || parts.size() != 1) return out; // the header holds no field
            inHeader = false;
            continue;
        }
        if (name == "EOR" && parts.size() == 1) {
            out.records.append(record);
            record.clear();
            continue;
        }
        if (name.isEmpty() || name == "EOH" || parts.size() < 2 || parts.size() > 3 || parts[1].isEmpty()) return out;
        for (char c : parts[1])
            if (!std::isdigit(static_cast<unsigned char>(c))) return out;
        bool ok = false;
        const qsizetype length = parts[1].toLongLong(&ok);
        if (!ok || p + length > bytes.size()) return out;
        record.append({name, bytes.mid(p, length)});
        p += length;
    }
    out.ok = !inHeader && record.isEmpty();
    return out;
}

} // namespace tylog::testing
