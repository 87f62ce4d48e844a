#pragma once
#include "platform/vb/ErrorGuard.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>

namespace tylog::vb {

class Form;

// The kinds the form-scaling walk tells apart.
enum class Kind { Label, TextBox, CommandButton, ListBox, CheckBox, OptionButton, Frame, ComboBox, ListView, Image, Line, PictureBox, Other };

// Base of every control: a Qt widget with geometry in twips (relative to its container), a font of its
// own in points, 24-bit BGR colours, and the events the windows' handlers are written against.
class Control : public QObject {
    Q_OBJECT
public:
    Control(Form& form, Kind kind, const QString& name, Control* container, int index);
    ~Control() override;

    Form& form() const { return form_; }
    Kind kind() const { return kind_; }
    QWidget* widget() const { return widget_; }
    // The widget that holds child controls (a frame's box, else the form's client area).
    virtual QWidget* childParent() const { return widget_; }
    Control* container() const { return container_; }
    QString Name;
    int Index; // index in its control array, -1 when alone

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { left_ = v; applyGeometry(); }
    void setTop(double v) { top_ = v; applyGeometry(); }
    void setWidth(double v) { width_ = v; applyGeometry(); }
    void setHeight(double v) { height_ = v; applyGeometry(); }
    void Move(double left, double top, double width, double height);

    bool Visible() const { return visible_; }
    void setVisible(bool v);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    QString FontName() const { return fontName_; }
    void setFontName(const QString& face);
    bool FontBold() const { return fontBold_; }
    void setFontBold(bool bold);
    // A caption is shown whole: where it does not fit the box at the font's size, it is drawn in the
    // largest size below that which fits (FontSize keeps the size set). On for every kind with a
    // caption; a label that lists more than its box can hold turns it off and is cut instead.
    bool ShrinkToFit() const { return shrinkToFit_; }
    void setShrinkToFit(bool on);
    // The point size the widget draws in: FontSize, or less where the caption needs it.
    double ShownFontSize() const;
    // A caption and the part of the widget it is drawn in (pixels), with the flags it is laid out by
    // (as QFontMetricsF::boundingRect takes them).
    struct CaptionBox {
        QString text;
        QRectF area;
        int flags = 0;
    };
    long BackColor() const { return backColor_; }
    void setBackColor(long bgr);
    long ForeColor() const { return foreColor_; }
    void setForeColor(long bgr);
    QString ToolTipText() const { return toolTip_; }
    void setToolTipText(const QString& t);
    // Until a window sets it: kDefaultTabIndexBase plus the number of controls the form made before this one.
    int TabIndex() const { return tabIndex_; }
    void setTabIndex(int i);
    static constexpr int kDefaultTabIndexBase = 1000;
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool b);
    QString Tag;

    void SetFocus();
    bool HasFocus() const;
    // Stacking among the controls of its container: 0 in front of them, 1 behind them.
    void ZOrder(int position = 0);

    std::function<void()> Click, DblClick, Change, GotFocus, LostFocus;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int& KeyCode, int Shift)> KeyDown, KeyUp;
    std::function<void(int Button, int Shift, double X, double Y)> MouseDown, MouseMove, MouseUp;

    // Raises the click as a user's click would (tests and code that "presses" a control).
    void RaiseClick();

protected:
    void attach(QWidget* w);
    virtual void applyGeometry();
    virtual void applyColors();
    void applyFont();
    // The caption this kind shows and where; false for kinds without one.
    virtual bool captionBox(CaptionBox* box) const;
    // The control's own font at a size.
    QFont fontAt(double points) const;
    // Draws the caption at the font's size or, when it does not fit its box, at the largest that fits:
    // run after every change of the caption, the font or the box's size.
    void fitCaption();
    void fitNow();
    // A key the handlers kept: text boxes insert the character themselves; true when consumed.
    virtual bool deliverChar(int keyAscii, QKeyEvent* e);
    // The same for a key that gives no character (Shift+Insert, arrows); false lets the widget have it.
    virtual bool deliverKey(QKeyEvent* e);
    // Whether a mouse release raises Click (controls whose widget has no click signal of its own).
    virtual bool clickOnRelease() const { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool routeKeyPress(QKeyEvent* e);
    // Runs one of this control's handlers through the layer's error guard (ErrorGuard.h); false when
    // it ended with an error.
    template <class F>
    bool runHandler(const char* event, F&& handler);

    Form& form_;
    Kind kind_;
    Control* container_;
    QPointer<QWidget> widget_;
    double left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    bool visible_ = true, enabled_ = true;
    double fontSize_ = 8.25;
    QString fontName_;
    bool fontBold_ = false;
    bool shrinkToFit_ = true;
    // What the last fit was worked out for, so that moving the box or setting the same caption again
    // costs nothing.
    struct FitKey {
        QString text;
        QSizeF area;
        double size = 0;
        QString face;
        bool bold = false;
        bool operator==(const FitKey&) const = default;
    } fitKey_;
    double shownSize_ = 0;
    bool fontApplied_ = false; // the widget holds the face and weight set last
    bool fitPending_ = false;  // set while hidden: fitted when shown
    long backColor_ = -1, foreColor_ = -1; // -1: the widget's own colours
    QString toolTip_;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    bool dblClicked_ = false; // the release that ends a double click raises no second Click

    friend class Form;
};

template <class F>
bool Control::runHandler(const char* event, F&& handler) {
    return RunHandler(this, event, std::forward<F>(handler));
}

} // namespace tylog::vb
