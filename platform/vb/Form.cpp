#include "platform/vb/Form.h"
#include "platform/Platform.h"
#include "platform/vb/Color.h"
#include "platform/vb/Forms.h"
#include "platform/vb/Keys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
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
    client_->setFocusPolicy(Qt::ClickFocus);
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

void Form::applyGeometry() {
    applying_ = true;
    const int menuPx = menuBar_ ? menuBar_->sizeHint().height() : 0;
    const int innerW = pxX(std::max(0.0, width_ - NonClientWidth()));
    const int innerH = pxY(std::max(0.0, height_ - NonClientHeight())) + menuPx;
    if (windowState_ == vbNormal) {
        resize(std::max(1, innerW), std::max(1, innerH));
        move(pxX(left_), pxY(top_));
    }
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuPx);
    client_->setGeometry(0, menuPx, width(), std::max(0, height() - menuPx));
    applying_ = false;
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
    Form_Load();
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
        raise();
        activateWindow();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
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
    // The user resized the window: take the new size as the form's.
    const int menuPx = menuBar_ ? menuBar_->sizeHint().height() : 0;
    width_ = e->size().width() * platform().screen->TwipsPerPixelX() + NonClientWidth();
    height_ = (e->size().height() - menuPx) * platform().screen->TwipsPerPixelY() + NonClientHeight();
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuPx);
    client_->setGeometry(0, menuPx, width(), std::max(0, height() - menuPx));
    if (loaded_ && !unloaded_) Form_Resize();
}

bool Form::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && loaded_ && !unloaded_) {
        const bool r = QWidget::event(e);
        Form_Activate();
        return r;
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    // The close box: the form decides through QueryUnload and Unload.
    e->ignore();
    Unload(*this, vbFormControlMenu);
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_) {
        if (event->type() == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(event);
            int code = KeyCodeOf(e);
            if (code) Form_KeyDown(code, ShiftOf(e->modifiers()));
            int ascii = KeyAsciiOf(e);
            if (ascii >= 0 && code) Form_KeyPress(ascii);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) Form_Click();
    }
    return QWidget::eventFilter(watched, event);
}

void Form::registerControl(Control* c) { controls_.push_back(c); }

void Form::forgetControl(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (focused_ == c) focused_ = nullptr;
}

void Form::focusIn(Control* c) {
    if (focused_ == c) return;
    if (focused_) {
        Control* old = focused_;
        focused_ = nullptr;
        if (old->LostFocus) old->LostFocus();
    }
    focused_ = c;
    if (c->GotFocus) c->GotFocus();
}

void Form::focusOut(Control* c) {
    if (focused_ != c) return;
    focused_ = nullptr;
    if (c->LostFocus) c->LostFocus();
}

void Form::ApplyTabOrder() {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->widget() && c->widget()->focusPolicy() != Qt::NoFocus) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
}

void Form::SendTab(bool backwards) {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->widget() && c->TabStop() && c->Visible() && c->Enabled() && c->widget()->focusPolicy() != Qt::NoFocus &&
            c->widget()->isVisibleTo(this))
            order.push_back(c);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    auto it = std::find(order.begin(), order.end(), focused_);
    size_t i = 0;
    if (it != order.end()) {
        const size_t cur = static_cast<size_t>(it - order.begin());
        i = backwards ? (cur + order.size() - 1) % order.size() : (cur + 1) % order.size();
    }
    order[i]->SetFocus();
    if (focused_ != order[i]) focusIn(order[i]);
}

bool Unload(Form& form, int mode) {
    if (!form.loaded_ || form.unloaded_) return true;
    int cancel = 0;
    form.Form_QueryUnload(cancel, mode);
    if (cancel) return false;
    form.Form_Unload(cancel);
    if (cancel) return false;
    form.unloaded_ = true;
    form.hide();
    emit form.hiddenOrUnloaded();
    form.Form_Terminate();
    if (form.onUnloaded) form.onUnloaded();
    detail::UntrackForm(&form);
    form.deleteLater();
    return true;
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

std::vector<Form*> LoadedForms() { return detail::tracked(); }

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
