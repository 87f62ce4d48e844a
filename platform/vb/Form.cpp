#include "platform/vb/Form.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/vb/Color.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Forms.h"
#include "platform/vb/Keys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace tylog::vb {

namespace {
// Border and caption of a bordered window, in twips (4 pixels of border, 22 of caption at 15 twips).
constexpr double kBorderTwips = 60;
constexpr double kCaptionTwips = 330;
} // namespace

Form::Form(const QString& name) : QWidget(nullptr), Name(name) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->installEventFilter(this);
    // A click on the window's background or a label leaves the focus where it was, in the entry box.
    client_->setFocusPolicy(Qt::NoFocus);
    client_->setMouseTracking(true); // Form_MouseMove runs without a button held
    fontName_ = QApplication::font().family();
    setFontSize(fontSize_);
    hide();
    applyGeometry();
}

Form::~Form() { detail::UntrackForm(this); }

int Form::pxX(double twips) const { return static_cast<int>(std::lround(twips / platform().screen->TwipsPerPixelX())); }
int Form::pxY(double twips) const { return static_cast<int>(std::lround(twips / platform().screen->TwipsPerPixelY())); }

QMenuBar* Form::menuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->installEventFilter(this); // its items change its height
        menuBar_->show(); // a child made on a shown window stays hidden otherwise
        applyGeometry();
    }
    return menuBar_;
}

double Form::NonClientWidth() const { return borderStyle_ == 0 ? 0 : 2 * kBorderTwips; }

double Form::NonClientHeight() const {
    double h = borderStyle_ == 0 ? 0 : 2 * kBorderTwips + kCaptionTwips;
    if (menuBar_) h += menuBar_->sizeHint().height() * platform().screen->TwipsPerPixelY();
    return h;
}

double Form::ScaleWidth() const { return std::max(0.0, width_ - NonClientWidth()); }
double Form::ScaleHeight() const { return std::max(0.0, height_ - NonClientHeight()); }

void Form::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

QSize Form::pixelSize() const {
    const int menuPx = menuBar_ ? menuBar_->sizeHint().height() : 0;
    return QSize(std::max(1, pxX(ScaleWidth())), std::max(1, pxY(ScaleHeight()) + menuPx));
}

void Form::applyGeometry() {
    applying_ = true;
    if (windowState_ == vbNormal) {
        resize(pixelSize());
        move(pxX(left_), pxY(top_));
    }
    layoutClient();
    applying_ = false;
}

void Form::layoutClient() {
    // The outer size stays; the menu bar takes its height from the inside.
    const int menuPx = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuPx);
    client_->setGeometry(0, menuPx, width(), std::max(0, height() - menuPx));
}

void Form::setCaption(const QString& c) {
    caption_ = c;
    setWindowTitle(c);
}

void Form::setFontSize(double points) {
    fontSize_ = points;
    QFont f(fontName_);
    f.setPointSizeF(points > 0 ? points : 1.0);
    // The form's own font is not handed down: each control owns its font.
    client_->setFont(f);
}

void Form::setFontName(const QString& face) {
    fontName_ = face;
    setFontSize(fontSize_);
}

void Form::setBackColor(long bgr) {
    backColor_ = bgr;
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(bgr));
    setPalette(p);
    setAutoFillBackground(true);
}

void Form::setBorderStyle(int style) {
    borderStyle_ = style;
    setWindowFlag(Qt::FramelessWindowHint, style == 0);
    if (style == 1 || style == 3) setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    applyGeometry();
}

void Form::setWindowState(int state) {
    windowState_ = state;
    if (state == vbMinimized) showMinimized();
    else if (state == vbMaximized) showMaximized();
    else if (isVisible()) showNormal();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    RunHandler(this, "Form_Load", [this] { Form_Load(); });
}

void Form::setVisible(bool v) {
    if (v && !loaded_) Load();
    if (v && unloaded_) return;
    QWidget::setVisible(v);
}

