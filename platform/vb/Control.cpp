#include "platform/vb/Control.h"
#include "platform/Platform.h"
#include "platform/vb/Color.h"
#include "platform/vb/Form.h"
#include "platform/vb/Keys.h"
#include "platform/vb/TextWidth.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tylog::vb {

Control::Control(Form& form, Kind kind, const QString& name, Control* container, int index)
    : Name(name), Index(index), form_(form), kind_(kind), container_(container) {
    setObjectName(name);
    // A control the window gives no TabIndex follows every index the window sets, in the order the
    // controls were made; a tie at 0 would let it cut into the window's own typing order.
    tabIndex_ = kDefaultTabIndexBase + form_.registerControl(this);
}

Control::~Control() {
    form_.forgetControl(this);
    // The widget's last events (its focus going) must not reach a half-destroyed control.
    if (widget_) widget_->removeEventFilter(this);
    delete widget_.data();
}

void Control::attach(QWidget* w) {
    widget_ = w;
    w->setObjectName(Name);
    w->setParent(container_ ? container_->childParent() : form_.client());
    w->installEventFilter(this);
    // MouseMove runs for a pointer moving over the control without a button held, too (hover texts).
    w->setMouseTracking(true);
    // A control takes the window's face as it stands when the control is made, as one placed on a
    // window at design time does; a twin's own controls thus share the face its base table set.
    if (fontName_.isEmpty()) fontName_ = form_.FontName();
    applyFont();
    applyGeometry();
    w->show();
}

void Control::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void Control::applyGeometry() {
    if (!widget_) return;
    Screen& s = *platform().screen;
    const double tx = s.TwipsPerPixelX(), ty = s.TwipsPerPixelY();
    widget_->setGeometry(static_cast<int>(std::lround(left_ / tx)), static_cast<int>(std::lround(top_ / ty)),
                         std::max(0, static_cast<int>(std::lround(width_ / tx))),
                         std::max(0, static_cast<int>(std::lround(height_ / ty))));
    fitCaption();
}

void Control::setVisible(bool v) {
    visible_ = v;
    if (widget_) widget_->setVisible(v);
}

void Control::setEnabled(bool v) {
    enabled_ = v;
    if (widget_) widget_->setEnabled(v);
}

QFont Control::fontAt(double points) const {
    QFont f(fontName_);
    f.setPointSizeF(points);
    f.setBold(fontBold_);
    return f;
}

void Control::applyFont() {
    fontApplied_ = false;
    fitKey_ = {};
    fitCaption();
}

namespace {

// A caption as its one line shows it (a mnemonic's "&" takes no room).
QString shownLine(const Control::CaptionBox& box) {
    QString text = box.text;
    if (box.flags & Qt::TextShowMnemonic) text.replace(QLatin1String("&&"), QStringLiteral("\x1f")).remove('&').replace('\x1f', '&');
    return text;
}

// Whether the caption, drawn in font f, lies whole inside its area; *line takes its one line's width
// and height when it does not.
bool captionFits(const QFont& f, const QWidget* w, const Control::CaptionBox& box, QSizeF* line = nullptr) {
    const QFontMetricsF fm(f, const_cast<QWidget*>(w));
    const QSizeF area = box.area.size();
    const bool oneLine = !box.text.contains('\n');
    const QString shown = shownLine(box);
    // A wrapped caption goes on to a second line where its last glyph's ink would pass the line's end,
    // not only its advance: room for the face's farthest overhang keeps it on one.
    const qreal overhang = (box.flags & Qt::TextWordWrap) ? std::max<qreal>(0, -fm.minRightBearing()) : 0;
    // Most captions are one line that fits by their characters' advances: no shaping, no layout.
    if (oneLine && fm.height() <= area.height() && FitsByBound(fm, shown, area.width() - overhang)) return true;
    const QSizeF one(fm.horizontalAdvance(shown), fm.height());
    if (line) *line = one;
    if (oneLine && one.width() + overhang <= area.width() && one.height() <= area.height()) return true;
    if (!(box.flags & Qt::TextWordWrap) && oneLine) return false;
    const QRectF laid = fm.boundingRect(QRectF(0, 0, area.width(), 1e6), box.flags, box.text);
    return laid.width() <= area.width() && laid.height() <= area.height();
}

// The largest size up to `size` at which the caption fits, on a grid of quarter points (the sizes
// controls then share make their font engines once); the smallest size when none does.
double fittingSize(QFont f, double size, const QWidget* w, const Control::CaptionBox& box) {
    QSizeF line;
    if (captionFits(f, w, box, &line)) return size;
    constexpr double kStep = 0.25, kSmallest = 1.0;
    const auto fitsAt = [&](double points) {
        f.setPointSizeF(points);
        return captionFits(f, w, box);
    };
    const double below = std::floor((size - kStep / 2) / kStep) * kStep; // the grid's size under `size`
    if (below < kSmallest) return kSmallest;
    if (!(box.flags & Qt::TextWordWrap)) {
        // One line grows about in step with the size: start from the share of the box it takes, step
        // down until it fits, then up while it still does.
        const QSizeF area = box.area.size();
        double guess = size * std::min(area.width() / std::max(line.width(), 1.0), area.height() / std::max(line.height(), 1.0));
        guess = std::clamp(std::floor(guess / kStep) * kStep, kSmallest, below);
        while (guess > kSmallest && !fitsAt(guess)) guess -= kStep;
        while (guess + kStep <= below && fitsAt(guess + kStep)) guess += kStep;
        return guess;
    }
    // Lines wrap differently at each size: halve the grid's range.
    int fits = static_cast<int>(kSmallest / kStep), over = static_cast<int>(below / kStep) + 1;
    while (over - fits > 1) {
        const int mid = (fits + over) / 2;
        (fitsAt(mid * kStep) ? fits : over) = mid;
    }
    return fits * kStep;
}

} // namespace

