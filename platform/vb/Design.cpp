#include "platform/vb/Design.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

#include <stdexcept>

namespace tylog::vb {

namespace {

QString nameOf(const Control& c) { return c.Index >= 0 ? QString("%1(%2)").arg(c.Name).arg(c.Index) : c.Name; }

// The caption a control shows (a text box's or combo box's text); false for kinds that have none.
bool captionOf(const Control& c, QString* caption) {
    switch (c.kind()) {
    case Kind::Label: *caption = static_cast<const Label&>(c).Caption(); return true;
    case Kind::CommandButton: *caption = static_cast<const CommandButton&>(c).Caption(); return true;
    case Kind::OptionButton: *caption = static_cast<const OptionButton&>(c).Caption(); return true;
    case Kind::CheckBox: *caption = static_cast<const CheckBox&>(c).Caption(); return true;
    case Kind::Frame: *caption = static_cast<const Frame&>(c).Caption(); return true;
    case Kind::TextBox: *caption = static_cast<const TextBox&>(c).Text(); return true;
    case Kind::ComboBox: *caption = static_cast<const ComboBox&>(c).Text(); return true;
    default: return false;
    }
}

void setCaptionOf(Control& c, const QString& caption) {
    switch (c.kind()) {
    case Kind::Label: static_cast<Label&>(c).setCaption(caption); return;
    case Kind::CommandButton: static_cast<CommandButton&>(c).setCaption(caption); return;
    case Kind::OptionButton: static_cast<OptionButton&>(c).setCaption(caption); return;
    case Kind::CheckBox: static_cast<CheckBox&>(c).setCaption(caption); return;
    case Kind::Frame: static_cast<Frame&>(c).setCaption(caption); return;
    case Kind::TextBox: static_cast<TextBox&>(c).setText(caption); return;
    case Kind::ComboBox: static_cast<ComboBox&>(c).setText(caption); return;
    default: throw std::invalid_argument(("A design caption for " + nameOf(c) + ", which has none").toStdString());
    }
}

// The four geometry values: left, top, width and height, or a line's ends.
struct Geometry {
    double values[4];
};

Geometry geometryOf(const Control& c) {
    if (c.kind() == Kind::Line) {
        const auto& l = static_cast<const Line&>(c);
        return {{l.X1(), l.Y1(), l.X2(), l.Y2()}};
    }
    return {{c.Left(), c.Top(), c.Width(), c.Height()}};
}

void applyGeometry(Control& c, const ControlDesign& row) {
    const std::optional<double> given[4] = {row.Left, row.Top, row.Width, row.Height};
    if (!given[0] && !given[1] && !given[2] && !given[3]) return;
    Geometry g = geometryOf(c);
    for (int i = 0; i < 4; ++i)
        if (given[i]) g.values[i] = *given[i];
    if (c.kind() == Kind::Line) static_cast<Line&>(c).SetPoints(g.values[0], g.values[1], g.values[2], g.values[3]);
    else c.Move(g.values[0], g.values[1], g.values[2], g.values[3]);
}

void applyRow(const ControlDesign& row) {
    Control& c = row.control;
    if (row.Caption) setCaptionOf(c, *row.Caption);
    applyGeometry(c, row);
    if (row.TabIndex) c.setTabIndex(*row.TabIndex);
    const ControlLook& look = row.Look;
    if (look.FontName) c.setFontName(*look.FontName);
    if (look.FontSize) c.setFontSize(*look.FontSize);
    if (look.FontBold) c.setFontBold(*look.FontBold);
    if (look.ForeColor) c.setForeColor(*look.ForeColor);
    if (look.BackColor) c.setBackColor(*look.BackColor);
    if (look.ToolTipText) c.setToolTipText(*look.ToolTipText);
    if (look.Visible) c.setVisible(*look.Visible);
}

QString text(const QString& v) { return '"' + v + '"'; }
QString text(bool v) { return v ? "True" : "False"; }
QString text(double v) { return QString::number(v, 'g', 15); }
QString text(long v) { return QString::number(v); }
QString text(int v) { return QString::number(v); }

// Adds a line when a stated value differs from the one held.
template <class T>
void compare(QStringList& out, const QString& what, const std::optional<T>& design, const T& held) {
    if (design && *design != held) out << QString("%1: %2, design %3").arg(what, text(held), text(*design));
}

} // namespace

void ApplyDesign(Form& form, const FormDesign& design, const std::vector<ControlDesign>& controls) {
    if (design.Caption) form.setCaption(*design.Caption);
    if (design.BorderStyle) form.setBorderStyle(*design.BorderStyle);
    if (design.FontSize) form.setFontSize(*design.FontSize);
    if (design.FontName) {
        form.setFontName(*design.FontName);
        for (Control* c : form.Controls()) c->setFontName(*design.FontName);
    }
    if (design.BackColor) form.setBackColor(*design.BackColor);
    if (design.Width || design.Height || design.ClientWidth || design.ClientHeight) {
        double width = design.Width.value_or(form.Width()), height = design.Height.value_or(form.Height());
        if (design.ClientWidth) width = *design.ClientWidth + form.NonClientWidth();
        if (design.ClientHeight) height = *design.ClientHeight + form.NonClientHeight();
        form.Move(0, 0, width, height);
    }

    bool tabIndexes = false;
    for (const ControlDesign& row : controls) {
        applyRow(row);
        tabIndexes = tabIndexes || row.TabIndex.has_value();
    }
    if (tabIndexes) form.ApplyTabOrder();
}

QStringList DesignDifferences(const Form& form, const FormDesign& design, const std::vector<ControlDesign>& controls) {
    QStringList out;
    const QString f = form.Name;
    compare(out, f + ".Caption", design.Caption, form.Caption());
    compare(out, f + ".BorderStyle", design.BorderStyle, form.BorderStyle());
    compare(out, f + ".FontName", design.FontName, form.FontName());
    compare(out, f + ".FontSize", design.FontSize, form.FontSize());
    compare(out, f + ".BackColor", design.BackColor, form.BackColor());
    compare(out, f + ".Width", design.Width, form.Width());
    compare(out, f + ".Height", design.Height, form.Height());
    compare(out, f + ".ClientWidth", design.ClientWidth, form.ScaleWidth());
    compare(out, f + ".ClientHeight", design.ClientHeight, form.ScaleHeight());

    // The window's face, on every control whose row names no other.
    if (design.FontName) {
        for (const Control* c : form.Controls()) {
            bool ownFace = false;
            for (const ControlDesign& row : controls) ownFace = ownFace || (&row.control == c && row.Look.FontName);
            if (!ownFace) compare(out, nameOf(*c) + ".FontName", design.FontName, c->FontName());
        }
    }

    for (const ControlDesign& row : controls) {
        const Control& c = row.control;
        const QString n = nameOf(c);
        if (row.Caption) {
            QString caption;
            captionOf(c, &caption);
            compare(out, n + ".Caption", row.Caption, caption);
        }
        const Geometry g = geometryOf(c);
        const bool line = c.kind() == Kind::Line;
        compare(out, n + (line ? ".X1" : ".Left"), row.Left, g.values[0]);
        compare(out, n + (line ? ".Y1" : ".Top"), row.Top, g.values[1]);
        compare(out, n + (line ? ".X2" : ".Width"), row.Width, g.values[2]);
        compare(out, n + (line ? ".Y2" : ".Height"), row.Height, g.values[3]);
        compare(out, n + ".TabIndex", row.TabIndex, c.TabIndex());
        const ControlLook& look = row.Look;
        compare(out, n + ".FontName", look.FontName, c.FontName());
        compare(out, n + ".FontSize", look.FontSize, c.FontSize());
        compare(out, n + ".FontBold", look.FontBold, c.FontBold());
        compare(out, n + ".Visible", look.Visible, c.Visible());
        compare(out, n + ".ForeColor", look.ForeColor, c.ForeColor());
        compare(out, n + ".BackColor", look.BackColor, c.BackColor());
        compare(out, n + ".ToolTipText", look.ToolTipText, c.ToolTipText());
    }
    return out;
}

} // namespace tylog::vb
