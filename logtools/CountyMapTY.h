#pragma once
// The county map: the host state's counties in black and white, each worked county painted in a
// colour of its own once the window is up. The logging windows show it modally, hand it their worked
// counties, and unload it when it is closed. The picture and the hot-spot table are CountyMapData's.
#include "logtools/CountyMapData.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"
#include "platform/vb/PictureBox.h"

#include <QStringList>
#include <functional>
#include <random>
#include <vector>

namespace tylog {

class CountyMapTYWindow : public vb::Form {
public:
    CountyMapTYWindow();

    vb::PictureBox Picture1{*this, "Picture1"};
    vb::Label Label1{*this, "Label1", &Picture1};
    // One invisible label per hot spot of the table, index for index with HotSpots; the county's
    // name is its tool tip.
    vb::ControlArray<vb::Label> lblCounty;
    vb::Timer Timer1{*this, "Timer1", 1};

    void Form_Load() override;
    void Timer1_Timer();
    void ColorWorkedCounties();

    // The worked counties in the order of the logging window's list; its caller sets them.
    QStringList WorkedCounties;
    // The hot spots read from the table; none when it is missing or does not read.
    std::vector<CountyHotSpot> HotSpots;
    // The colour of the next county painted (BGR): a fresh random draw, unless a test puts its own.
    std::function<long()> CountyColor;

private:
    long randomColor();
    std::mt19937 random_;
};

inline CountyMapTYWindow& CountyMapTY() { return vb::Instance<CountyMapTYWindow>(); }

inline const char* const CountyMapCaption = " Tessaly County Map";
inline const char* const CountyMapHint = "Counties will change color when worked.";

} // namespace tylog
