#pragma once
// The county map's shipped data: the map picture and its table of hot spots, one per county or
// independent city. Both sit in the program folder; tools/make_county_map.py draws them.
#include <QByteArray>
#include <QPointF>
#include <QString>
#include <vector>

namespace tylog {

inline const QString CountyMapPictureFile = QStringLiteral("TYCountyMap.bmp");
inline const QString CountyMapTableFile = QStringLiteral("TYCountyMap.txt");

// One hot spot, in whole pixels of the map picture.
struct CountyHotSpot {
    QString Name; // spelled as in CountyTable.Name
    int Left = 0, Top = 0, Width = 0, Height = 0;
    // Where the county's fill starts: left + width / 2, top + height / 2, fraction kept.
    QPointF Centre() const { return {Left + Width / 2.0, Top + Height / 2.0}; }
    bool operator==(const CountyHotSpot&) const = default;
};

// The hot spots of a table, in file order. The table holds, per line, the quoted name, then left,
// top, width and height. Throws VbError when the bytes do not read as such lines (InputPastEnd,
// TypeMismatch, Overflow).
std::vector<CountyHotSpot> ReadCountyHotSpots(const QByteArray& bytes);
// The table of the program folder, found without regard to case. Throws VbError.
std::vector<CountyHotSpot> LoadCountyHotSpots();
// The map picture of the program folder, found without regard to case.
QString CountyMapPicturePath();

} // namespace tylog