void Form::Show(int modal) {
    Load();
    if (unloaded_) return; // the load handler unloaded it again
    if (modal != vbModal) {
        setWindowModality(Qt::NonModal);
        show();
        bringToFront();
        focusFirstControl();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    bringToFront();
    focusFirstControl();
    QPointer<Form> self(this);
    ++modalDepth_;
    if (platform().clock->IsVirtual()) {
        if (platform().onModalShown) platform().onModalShown(*this);
        while (self && self->IsLoaded() && self->isVisible()) {
            QCoreApplication::processEvents();
            if (!self || !self->IsLoaded() || !self->isVisible()) break;
            if (!platform().clock->RunNextTimer()) {
                if (platform().reportScriptFault)
                    platform().reportScriptFault("modal window " + Name + " would wait for ever");
                self->Hide();
            }
        }
    } else {
        QEventLoop loop;
        connect(this, &Form::hiddenOrUnloaded, &loop, &QEventLoop::quit);
        if (isVisible() && IsLoaded()) loop.exec();
    }
    if (self) {
        --modalDepth_;
        self->setWindowModality(Qt::NonModal);
    }
}

void Form::focusFirstControl() {
    // A window that opens takes the focus to its first control in tab order, not to whatever Qt met first.
    if (focused_) return;
    Control* first = nullptr;
    for (Control* c : controls_) {
        QWidget* w = c->widget();
        if (!w || !c->TabStop() || !c->Visible() || !c->Enabled() || w->focusPolicy() == Qt::NoFocus ||
            !w->isVisibleTo(this))
            continue;
        if (!first || c->TabIndex() < first->TabIndex()) first = c;
    }
    if (first) first->SetFocus();
}

void Form::bringToFront() {
    // The headless platform cannot raise windows and says so on every call.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
}

void Form::Hide() {
    hide();
    emit hiddenOrUnloaded();
}

void Form::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    emit hiddenOrUnloaded();
}

void Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (applying_) return;
    // The user resized the window: take the new size as the form's. The size the form set itself
    // (arriving late, when the window is first shown) keeps its exact twips.
    const int menuPx = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (e->size() != pixelSize()) {
        width_ = e->size().width() * platform().screen->TwipsPerPixelX() + NonClientWidth();
        height_ = (e->size().height() - menuPx) * platform().screen->TwipsPerPixelY() + NonClientHeight();
    }
    layoutClient();
    if (loaded_ && !unloaded_) RunHandler(this, "Form_Resize", [this] { Form_Resize(); });
}

bool Form::event(QEvent* e) {
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && formKey(static_cast<QKeyEvent*>(e)))
        return true;
    if (e->type() == QEvent::WindowActivate && loaded_ && !unloaded_) {
        const bool r = QWidget::event(e);
        RunHandler(this, "Form_Activate", [this] { Form_Activate(); });
        return r;
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    // The close box: the form decides through QueryUnload and Unload.
    e->ignore();
    Unload(*this, vbFormControlMenu);
}

bool Form::formKey(QKeyEvent* e) {
    // Keys a control let through travel on to its parents: its handlers (and the form's, with
    // KeyPreview) have had them already.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != client_ && focus != this) return false;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;
    int code = KeyCodeOf(e);
    const int shift = ShiftOf(e->modifiers());
    if (e->type() == QEvent::KeyRelease) {
        if (code) RunHandler(this, "Form_KeyUp", [&] { Form_KeyUp(code, shift); });
        return true;
    }
    if (code) {
        // A failing KeyDown stops the key, as a code set to 0 would.
        if (!RunHandler(this, "Form_KeyDown", [&] { Form_KeyDown(code, shift); })) return true;
        if (code == 0) return true;
    }
    int ascii = KeyAsciiOf(e);
    if (ascii >= 0) RunHandler(this, "Form_KeyPress", [&] { Form_KeyPress(ascii); });
    return true;
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_) {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
            formKey(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::MouseButtonRelease) RunHandler(this, "Form_Click", [this] { Form_Click(); });
        // A move a control did not take reaches the client area too: only the bare background counts.
        if (event->type() == QEvent::MouseMove && !client_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            auto* e = static_cast<QMouseEvent*>(event);
            Screen& s = *platform().screen;
            RunHandler(this, "Form_MouseMove", [&] {
                Form_MouseMove(ButtonsOf(e->buttons()), ShiftOf(e->modifiers()), e->position().x() * s.TwipsPerPixelX(),
                               e->position().y() * s.TwipsPerPixelY());
            });
        }
    }
    if (watched == menuBar_ && (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved ||
                                event->type() == QEvent::ActionChanged))
        layoutClient();
    return QWidget::eventFilter(watched, event);
}

