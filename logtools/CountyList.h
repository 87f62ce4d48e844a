#pragma once
// The county list window: every county of the host state with its abbreviation. A click on a row
// hands the county's name to the window that opened it (onCountyPicked, which writes it into its
// county box) and hides the list. The caller shows it modally and unloads it when it is hidden or
// closed, so each opening is filled afresh from CountyTable.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <functional>

namespace tylog {

class frmCountyListWindow : public vb::Form {
public:
    frmCountyListWindow();

    vb::ListView ListView1{*this, "ListView1"};

    void Form_Load() override;
    void ListView1_Click();

    // Takes the county name of the row clicked.
    std::function<void(const QString& county)> onCountyPicked;
};

inline frmCountyListWindow& frmCountyList() { return vb::Instance<frmCountyListWindow>(); }

} // namespace tylog
