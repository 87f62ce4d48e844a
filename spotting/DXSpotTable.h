#pragma once
// The 50 newest DX spots of the run, shared by the logging window's spot area and the spectrum map.
// Only the logging window's spot intake adds spots; a click on a band-map label removes one by
// setting its frequency to 0.
#include <QDateTime>
#include <QString>
#include <array>

namespace tylog {

struct DXSpotTableData {
    static constexpr int Slots = 52;  // 0..51; 50 and 51 are never written
    static constexpr int Newest = 49; // the newest spot; slot 0 holds the oldest
    std::array<QString, Slots> Call;   // the spotted call
    std::array<float, Slots> Freq{};   // MHz; 0 marks an empty or removed slot
    std::array<QDateTime, Slots> Time; // local arrival time
    std::array<QString, Slots> Prefix; // band-map label text: SpotLabelPrefix(Call)
};

inline DXSpotTableData DXSpotTable;

// The short band-map label of a call: up to its last digit ("Q1ABC" -> "Q1"); with a slash in its
// first half the part before it; with a later slash the suffix (at most as many characters as the
// call's last digit position), a numeric suffix replacing the call area ("Q1ABC/4" -> "Q4"). Calls
// shorter than 3 characters give "".
QString SpotLabelPrefix(const QString& call);

// Puts a spot into the newest slot after moving every other spot down one slot (the oldest drops
// out), then removes the station's previous spot: the newest of slots 48 down to 1 with the same
// call, letter case ignored, gets frequency 0. Slot 0 is left alone; it drops out with the next spot.
void StoreSpot(DXSpotTableData& table, const QString& call, float mhz, const QDateTime& received);

} // namespace tylog
