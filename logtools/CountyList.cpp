#include "logtools/CountyList.h"
#include "logstore/CountyTable.h"
#include "logtools/DialogScaling.h"
#include "platform/Platform.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

namespace tylog {

frmCountyListWindow::frmCountyListWindow() : vb::Form("frmCountyList") {
    vb::ApplyDesign(*this, {.Caption = "County List", .ClientWidth = 3150, .ClientHeight = 6105, .BorderStyle = 3},
                    {
                        // control  caption  left  top   width height tab
                        {ListView1, {}, 120, 120, 2915, 5895, 0},
                    });
    ListView1.Click = [this] { ListView1_Click(); };
}

void frmCountyListWindow::Form_Load() {
    DialogScaling(*this, DialogPlacement::High);
    // The columns take the screen's width share; the scaling leaves them alone.
    const double width = 1300 * platform().screen->Width() / DesignScreenWidth;
    ListView1.AddColumn("County", width);
    ListView1.AddColumn("Abbreviation", width);
    QList<QStringList> rows;
    for (int i = 1; i <= static_cast<int>(CountyTable.Count); ++i)
        rows.append({CountyTable.Name[static_cast<size_t>(i)], CountyTable.Abbrev[static_cast<size_t>(i)]});
    ListView1.SetItems(rows);
}

// A click where no row is chosen (an empty table) leaves the county box alone and the list open.
void frmCountyListWindow::ListView1_Click() {
    const int row = ListView1.SelectedRow();
    if (row < 0) return;
    if (onCountyPicked) onCountyPicked(ListView1.ItemText(row, 0));
    Hide();
}

} // namespace tylog
