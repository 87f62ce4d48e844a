#include "logtools/CountyMapData.h"
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

namespace tylog {

std::vector<CountyHotSpot> ReadCountyHotSpots(const QByteArray& bytes) {
    std::vector<CountyHotSpot> spots;
    ValueReader r = ValueReader::FromBytes(bytes);
    while (!r.AtEnd()) {
        CountyHotSpot s;
        s.Name = r.ReadText();
        s.Left = r.ReadLong();
        s.Top = r.ReadLong();
        s.Width = r.ReadLong();
        s.Height = r.ReadLong();
        spots.push_back(std::move(s));
    }
    return spots;
}

std::vector<CountyHotSpot> LoadCountyHotSpots() {
    return ReadCountyHotSpots(ReadAllBytes(FindNoCase(Folders.ProgramFolder, CountyMapTableFile)));
}

QString CountyMapPicturePath() { return FindNoCase(Folders.ProgramFolder, CountyMapPictureFile); }

} // namespace tylog