bool Control::captionBox(CaptionBox* box) const {
    (void)box;
    return false;
}

void Control::fitCaption() {
    if (!widget_) return;
    // A control not shown is fitted when it is shown: a window's design table and its scaling set a
    // control's caption, place and font several times over before it is seen, and hidden windows are
    // loaded at start-up. Until then it holds the font at its own size.
    if (!widget_->isVisible()) {
        fitPending_ = true;
        const double size = fontSize_ > 0 ? fontSize_ : 1.0;
        if (!fontApplied_ || shownSize_ != size) {
            shownSize_ = size;
            fontApplied_ = true;
            fitKey_ = {};
            widget_->setFont(fontAt(size));
        }
        return;
    }
    fitNow();
}

void Control::fitNow() {
    fitPending_ = false;
    if (!widget_) return;
    const double size = fontSize_ > 0 ? fontSize_ : 1.0; // a size of 0 or less cannot be shown: the smallest stands in
    double shown = size;
    CaptionBox box;
    if (shrinkToFit_ && captionBox(&box) && !box.text.isEmpty()) {
        FitKey key{box.text, box.area.size(), size, fontName_, fontBold_};
        if (fontApplied_ && key == fitKey_) return;
        shown = fittingSize(fontAt(size), size, widget_, box);
        fitKey_ = std::move(key);
    } else {
        fitKey_ = {};
    }
    if (fontApplied_ && shown == shownSize_) return;
    shownSize_ = shown;
    fontApplied_ = true;
    widget_->setFont(fontAt(shown));
}

void Control::setShrinkToFit(bool on) {
    shrinkToFit_ = on;
    fitKey_ = {};
    fitCaption();
}

double Control::ShownFontSize() const {
    if (fitPending_) const_cast<Control*>(this)->fitNow();
    return shownSize_;
}

void Control::setFontSize(double points) {
    fontSize_ = points;
    applyFont();
}

void Control::setFontName(const QString& face) {
    fontName_ = face;
    applyFont();
}

void Control::setFontBold(bool bold) {
    fontBold_ = bold;
    applyFont();
}

void Control::setBackColor(long bgr) {
    backColor_ = bgr;
    applyColors();
}

void Control::setForeColor(long bgr) {
    foreColor_ = bgr;
    applyColors();
}

void Control::applyColors() {
    if (!widget_) return;
    QPalette p = widget_->palette();
    if (backColor_ >= 0) {
        p.setColor(QPalette::Window, ToQColor(backColor_));
        p.setColor(QPalette::Base, ToQColor(backColor_));
        p.setColor(QPalette::Button, ToQColor(backColor_));
    }
    if (foreColor_ >= 0) {
        p.setColor(QPalette::WindowText, ToQColor(foreColor_));
        p.setColor(QPalette::Text, ToQColor(foreColor_));
        p.setColor(QPalette::ButtonText, ToQColor(foreColor_));
    }
    widget_->setPalette(p);
}

void Control::setToolTipText(const QString& t) {
    toolTip_ = t;
    if (widget_) widget_->setToolTip(t);
}

void Control::setTabIndex(int i) { tabIndex_ = i; }

void Control::setTabStop(bool b) {
    tabStop_ = b;
    if (widget_ && widget_->focusPolicy() != Qt::NoFocus)
        widget_->setFocusPolicy(b ? Qt::StrongFocus : Qt::ClickFocus);
}