int Form::registerControl(Control* c) {
    controls_.push_back(c);
    return controlsMade_++;
}

void Form::forgetControl(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (focused_ == c) focused_ = nullptr;
}

void Form::focusIn(Control* c) {
    if (focused_ == c) return;
    if (focused_) {
        Control* old = focused_;
        focused_ = nullptr;
        if (old->LostFocus) old->runHandler("LostFocus", old->LostFocus);
    }
    focused_ = c;
    if (c->GotFocus) c->runHandler("GotFocus", c->GotFocus);
}

void Form::focusOut(Control* c) {
    if (focused_ != c) return;
    focused_ = nullptr;
    if (c->LostFocus) c->runHandler("LostFocus", c->LostFocus);
}

void Form::ApplyTabOrder() {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->widget() && c->widget()->focusPolicy() != Qt::NoFocus) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
}

void Form::SendTab(bool backwards) {
    auto isStop = [this](Control* c) {
        return c->widget() && c->TabStop() && c->Visible() && c->Enabled() && c->widget()->focusPolicy() != Qt::NoFocus &&
               c->widget()->isVisibleTo(this) && c->widget()->isEnabled();
    };
    // The tab stops in order, and the control that has the focus (a tab stop or not) among them.
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c == focused_ || isStop(c)) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    const size_t n = order.size();
    const auto it = std::find(order.begin(), order.end(), focused_);
    size_t i = it == order.end() ? (backwards ? n - 1 : 0) : static_cast<size_t>(it - order.begin());
    const size_t start = i;
    if (it != order.end() || (n > 0 && !isStop(order[i]))) {
        do i = backwards ? (i + n - 1) % n : (i + 1) % n;
        while (!isStop(order[i]) && i != start);
    }
    if (n == 0 || !isStop(order[i])) return;
    order[i]->SetFocus();
    if (focused_ != order[i]) focusIn(order[i]);
}

namespace detail {
std::vector<Form*>& tracked() {
    static std::vector<Form*> forms;
    return forms;
}
void TrackForm(Form* f) { tracked().push_back(f); }
void UntrackForm(Form* f) {
    auto& v = tracked();
    v.erase(std::remove(v.begin(), v.end(), f), v.end());
}
} // namespace detail

bool Unload(Form& form, int mode) {
    if (!form.loaded_ || form.unloaded_) return true;
    // A failing QueryUnload or Unload handler does not keep the window open: its Cancel counts as far as
    // it got, so a window whose handler keeps failing can still be closed.
    int cancel = 0;
    RunHandler(&form, "Form_QueryUnload", [&] { form.Form_QueryUnload(cancel, mode); });
    if (cancel) return false;
    RunHandler(&form, "Form_Unload", [&] { form.Form_Unload(cancel); });
    if (cancel) return false;
    form.unloaded_ = true;
    // The window's timers go with it: none may tick while it waits to be deleted.
    for (Timer* t : form.findChildren<Timer*>()) t->setEnabled(false);
    form.hide();
    emit form.hiddenOrUnloaded();
    RunHandler(&form, "Form_Terminate", [&] { form.Form_Terminate(); });
    if (form.onUnloaded) form.onUnloaded();
    // Only the windows Instance() made are the layer's to delete; others belong to whoever made them.
    const auto& own = detail::tracked();
    const bool owned = std::find(own.begin(), own.end(), &form) != own.end();
    detail::UntrackForm(&form);
    if (owned) form.deleteLater();
    return true;
}

std::vector<Form*> LoadedForms() { return detail::tracked(); }

Form* LoadedForm(const QString& name) {
    for (Form* f : detail::tracked())
        if (f->Name == name && f->IsLoaded()) return f;
    return nullptr;
}

void DiscardAllForms() {
    const std::vector<Form*> forms = detail::tracked();
    for (Form* f : forms) {
        if (f->onUnloaded) f->onUnloaded();
        f->unloaded_ = true;
        delete f;
    }
    detail::tracked().clear();
}

} // namespace tylog::vb