void Control::SetFocus() {
    if (!widget_ || !widget_->isEnabled()) return;
    widget_->setFocus(Qt::OtherFocusReason);
    // A window that is not active gets no focus events from Qt; the control still becomes the one
    // that has the focus.
    if (!form_.isActiveWindow()) form_.focusIn(this);
}

bool Control::HasFocus() const { return form_.ActiveControl() == this; }

void Control::ZOrder(int position) {
    if (!widget_) return;
    if (position == 0) widget_->raise();
    else widget_->lower();
}

bool Control::deliverChar(int keyAscii, QKeyEvent* e) {
    (void)keyAscii;
    (void)e;
    return false;
}

bool Control::deliverKey(QKeyEvent* e) {
    (void)e;
    return false;
}

void Control::RaiseClick() {
    if (Click) runHandler("Click", Click);
}

bool Control::routeKeyPress(QKeyEvent* e) {
    // A handler that fails stops the key, as a code set to 0 would: it never got to decide.
    int code = KeyCodeOf(e);
    const int shift = ShiftOf(e->modifiers());
    if (code != 0) {
        if (form_.KeyPreview && !RunHandler(&form_, "Form_KeyDown", [&] { form_.Form_KeyDown(code, shift); }))
            return true;
        if (code != 0 && KeyDown && !runHandler("KeyDown", [&] { KeyDown(code, shift); })) return true;
        if (code == 0) return true;
    }
    int ascii = KeyAsciiOf(e);
    if (ascii < 0) return deliverKey(e);
    if (form_.KeyPreview && !RunHandler(&form_, "Form_KeyPress", [&] { form_.Form_KeyPress(ascii); })) return true;
    if (ascii != 0 && KeyPress && !runHandler("KeyPress", [&] { KeyPress(ascii); })) return true;
    if (ascii == 0) return true;
    return deliverChar(ascii, e);
}

namespace {
int buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}
} // namespace

bool Control::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        if (watched == widget_ && fitPending_) fitNow();
        return false;
    case QEvent::KeyPress:
        return routeKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        int code = KeyCodeOf(e);
        const int shift = ShiftOf(e->modifiers());
        if (code == 0) return false;
        if (form_.KeyPreview && !RunHandler(&form_, "Form_KeyUp", [&] { form_.Form_KeyUp(code, shift); })) return true;
        if (code != 0 && KeyUp && !runHandler("KeyUp", [&] { KeyUp(code, shift); })) return true;
        return code == 0;
    }
    case QEvent::FocusIn: {
        const auto r = static_cast<QFocusEvent*>(event)->reason();
        if (r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason) form_.focusIn(this);
        return false;
    }
    case QEvent::FocusOut: {
        const auto r = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the window, or opening a menu, keeps the focus where it was.
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason)
            form_.focusOut(this);
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        Screen& s = *platform().screen;
        if (MouseDown)
            runHandler("MouseDown", [&] {
                MouseDown(buttonOf(e->button()), ShiftOf(e->modifiers()), e->position().x() * s.TwipsPerPixelX(),
                          e->position().y() * s.TwipsPerPixelY());
            });
        return false;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        Screen& s = *platform().screen;
        if (MouseMove)
            runHandler("MouseMove", [&] {
                MouseMove(ButtonsOf(e->buttons()), ShiftOf(e->modifiers()), e->position().x() * s.TwipsPerPixelX(),
                          e->position().y() * s.TwipsPerPixelY());
            });
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        Screen& s = *platform().screen;
        QPointer<Control> self(this);
        if (MouseUp)
            runHandler("MouseUp", [&] {
                MouseUp(buttonOf(e->button()), ShiftOf(e->modifiers()), e->position().x() * s.TwipsPerPixelX(),
                        e->position().y() * s.TwipsPerPixelY());
            });
        if (!self) return true;
        const bool afterDblClick = std::exchange(dblClicked_, false);
        // Inside the widget that reported the release (a list's viewport, a picture's drawing area).
        auto* w = qobject_cast<QWidget*>(watched);
        if (clickOnRelease() && !afterDblClick && e->button() == Qt::LeftButton && widget_ &&
            (w ? w : widget_.data())->rect().contains(e->position().toPoint()))
            RaiseClick();
        return false;
    }
    case QEvent::MouseButtonDblClick:
        dblClicked_ = true;
        if (DblClick) runHandler("DblClick", DblClick);
        return false;
    default:
        return false;
    }
}

} // namespace tylog::vb
