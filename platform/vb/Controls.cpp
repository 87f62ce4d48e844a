#include "platform/vb/Controls.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Color.h"
#include "platform/vb/Form.h"
#include "platform/vb/Keys.h"
#include "platform/vb/TextWidth.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScrollBar>
#include <QAbstractScrollArea>
#include <QStaticText>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace tylog::vb {

// ---- Label -------------------------------------------------------------------------------------

namespace {

// A label that lays its text out only for a paint that reaches the text. Label boxes of a design
// often overlap their neighbours by a pixel: a changed caption repaints a sliver of each neighbour,
// and QLabel would lay out and draw a neighbour's whole text for it (after every contact, a column of
// headings beside the score). Only frameless labels of plain text are judged; the rest paint as ever.
class CaptionLabel : public QLabel {
protected:
    void paintEvent(QPaintEvent* e) override {
        if (frameShape() == QFrame::NoFrame && pixmap().isNull() && textFormat() != Qt::RichText) {
            if (text().isEmpty()) return;
            // A paint of the whole box (its own caption changed) draws, with nothing to work out.
            if (!e->rect().contains(rect()) && !e->region().intersects(inkedArea())) return;
        }
        QLabel::paintEvent(e);
    }

private:
    struct Key {
        QString text;
        QSize size;
        QFont font;
        Qt::Alignment alignment;
        bool wrap = false;
        int margin = 0, indent = 0;
        bool operator==(const Key&) const = default;
    };
    // Where the text can put ink: the box its lines take as QLabel lays them out, grown sideways by
    // the most any glyph of the face reaches past its advance (the face's least bearings), a pixel or
    // two of hinting and antialiasing; up and down by half a line; and every way by the indent, which
    // the layout box leaves out. Rich text counts as the whole label. A slanted face (whose synthetic
    // slant no bearing accounts for) grows by half a line sideways too.
    QRect inkedArea() {
        Key key{text(), contentsRect().size(), font(), alignment(), wordWrap(), margin(), indent()};
        if (key == key_) return inked_;
        key_ = std::move(key);
        const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        if (textFormat() == Qt::AutoText && Qt::mightBeRichText(text())) {
            inked_ = rect();
        } else {
            const QFontMetrics fm(font());
            int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()));
            if (wordWrap()) flags |= Qt::TextWordWrap;
            const int indented = std::max(indent(), 0);
            const int line = fm.height() / 2;
            const int overhang = std::max({-fm.minLeftBearing(), -fm.minRightBearing(), 0});
            const int side = (font().italic() ? line : overhang + 3) + indented, up = line + indented;
            inked_ = fm.boundingRect(box, flags, text()).adjusted(-side, -up, side, up);
        }
        return inked_;
    }
    Key key_;
    QRect inked_;
};

} // namespace

Label::Label(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::Label, name, container, index) {
    auto* l = new CaptionLabel;
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    attach(l);
}

QLabel* Label::label() const { return static_cast<QLabel*>(widget()); }
QString Label::Caption() const { return label()->text(); }
void Label::setCaption(const QString& c) {
    QLabel* l = label();
    if (l->text() == c) return;
    // Blanks for blanks (the message line emptied of the blank typing put there, after each contact)
    // change nothing on the screen, unless the face draws lines under or through them: the label is
    // not drawn again.
    const auto blank = [](const QString& s) { return s.trimmed().isEmpty(); };
    const QFont& f = l->font();
    if (blank(c) && blank(l->text()) && l->pixmap().isNull() && !f.underline() && !f.strikeOut() && !f.overline() &&
        l->updatesEnabled()) {
        l->setAttribute(Qt::WA_UpdatesDisabled, true);
        l->setText(c);
        l->setAttribute(Qt::WA_UpdatesDisabled, false);
    } else {
        l->setText(c);
    }
    fitCaption();
    if (Change) runHandler("Change", Change);
}

void Label::setAlignment(int a) {
    alignment_ = a;
    Qt::Alignment h = a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    label()->setAlignment(h | Qt::AlignTop);
    fitCaption();
}

void Label::setBackStyle(int s) {
    backStyle_ = s;
    applyColors();
}

void Label::setBorderStyle(int s) {
    borderStyle_ = s;
    label()->setFrameStyle(s == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    fitCaption();
}

void Label::setWordWrap(bool w) {
    label()->setWordWrap(w);
    fitCaption();
}

bool Label::captionBox(CaptionBox* box) const {
    // Where QLabel draws plain text: inside the frame and margin, and, with a frame but no indent of
    // its own, half an "x" in from the side the text is aligned to.
    const QLabel* l = label();
    box->text = l->text();
    const int m = l->margin();
    QRectF area = QRectF(l->contentsRect()).adjusted(m, m, -m, -m);
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = QFontMetrics(fontAt(FontSize() > 0 ? FontSize() : 1.0), l).horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0) {
        const Qt::Alignment a = l->alignment();
        if (a & Qt::AlignLeft) area.setLeft(area.left() + indent);
        if (a & Qt::AlignRight) area.setRight(area.right() - indent);
        if (a & Qt::AlignTop) area.setTop(area.top() + indent);
    }
    box->area = area;
    box->flags = l->wordWrap() ? Qt::TextWordWrap : 0;
    return true;
}

void Label::applyColors() {
    Control::applyColors();
    // Without a colour of its own an opaque label shows its container's, which lies behind it anyway:
    // it paints no background. Every widget that paints its own is an opaque child, and Qt works out
    // the region they cover anew after any child's palette changes, at a cost that grows faster than
    // their number: a window of many labels paid most of a keystroke for it.
    label()->setAutoFillBackground(backStyle_ == 1 && BackColor() >= 0);
}

// ---- TextBox -----------------------------------------------------------------------------------

namespace {

// The application's style, with what it draws dearly on every contact drawn plainly: a one-line text
// box's frame as a plain rectangle, in the highlight colour while the box has the focus, and a frame
// control's box as one plain line (the style's own are antialiased rounded outlines, which every box
// emptied or typed into strokes again, after each contact all of the entry line's, and which a
// window's first frame strokes around every frame); and a list's scroll bars in pieces (below).
class PlainControlStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                       const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element == PE_FrameGroupBox && frame && !(frame->features & QStyleOptionFrame::Flat)) {
            // A frame's box: one plain line.
            p->setPen(option->palette.color(QPalette::Mid));
            p->setBrush(Qt::NoBrush);
            p->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        if (element != PE_PanelLineEdit || !frame || frame->lineWidth <= 0) {
            QProxyStyle::drawPrimitive(element, option, p, widget);
            return;
        }
        const QPalette::ColorGroup group = option->state & State_Enabled ? QPalette::Active : QPalette::Disabled;
        const bool focused = (option->state & State_HasFocus) && (option->state & State_Enabled);
        const QColor line = focused ? option->palette.color(QPalette::Highlight) : option->palette.color(group, QPalette::Mid);
        const QRect r = option->rect;
        if (line.alpha() != 255 || r.width() < 3 || r.height() < 3 || p->testRenderHint(QPainter::Antialiasing) ||
            p->transform().type() > QTransform::TxTranslate) {
            p->fillRect(r, option->palette.brush(group, QPalette::Base));
            p->setPen(line);
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.adjusted(0, 0, -1, -1));
            return;
        }
        // The same pixels as the outline drawn with a pen, as five fills: a stroked outline costs the
        // raster engine several times more, and the entry line's boxes are all drawn after a contact.
        p->fillRect(r.adjusted(1, 1, -1, -1), option->palette.brush(group, QPalette::Base));
        p->fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
        p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
        p->fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), line);
        p->fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), line);
    }
    // Qt's raster engine hands every fill of 96 spans or more to its thread pool, a one-pixel line as
    // much as a gradient: a list's scroll bar, a few pixels across and a hundred or more long (the
    // style draws a horizontal one turned, so its length is its spans too), woke the pool's threads for
    // each of the dozen fills and lines it is drawn with, and the wake-ups cost far more than the
    // pixels. It is drawn in pieces shorter than that along its length, each into one small image kept
    // for the purpose (the style sets clips of its own, so a clip would not hold it; a kept image keeps
    // its paint engine) and put in its place.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override {
        constexpr int kPiece = 64;
        const QRect r = option->rect;
        const bool across = r.width() > r.height();
        const int length = across ? r.width() : r.height();
        const int thickness = across ? r.height() : r.width();
        if (control != CC_ScrollBar || length <= kPiece || thickness > kPiece || !p->device() ||
            p->transform().type() > QTransform::TxTranslate) {
            QProxyStyle::drawComplexControl(control, option, p, widget);
            return;
        }
        const qreal ratio = p->device()->devicePixelRatioF();
        if (piece_.isNull() || piece_.devicePixelRatio() != ratio) {
            piece_ = QImage(QSize(kPiece, kPiece) * ratio, QImage::Format_ARGB32_Premultiplied);
            piece_.setDevicePixelRatio(ratio);
        }
        for (int at = 0; at < length; at += kPiece) {
            const QRect piece = across ? QRect(r.left() + at, r.top(), std::min(kPiece, length - at), r.height())
                                       : QRect(r.left(), r.top() + at, r.width(), std::min(kPiece, length - at));
            const QRect source(QPoint(0, 0), piece.size() * ratio);
            {
                QPainter ip(&piece_);
                ip.setCompositionMode(QPainter::CompositionMode_Source);
                ip.fillRect(QRect(QPoint(0, 0), piece.size()), Qt::transparent);
                ip.setCompositionMode(QPainter::CompositionMode_SourceOver);
                ip.setRenderHints(p->renderHints());
                ip.setFont(p->font());
                ip.setClipRect(QRect(QPoint(0, 0), piece.size()));
                ip.translate(-piece.topLeft());
                QProxyStyle::drawComplexControl(control, option, &ip, widget);
            }
            p->drawImage(piece, piece_, source);
        }
    }
    static PlainControlStyle* Instance() {
        // One for the run, with the application as its parent; its base is the application's style.
        static QPointer<PlainControlStyle> style;
        if (!style) {
            style = new PlainControlStyle;
            style->setParent(qApp);
        }
        return style;
    }

private:
    mutable QImage piece_; // the scroll bars' piece, kept with its paint engine
};

} // namespace

TextBox::TextBox(Form& form, const QString& name, Control* container, int index, bool multiLine)
    : Control(form, Kind::TextBox, name, container, index) {
    QWidget* w = nullptr;
    if (multiLine) {
        multi_ = new QPlainTextEdit;
        multi_->setContextMenuPolicy(Qt::NoContextMenu);
        connect(multi_, &QPlainTextEdit::textChanged, this, [this] { if (Change) runHandler("Change", Change); });
        // Mouse, drop and middle-button paste events arrive at the viewport.
        multi_->viewport()->setAcceptDrops(false);
        multi_->viewport()->installEventFilter(this);
        w = multi_;
    } else {
        edit_ = new QLineEdit;
        edit_->setFrame(true);
        edit_->setStyle(PlainControlStyle::Instance());
        edit_->setContextMenuPolicy(Qt::DefaultContextMenu);
        edit_->setDragEnabled(false);
        connect(edit_, &QLineEdit::textChanged, this, [this] { if (Change) runHandler("Change", Change); });
        w = edit_;
    }
    // Drops would bypass the key filters.
    w->setAcceptDrops(false);
    attach(w);
    w->setFocusPolicy(Qt::StrongFocus);
}

namespace {
// The length of a multi-line box's text as the program counts it: a line end is CR LF, two characters.
int crLfLength(const QString& plain) { return static_cast<int>(plain.size() + plain.count('\n')); }
// Positions in a multi-line box count a line end as two characters too: plain position -> CR LF one.
int crLfPos(const QString& plain, int pos) { return pos + static_cast<int>(plain.left(pos).count('\n')); }
// CR LF position -> plain one; a position inside a line end goes before it.
int plainPos(const QString& plain, int pos) {
    int i = 0, used = 0;
    while (i < plain.size() && used + (plain[i] == '\n' ? 2 : 1) <= pos) used += plain[i++] == '\n' ? 2 : 1;
    return i;
}
// The longest start of `plain` whose CR LF length fits into `room`.
QString fitCrLf(const QString& plain, int room) {
    int n = 0, used = 0;
    while (n < plain.size() && used + (plain[n] == '\n' ? 2 : 1) <= room) used += plain[n++] == '\n' ? 2 : 1;
    return plain.left(n);
}
} // namespace

QString TextBox::Text() const {
    if (edit_) return edit_->text();
    QString t = multi_->toPlainText();
    t.replace('\n', "\r\n");
    return t;
}

void TextBox::setText(const QString& t) {
    if (edit_) {
        QString v = t;
        if (maxLength_ > 0 && v.size() > maxLength_) v.truncate(maxLength_);
        edit_->setText(v);
        edit_->setCursorPosition(0);
    } else {
        QString v = t;
        v.replace("\r\n", "\n");
        if (maxLength_ > 0) v = fitCrLf(v, maxLength_);
        multi_->setPlainText(v);
    }
}

int TextBox::SelStart() const {
    if (edit_) return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    return crLfPos(multi_->toPlainText(), multi_->textCursor().selectionStart());
}

void TextBox::setSelStart(int s) {
    if (edit_) {
        edit_->setCursorPosition(std::clamp(s, 0, static_cast<int>(edit_->text().size())));
    } else {
        QTextCursor c = multi_->textCursor();
        c.setPosition(plainPos(multi_->toPlainText(), std::max(0, s)));
        multi_->setTextCursor(c);
    }
}

int TextBox::SelLength() const {
    if (edit_) return edit_->hasSelectedText() ? static_cast<int>(edit_->selectedText().size()) : 0;
    const QTextCursor c = multi_->textCursor();
    const QString plain = multi_->toPlainText();
    return crLfPos(plain, c.selectionEnd()) - crLfPos(plain, c.selectionStart());
}

void TextBox::setSelLength(int n) {
    const int start = SelStart();
    if (edit_) {
        const int len = std::clamp(n, 0, static_cast<int>(edit_->text().size()) - start);
        if (len > 0) edit_->setSelection(start, len);
        else edit_->setCursorPosition(start);
    } else {
        const QString plain = multi_->toPlainText();
        QTextCursor c = multi_->textCursor();
        c.setPosition(plainPos(plain, start));
        c.setPosition(plainPos(plain, start + std::max(0, n)), QTextCursor::KeepAnchor);
        multi_->setTextCursor(c);
    }
}

QString TextBox::SelText() const {
    if (edit_) return edit_->selectedText();
    return multi_->textCursor().selectedText().replace(QChar::ParagraphSeparator, "\r\n");
}

void TextBox::setSelText(const QString& t) { insertText(t); }

void TextBox::setMaxLength(int n) {
    maxLength_ = n;
    if (edit_) edit_->setMaxLength(n > 0 ? n : 32767);
}

void TextBox::setLocked(bool l) {
    locked_ = l;
    if (edit_) edit_->setReadOnly(l);
    else multi_->setReadOnly(l);
}

void TextBox::setAlignment(int a) {
    if (edit_) edit_->setAlignment(a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft));
}

void TextBox::insertText(const QString& t) {
    if (edit_) {
        edit_->insert(t); // replaces the selection and keeps to the maximum length
        return;
    }
    QString v = t;
    v.replace("\r\n", "\n");
    QTextCursor c = multi_->textCursor();
    if (maxLength_ > 0) {
        const QString selected = c.selectedText().replace(QChar::ParagraphSeparator, '\n');
        v = fitCrLf(v, maxLength_ - (crLfLength(multi_->toPlainText()) - crLfLength(selected)));
    }
    c.insertText(v);
    multi_->setTextCursor(c);
}

void TextBox::copySelection() {
    if (!SelText().isEmpty()) platform().clipboard->SetText(SelText());
}

void TextBox::cutSelection() {
    if (locked_ || SelText().isEmpty()) return;
    platform().clipboard->SetText(SelText());
    insertText(QString());
}

bool TextBox::deliverChar(int keyAscii, QKeyEvent* e) {
    (void)e;
    if (locked_) {
        if (keyAscii == 3) copySelection(); // a locked box still copies
        return true;
    }
    switch (keyAscii) {
    case 8:
        if (edit_) edit_->backspace();
        else multi_->textCursor().deletePreviousChar();
        return true;
    case 13:
        if (multi_) insertText("\n");
        return true;
    case 27: return true;
    case 3: // Ctrl+C
        copySelection();
        return true;
    case 24: // Ctrl+X
        cutSelection();
        return true;
    case 22: // Ctrl+V
        PasteFiltered(platform().clipboard->GetText());
        return true;
    default:
        break;
    }
    if (keyAscii < 32) return true;
    insertText(FromAnsi(QByteArray(1, static_cast<char>(keyAscii))));
    return true;
}

bool TextBox::deliverKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // The system's other clipboard keys, through the program's clipboard and the key filters.
    if (e->key() == Qt::Key_Insert && m == Qt::ShiftModifier) {
        PasteFiltered(platform().clipboard->GetText());
        return true;
    }
    if (e->key() == Qt::Key_Insert && m == Qt::ControlModifier) {
        copySelection();
        return true;
    }
    if (e->key() == Qt::Key_Delete && m == Qt::ShiftModifier) {
        cutSelection();
        return true;
    }
    // Undo and redo would bring back text around the filters; a key that carries text but gives no
    // character to the handlers (Alt+letter) must not type it either.
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) return true;
    return !e->text().isEmpty() && e->text()[0].isPrint();
}

void TextBox::PasteFiltered(const QString& text) {
    if (locked_) return;
    QPointer<TextBox> self(this);
    for (const QChar qc : text) {
        const char ch = ToAnsi(QString(qc))[0];
        // A character the files cannot hold is left out, as typing it gives no key at all.
        if (ch == '?' && qc != QChar('?')) continue;
        int k = static_cast<unsigned char>(ch);
        if (k < 32) continue; // line ends and tabs of the pasted text
        // A failing handler ends the paste: the rest of it was not checked.
        if (form_.KeyPreview && !RunHandler(&form_, "Form_KeyPress", [&] { form_.Form_KeyPress(k); })) return;
        if (k != 0 && KeyPress && !runHandler("KeyPress", [&] { KeyPress(k); })) return;
        if (!self) return;
        if (k >= 32) insertText(FromAnsi(QByteArray(1, static_cast<char>(k))));
    }
}

bool TextBox::eventFilter(QObject* watched, QEvent* event) {
    if (multi_ && watched == multi_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            // The X11 middle-button paste would bypass the filters.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) return true;
            return Control::eventFilter(watched, event);
        case QEvent::MouseMove:
        case QEvent::MouseButtonDblClick:
            return Control::eventFilter(watched, event);
        case QEvent::Drop:
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return true;
        default:
            return false;
        }
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Let the window's menu shortcuts have Ctrl and Alt keys: the box would claim its editing keys
        // (Ctrl+X, Ctrl+A) for itself. Without a shortcut the key still arrives as a key press.
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return true;
        return Control::eventFilter(watched, event);
    }
    case QEvent::InputMethod: {
        // Text composed by an input method is typed through the filters like a paste.
        auto* e = static_cast<QInputMethodEvent*>(event);
        if (e->commitString().isEmpty()) return false;
        PasteFiltered(e->commitString());
        QInputMethodEvent done; // ends the composition without the committed text
        QCoreApplication::sendEvent(watched, &done);
        return true;
    }
    case QEvent::ContextMenu: {
        if (!edit_) return true;
        auto* e = static_cast<QContextMenuEvent*>(event);
        QMenu menu;
        QAction* cut = menu.addAction("Cu&t");
        QAction* copy = menu.addAction("&Copy");
        QAction* paste = menu.addAction("&Paste");
        QAction* del = menu.addAction("&Delete");
        menu.addSeparator();
        QAction* all = menu.addAction("Select &All");
        const bool sel = edit_->hasSelectedText();
        cut->setEnabled(sel && !locked_);
        copy->setEnabled(sel);
        del->setEnabled(sel && !locked_);
        paste->setEnabled(!locked_ && !platform().clipboard->GetText().isEmpty());
        QAction* chosen = menu.exec(e->globalPos());
        if (chosen == cut) cutSelection();
        else if (chosen == copy) copySelection();
        else if (chosen == paste) PasteFiltered(platform().clipboard->GetText());
        else if (chosen == del && !locked_) insertText(QString());
        else if (chosen == all) edit_->selectAll();
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The X11 middle-button paste would bypass the filters.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) return true;
        return Control::eventFilter(watched, event);
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return Control::eventFilter(watched, event);
    }
}

// ---- CommandButton -----------------------------------------------------------------------------

CommandButton::CommandButton(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::CommandButton, name, container, index) {
    auto* b = new QPushButton;
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this] { RaiseClick(); });
    attach(b);
    b->setFocusPolicy(Qt::StrongFocus);
}

QString CommandButton::Caption() const { return static_cast<QPushButton*>(widget())->text(); }
void CommandButton::setCaption(const QString& c) {
    static_cast<QPushButton*>(widget())->setText(c);
    fitCaption();
}
void CommandButton::setPicture(const QPixmap& p) {
    static_cast<QPushButton*>(widget())->setIcon(QIcon(p));
    fitCaption();
}

namespace {
// The part of a button, option or check box that the style draws the caption in.
QRectF styleTextArea(const QAbstractButton* b, QStyle::SubElement element) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    return b->style()->subElementRect(element, &opt, b);
}
} // namespace

bool CommandButton::captionBox(CaptionBox* box) const {
    const auto* b = static_cast<const QPushButton*>(widget());
    if (!b->icon().isNull()) return false; // a picture button's layout is the style's
    // Kept off the frame by half the style's margin on either side.
    const double margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2.0;
    *box = {b->text(), styleTextArea(b, QStyle::SE_PushButtonContents).adjusted(margin, 0, -margin, 0),
            Qt::TextShowMnemonic};
    return true;
}

// ---- OptionButton ------------------------------------------------------------------------------

OptionButton::OptionButton(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::OptionButton, name, container, index) {
    auto* r = new QRadioButton;
    connect(r, &QRadioButton::toggled, this, [this](bool on) { if (on) RaiseClick(); });
    attach(r);
    r->setFocusPolicy(Qt::StrongFocus);
}

QRadioButton* OptionButton::radio() const { return static_cast<QRadioButton*>(widget()); }
QString OptionButton::Caption() const { return radio()->text(); }
void OptionButton::setCaption(const QString& c) {
    radio()->setText(c);
    fitCaption();
}

bool OptionButton::captionBox(CaptionBox* box) const {
    *box = {radio()->text(), styleTextArea(radio(), QStyle::SE_RadioButtonContents), Qt::TextShowMnemonic};
    return true;
}
bool OptionButton::Value() const { return radio()->isChecked(); }

void OptionButton::setValue(bool v) {
    if (v) {
        if (radio()->isChecked()) RaiseClick(); // setting True again still raises Click
        else radio()->setChecked(true);
    } else {
        // Qt keeps one radio of a group checked; clearing needs the group's exclusivity off.
        radio()->setAutoExclusive(false);
        radio()->setChecked(false);
        radio()->setAutoExclusive(true);
    }
}

// ---- CheckBox ----------------------------------------------------------------------------------

CheckBox::CheckBox(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::CheckBox, name, container, index) {
    auto* c = new QCheckBox;
    connect(c, &QCheckBox::stateChanged, this, [this](int) { RaiseClick(); });
    attach(c);
    c->setFocusPolicy(Qt::StrongFocus);
}

QString CheckBox::Caption() const { return static_cast<QCheckBox*>(widget())->text(); }
void CheckBox::setCaption(const QString& c) {
    static_cast<QCheckBox*>(widget())->setText(c);
    fitCaption();
}

bool CheckBox::captionBox(CaptionBox* box) const {
    const auto* c = static_cast<const QCheckBox*>(widget());
    *box = {c->text(), styleTextArea(c, QStyle::SE_CheckBoxContents), Qt::TextShowMnemonic};
    return true;
}

int CheckBox::Value() const {
    switch (static_cast<QCheckBox*>(widget())->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void CheckBox::setValue(int v) {
    auto* c = static_cast<QCheckBox*>(widget());
    if (v == 2) c->setTristate(true);
    c->setCheckState(v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

// ---- Item views' cells --------------------------------------------------------------------------

FittedCell FitCellText(const QString& text, int width, const QFont& font) {
    const QFontMetricsF fm(font);
    if (FitsByBound(fm, text, width) || fm.horizontalAdvance(text) <= width) return {text, font};
    // A cell too long for its column (a date and time, a long county) is drawn whole a little smaller,
    // in quarter points down to 70 % of the list's size, as captions are; beyond that it is cut.
    const double size = font.pointSizeF();
    if (size > 0) {
        QFont smaller = font;
        for (double points = std::floor(size * 4 - 1) / 4; points >= size * 0.7; points -= 0.25) {
            smaller.setPointSizeF(points);
            if (QFontMetricsF(smaller).horizontalAdvance(text) <= width) return {text, smaller};
        }
    }
    return {QFontMetrics(font).elidedText(text, Qt::ElideRight, width), font};
}

namespace {

// Draws a list's cells as plain text in the view's font, elided at the right, over the selection's
// colour when selected: what the style's general item delegate draws for these lists, without its
// layout of decorations and check boxes, and with each cell's text laid out once (QStaticText) until
// its text, width or font changes. A list repaints every row it shows whenever a row is added at its
// top, which the recent-contacts list does after every contact.
class TextCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QWidget* view = option.widget;
        const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                                   : QPalette::Inactive;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) p->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        const QStyle* style = view ? view->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        QRect r = option.rect.adjusted(margin, 0, -margin, 0);
        // A list box's rows may be wider than what it shows (its horizontal scroll bar): fit what shows.
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(view))
            r.setRight(std::min(r.right(), area->viewport()->width() - 1 - margin));
        if (r.width() <= 0) return;
        const Cell& cell = layoutOf(text, r.width(), option.font);
        const QStaticText& shown = cell.shown;
        const QSizeF size = shown.size();
        const QVariant a = index.data(Qt::TextAlignmentRole);
        const Qt::Alignment align = a.isValid() ? Qt::Alignment(a.toInt()) : Qt::Alignment(Qt::AlignLeft);
        qreal x = r.left();
        if (align & Qt::AlignRight) x = r.right() + 1 - size.width();
        else if (align & Qt::AlignHCenter) x = r.left() + (r.width() - size.width()) / 2;
        const qreal y = r.top() + (r.height() - size.height()) / 2;
        p->save();
        p->setFont(cell.font);
        p->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->setClipRect(option.rect);
        p->drawStaticText(QPointF(x, y), shown);
        p->restore();
    }

    // A cell's size as the style measures it, kept per text, width and font: a view lays its rows out
    // again after each row put in and measures every cell of its first row (the recent contacts: each
    // contact), and the measure lays the text out.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant display = index.data(Qt::DisplayRole);
        if (display.metaType().id() != QMetaType::QString || index.data(Qt::DecorationRole).isValid() ||
            index.data(Qt::CheckStateRole).isValid() || index.data(Qt::SizeHintRole).isValid() ||
            index.data(Qt::FontRole).isValid())
            return QStyledItemDelegate::sizeHint(option, index);
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        if (option.font != sizeFont_ || style != sizeStyle_) {
            sizes_.clear();
            sizeFont_ = option.font;
            sizeStyle_ = style;
        }
        const SizeKey key{display.toString(), option.rect.width(), int(option.features & QStyleOptionViewItem::WrapText)};
        auto it = sizes_.find(key);
        if (it != sizes_.end()) return *it;
        if (sizes_.size() >= 4096) sizes_.clear();
        return *sizes_.insert(key, QStyledItemDelegate::sizeHint(option, index));
    }

private:
    struct Cell {
        QStaticText shown;
        QFont font;
    };
    struct SizeKey {
        QString text;
        int width = 0;
        int wrap = 0;
        bool operator==(const SizeKey&) const = default;
        friend size_t qHash(const SizeKey& k, size_t seed = 0) { return qHashMulti(seed, k.text, k.width, k.wrap); }
    };
    mutable QHash<SizeKey, QSize> sizes_;
    mutable QFont sizeFont_;
    mutable const QStyle* sizeStyle_ = nullptr;
    const Cell& layoutOf(const QString& text, int width, const QFont& font) const {
        if (font != font_) {
            cache_.clear();
            font_ = font;
        }
        const auto key = qMakePair(text, width);
        auto it = cache_.find(key);
        if (it != cache_.end()) return *it;
        // Bounded: a list seldom shows more than a few hundred different cells.
        if (cache_.size() >= 4096) cache_.clear();
        const FittedCell fit = FitCellText(text, width, font);
        Cell cell{QStaticText(fit.text), fit.font};
        cell.shown.setTextFormat(Qt::PlainText);
        cell.shown.prepare(QTransform(), cell.font);
        return *cache_.insert(key, cell);
    }
    mutable QHash<QPair<QString, int>, Cell> cache_;
    mutable QFont font_;
};

} // namespace

// ---- ListBox -----------------------------------------------------------------------------------

ListBox::ListBox(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::ListBox, name, container, index) {
    auto* l = new QListWidget;
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    l->setItemDelegate(new TextCellDelegate(l));
    l->verticalScrollBar()->setStyle(PlainControlStyle::Instance());
    l->horizontalScrollBar()->setStyle(PlainControlStyle::Instance());
    connect(l, &QListWidget::currentRowChanged, this, [this](int) { RaiseClick(); });
    attach(l);
    l->viewport()->installEventFilter(this);
    l->setFocusPolicy(Qt::StrongFocus);
    keepNoChoiceOnFocus();
}

void ListBox::keepNoChoiceOnFocus() {
    // A Qt view makes its first row current when it takes the focus with none chosen, unless a current
    // index was set on it since the last reset; taking the focus chooses nothing here.
    const QSignalBlocker b(list());
    list()->setCurrentIndex(QModelIndex());
}

QListWidget* ListBox::list() const { return static_cast<QListWidget*>(widget()); }

void ListBox::AddItem(const QString& item, int index) {
    if (Sorted) {
        int i = 0;
        while (i < list()->count() && QString::compare(list()->item(i)->text(), item, Qt::CaseInsensitive) <= 0) ++i;
        list()->insertItem(i, item);
    } else if (index < 0 || index >= list()->count()) {
        list()->addItem(item);
    } else {
        list()->insertItem(index, item);
    }
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= list()->count())
        throw VbError(VbError::SubscriptOutOfRange, "Invalid property array index");
    const QSignalBlocker b(list()); // no Click: the program changes the items, the user chose nothing
    delete list()->takeItem(index);
}

void ListBox::Clear() {
    {
        const QSignalBlocker b(list());
        list()->clear();
    }
    keepNoChoiceOnFocus();
}

int ListBox::ListCount() const { return list()->count(); }

QString ListBox::List(int index) const {
    const QListWidgetItem* it = list()->item(index);
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& text) {
    if (QListWidgetItem* it = list()->item(index)) it->setText(text);
}

int ListBox::ListIndex() const { return list()->currentRow(); }

void ListBox::setListIndex(int index) {
    if (index == list()->currentRow()) return;
    list()->setCurrentRow(index);
}

QString ListBox::Text() const { return List(ListIndex()); }

bool ListBox::Selected(int index) const {
    const QListWidgetItem* it = list()->item(index);
    return it && it->isSelected();
}

void ListBox::setSelected(int index, bool sel) {
    if (QListWidgetItem* it = list()->item(index)) it->setSelected(sel);
}

int ListBox::TopIndex() const {
    const QListWidgetItem* it = list()->itemAt(2, 2);
    return it ? list()->row(it) : 0;
}

void ListBox::setTopIndex(int index) {
    if (QListWidgetItem* it = list()->item(index)) list()->scrollToItem(it, QAbstractItemView::PositionAtTop);
}

long ListBox::ItemData(int index) const {
    const QListWidgetItem* it = list()->item(index);
    return it ? it->data(Qt::UserRole).toLongLong() : 0;
}

void ListBox::setItemData(int index, long value) {
    if (QListWidgetItem* it = list()->item(index)) it->setData(Qt::UserRole, static_cast<qlonglong>(value));
}

bool ListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list()->viewport()) {
        // Mouse events arrive at the list's viewport: report them in the list's own coordinates.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::MouseButtonDblClick:
            return Control::eventFilter(watched, event);
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) return false; // reported by the viewport
    return Control::eventFilter(watched, event);
}

// ---- ComboBox ----------------------------------------------------------------------------------

ComboBox::ComboBox(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::ComboBox, name, container, index) {
    auto* c = new QComboBox;
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    connect(c, &QComboBox::currentIndexChanged, this, [this](int) { RaiseClick(); });
    connect(c, &QComboBox::editTextChanged, this, [this](const QString&) { if (Change) runHandler("Change", Change); });
    attach(c);
}

QComboBox* ComboBox::combo() const { return static_cast<QComboBox*>(widget()); }
void ComboBox::AddItem(const QString& item) { combo()->addItem(item); }
void ComboBox::Clear() { combo()->clear(); }
int ComboBox::ListCount() const { return combo()->count(); }
QString ComboBox::List(int index) const { return combo()->itemText(index); }
int ComboBox::ListIndex() const { return combo()->currentIndex(); }
void ComboBox::setListIndex(int index) { combo()->setCurrentIndex(index); }
QString ComboBox::Text() const { return combo()->currentText(); }
void ComboBox::setText(const QString& t) { combo()->setEditText(t); }

// ---- Frame -------------------------------------------------------------------------------------

Frame::Frame(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::Frame, name, container, index) {
    auto* g = new QGroupBox;
    g->setFlat(false);
    g->setStyle(PlainControlStyle::Instance());
    attach(g);
}

QString Frame::Caption() const { return static_cast<QGroupBox*>(widget())->title(); }
void Frame::setCaption(const QString& c) { static_cast<QGroupBox*>(widget())->setTitle(c); }
void Frame::setBorderStyle(int s) { static_cast<QGroupBox*>(widget())->setFlat(s == 0); }

// ---- Image -------------------------------------------------------------------------------------

Image::Image(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::Image, name, container, index) {
    auto* l = new QLabel;
    l->setScaledContents(true);
    attach(l);
}

void Image::setPicture(const QPixmap& p) {
    auto* l = static_cast<QLabel*>(widget());
    l->setScaledContents(Stretch);
    l->setPixmap(p);
}

bool Image::HasPicture() const { return !static_cast<QLabel*>(widget())->pixmap().isNull(); }

QPixmap LoadPicture(const QString& path) {
    if (!QFileInfo(path).isFile()) throw VbError(VbError::FileNotFound, "File not found");
    QPixmap p;
    if (!p.load(path)) throw VbError(481, "Invalid picture");
    return p;
}

// ---- Line --------------------------------------------------------------------------------------

class LineWidget : public QWidget {
public:
    explicit LineWidget(Line* owner) : owner_(owner) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QPen pen(ToQColor(owner_->BorderColor()), owner_->BorderWidth);
        if (owner_->BorderStyle == 2) pen.setStyle(Qt::DashLine);
        else if (owner_->BorderStyle == 3) pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        Screen& s = *platform().screen;
        const double tx = s.TwipsPerPixelX(), ty = s.TwipsPerPixelY();
        const QPointF origin(std::min(owner_->X1(), owner_->X2()) / tx - 1, std::min(owner_->Y1(), owner_->Y2()) / ty - 1);
        p.drawLine(QPointF(owner_->X1() / tx, owner_->Y1() / ty) - origin, QPointF(owner_->X2() / tx, owner_->Y2() / ty) - origin);
    }

private:
    Line* owner_;
};

Line::Line(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::Line, name, container, index) {
    attach(new LineWidget(this));
    widget()->setFocusPolicy(Qt::NoFocus);
}

void Line::SetPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    applyGeometry();
}

void Line::setBorderColor(long c) {
    borderColor_ = c;
    if (widget()) widget()->update();
}

void Line::applyGeometry() {
    if (!widget()) return;
    Screen& s = *platform().screen;
    const double tx = s.TwipsPerPixelX(), ty = s.TwipsPerPixelY();
    const int x = static_cast<int>(std::floor(std::min(x1_, x2_) / tx)) - 1;
    const int y = static_cast<int>(std::floor(std::min(y1_, y2_) / ty)) - 1;
    const int w = static_cast<int>(std::ceil(std::fabs(x2_ - x1_) / tx)) + 3;
    const int h = static_cast<int>(std::ceil(std::fabs(y2_ - y1_) / ty)) + 3;
    widget()->setGeometry(x, y, w, h);
    widget()->update();
}

// ---- ListView ----------------------------------------------------------------------------------

namespace {
// The tree widget with the view's own layout pass at hand.
class TreeWidget : public QTreeWidget {
public:
    void layOutNow() { executeDelayedItemsLayout(); }
};

// A header that keeps its size hint while nothing it is measured from changed. The view asks for it at
// every layout of its rows, and the header forgets its own each time it fits its stretched last
// section to the view, which each layout has it do: it measured every heading's text again after
// each contact.
class Header : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

    QSize sizeHint() const override {
        Key key{font(), style(), isSortIndicatorShown() ? sortIndicatorSection() : -1, {}, {}};
        const int n = count();
        key.texts.reserve(n);
        key.hidden.reserve(n);
        for (int i = 0; i < n; ++i) {
            key.texts << (model() ? model()->headerData(i, orientation(), Qt::DisplayRole) : QVariant());
            key.hidden << isSectionHidden(i);
        }
        if (!(key == key_)) {
            hint_ = QHeaderView::sizeHint();
            key_ = std::move(key);
        }
        return hint_;
    }

private:
    struct Key {
        QFont font;
        const QStyle* style = nullptr;
        int sortSection = -1;
        QVariantList texts;
        QList<bool> hidden;
        bool operator==(const Key&) const = default;
    };
    mutable Key key_;
    mutable QSize hint_;
};
} // namespace

ListView::ListView(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::ListView, name, container, index) {
    auto* t = new TreeWidget;
    {
        // The view's own header, as it set it up, with a size hint it keeps.
        QHeaderView* own = t->header();
        auto* header = new Header(Qt::Horizontal, t);
        header->setSectionsMovable(own->sectionsMovable());
        header->setStretchLastSection(own->stretchLastSection());
        header->setDefaultAlignment(own->defaultAlignment());
        header->setSectionsClickable(own->sectionsClickable());
        t->setHeader(header);
    }
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setAllColumnsShowFocus(true);
    t->setItemDelegate(new TextCellDelegate(t));
    t->verticalScrollBar()->setStyle(PlainControlStyle::Instance());
    t->horizontalScrollBar()->setStyle(PlainControlStyle::Instance());
    // No row lights up under the pointer (it would stay lit where a row moved away from under it).
    t->viewport()->setAttribute(Qt::WA_Hover, false);
    t->setColumnCount(0);
    attach(t);
    t->viewport()->installEventFilter(this);
    // Widths are the program's, in twips; a column of width 0 exists but takes no room.
    t->header()->setMinimumSectionSize(0);
    t->header()->setSectionsClickable(true);
    connect(t->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (ColumnClick) runHandler("ColumnClick", [&] { ColumnClick(section + 1); });
    });
}

QTreeWidget* ListView::tree() const { return static_cast<QTreeWidget*>(widget()); }

void ListView::AddColumn(const QString& text, double widthTwips) {
    columns_.push_back({text, widthTwips});
    QStringList labels;
    for (const auto& c : columns_) labels << c.Text;
    tree()->setColumnCount(static_cast<int>(columns_.size()));
    tree()->setHeaderLabels(labels);
    applyGeometry();
}

void ListView::ClearColumns() {
    columns_.clear();
    tree()->setColumnCount(0);
}

void ListView::ClearItems() { tree()->clear(); }

int ListView::AddItem(const QStringList& texts) {
    auto* item = new QTreeWidgetItem(tree(), texts);
    alignCells(item);
    return tree()->indexOfTopLevelItem(item);
}

namespace {
Qt::Alignment columnAlignment(int a) {
    return (a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft)) | Qt::AlignVCenter;
}
} // namespace

void ListView::alignCells(QTreeWidgetItem* item) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].Alignment != 0) item->setTextAlignment(static_cast<int>(i), columnAlignment(columns_[i].Alignment));
}

bool ListView::slides() const {
    const QTreeWidget* t = tree();
    return t->isVisible() && t->updatesEnabled() && t->uniformRowHeights() && t->verticalScrollBar()->value() == 0 &&
           t->topLevelItemCount() > 0;
}

void ListView::changeQuietly(const std::function<void()>& change) {
    // The view would lay its rows out on its next pass and then draw every row it shows: here it lays
    // them out at once and draws nothing, and the caller says what changed on the screen.
    // The header's sections and the scroll bar stay as they are unless its range changes.
    auto* t = static_cast<TreeWidget*>(tree());
    QScrollBar* bar = t->verticalScrollBar();
    QHeaderView* header = t->header();
    const int top = bar->minimum(), bottom = bar->maximum();
    const auto sections = [header] {
        QList<int> sizes;
        for (int i = 0; i < header->count(); ++i) sizes << header->sectionSize(i);
        return sizes;
    };
    const QList<int> before = sections();
    const std::initializer_list<QWidget*> quiet = {t->viewport(), header->viewport(), bar};
    for (QWidget* w : quiet) w->setAttribute(Qt::WA_UpdatesDisabled, true);
    change();
    t->layOutNow();
    // The layout leaves the header a resize of its stretched last section for later, which draws the
    // whole header again: it runs here, and the header is drawn only when a section did change.
    const bool resized = sections() != before;
    for (QWidget* w : quiet) w->setAttribute(Qt::WA_UpdatesDisabled, false);
    if (resized) {
        header->viewport()->update();
        t->viewport()->update();
    }
    if (bar->minimum() != top || bar->maximum() != bottom) bar->update();
}

int ListView::InsertItem(int row, const QStringList& texts) {
    auto* item = new QTreeWidgetItem(texts);
    alignCells(item);
    row = std::clamp(row, 0, ItemCount());
    if (row == 0 && slides()) {
        // A row put in at the top moves every row shown one down: their pixels are moved and only the
        // new row is drawn. The recent-contacts list takes one after every contact.
        const int rowHeight = tree()->visualItemRect(tree()->topLevelItem(0)).height();
        changeQuietly([&] { tree()->insertTopLevelItem(0, item); });
        tree()->viewport()->scroll(0, rowHeight);
        return 0;
    }
    tree()->insertTopLevelItem(row, item);
    return tree()->indexOfTopLevelItem(item);
}

void ListView::PushItem(const QStringList& texts, int maxRows) {
    maxRows = std::max(maxRows, 1);
    QTreeWidget* t = tree();
    if (!slides()) {
        InsertItem(0, texts);
        while (ItemCount() > maxRows) RemoveItem(ItemCount() - 1);
        return;
    }
    // The rows shown move one down; rows from the first one to go onwards are drawn again where their
    // moved pixels would land.
    auto* item = new QTreeWidgetItem(texts);
    alignCells(item);
    const int rowHeight = t->visualItemRect(t->topLevelItem(0)).height();
    const int going = std::min(maxRows - 1, ItemCount());
    QRect dropped;
    if (ItemCount() >= maxRows) {
        const QRect from = t->visualItemRect(t->topLevelItem(going));
        dropped = QRect(0, from.top() + rowHeight, t->viewport()->width(), t->viewport()->height());
    }
    changeQuietly([&] {
        t->insertTopLevelItem(0, item);
        if (t->topLevelItemCount() > maxRows) t->model()->removeRows(maxRows, t->topLevelItemCount() - maxRows);
    });
    t->viewport()->scroll(0, rowHeight);
    dropped &= t->viewport()->rect();
    if (!dropped.isEmpty()) t->viewport()->update(dropped);
}

void ListView::RemoveItem(int row) {
    QTreeWidgetItem* item = tree()->topLevelItem(row);
    if (!item) return;
    if (row == ItemCount() - 1 && row > 0 && slides()) {
        // The last row goes: only where it was shown is drawn again.
        const QRect shown = tree()->visualItemRect(item);
        changeQuietly([&] { delete tree()->takeTopLevelItem(row); });
        if (!shown.isEmpty()) tree()->viewport()->update(shown);
        return;
    }
    delete tree()->takeTopLevelItem(row);
}

int ListView::ColumnAlignment(int i) const { return columns_.at(static_cast<size_t>(i)).Alignment; }

void ListView::setColumnAlignment(int i, int alignment) {
    columns_.at(static_cast<size_t>(i)).Alignment = alignment;
    tree()->headerItem()->setTextAlignment(i, columnAlignment(alignment));
    for (int r = 0; r < ItemCount(); ++r) tree()->topLevelItem(r)->setTextAlignment(i, columnAlignment(alignment));
}

void ListView::SetItems(const QList<QStringList>& rows) {
    // Rows already there take the new texts in place; only the difference in count is inserted or
    // removed. A refill then costs no new layout of the whole view, which matters after every contact.
    QTreeWidget* t = tree();
    const int keep = std::min(static_cast<int>(rows.size()), t->topLevelItemCount());
    // Cell by cell: the view then repaints only the cells that changed.
    for (int r = 0; r < keep; ++r) {
        QTreeWidgetItem* item = t->topLevelItem(r);
        const QStringList& texts = rows[r];
        for (int c = 0; c < std::max(static_cast<int>(texts.size()), item->columnCount()); ++c) {
            const QString text = c < texts.size() ? texts[c] : QString();
            if (item->text(c) != text) item->setText(c, text);
        }
    }
    if (t->topLevelItemCount() > keep) t->model()->removeRows(keep, t->topLevelItemCount() - keep);
    QList<QTreeWidgetItem*> items;
    for (int r = keep; r < rows.size(); ++r) items << new QTreeWidgetItem(rows[r]);
    for (QTreeWidgetItem* item : items) alignCells(item);
    if (!items.isEmpty()) t->insertTopLevelItems(keep, items);
}

int ListView::ItemCount() const { return tree()->topLevelItemCount(); }

QString ListView::ItemText(int row, int column) const {
    const QTreeWidgetItem* it = tree()->topLevelItem(row);
    return it ? it->text(column) : QString();
}

int ListView::SelectedRow() const {
    // The view gives a row the keyboard focus on its own (when it takes the focus); only a row shown
    // as selected counts.
    QTreeWidgetItem* it = tree()->currentItem();
    return it && it->isSelected() ? tree()->indexOfTopLevelItem(it) : -1;
}

QString ListView::ColumnText(int i) const { return columns_.at(static_cast<size_t>(i)).Text; }

void ListView::SortOnce(int column) {
    QTreeWidget* t = tree();
    QTreeWidgetItem* current = t->currentItem();
    const bool selected = current && current->isSelected();
    std::vector<QTreeWidgetItem*> rows;
    while (t->topLevelItemCount() > 0) rows.push_back(t->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [column](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return a->text(column).compare(b->text(column), Qt::CaseInsensitive) < 0;
    });
    for (QTreeWidgetItem* r : rows) t->addTopLevelItem(r);
    if (current) {
        t->setCurrentItem(current);
        current->setSelected(selected);
    }
}

void ListView::setSelectedRow(int row) {
    if (QTreeWidgetItem* it = tree()->topLevelItem(row)) tree()->setCurrentItem(it);
}

int ListView::ColumnCount() const { return static_cast<int>(columns_.size()); }
double ListView::ColumnWidth(int i) const { return columns_.at(static_cast<size_t>(i)).Width; }

void ListView::setColumnWidth(int i, double twips) {
    columns_.at(static_cast<size_t>(i)).Width = twips;
    applyGeometry();
}

void ListView::applyGeometry() {
    Control::applyGeometry();
    if (!widget()) return;
    const double tx = platform().screen->TwipsPerPixelX();
    for (size_t i = 0; i < columns_.size(); ++i)
        tree()->setColumnWidth(static_cast<int>(i), static_cast<int>(std::lround(columns_[i].Width / tx)));
}

// ---- Timer -------------------------------------------------------------------------------------

Timer::Timer(Form& form, const QString& name, int interval, bool enabled)
    : QObject(&form), Name(name), timer_(new EngineTimer(name, this)) {
    setObjectName(name);
    timer_->Tick = [this] {
        if (Tick) Tick();
    };
    timer_->setInterval(interval);
    timer_->setEnabled(enabled);
}

int Timer::Interval() const { return timer_->Interval(); }
void Timer::setInterval(int ms) { timer_->setInterval(ms); }
bool Timer::Enabled() const { return timer_->Enabled(); }
void Timer::setEnabled(bool e) { timer_->setEnabled(e); }
bool Timer::Running() const { return timer_->Running(); }

// ---- Menu --------------------------------------------------------------------------------------

Menu::Menu(Form& form, const QString& name, const QString& caption) : QObject(&form), Name(name), form_(form) {
    setObjectName(name);
    action_ = form.menuBar()->addAction(caption);
    connect(action_, &QAction::triggered, this, [this] { triggered(); });
}

Menu::Menu(Menu& parent, const QString& name, const QString& caption)
    : QObject(&parent), Name(name), form_(parent.form_), parent_(&parent) {
    setObjectName(name);
    if (caption == "-") {
        action_ = parent.ensureMenu()->addSeparator();
        return;
    }
    action_ = parent.ensureMenu()->addAction(caption);
    connect(action_, &QAction::triggered, this, [this] { triggered(); });
}

QMenu* Menu::ensureMenu() {
    if (!menu_) {
        menu_ = new QMenu(action_->text(), &form_);
        // A menu with items shows them; its own Click runs as it opens.
        connect(menu_, &QMenu::aboutToShow, this, [this] { RaiseClick(); });
        action_->setMenu(menu_);
    }
    return menu_;
}

void Menu::triggered() {
    // Qt flips a checkable item by itself; here the Click handler decides the check mark.
    if (action_->isCheckable()) action_->setChecked(!action_->isChecked());
    RaiseClick();
}

void Menu::RaiseClick() {
    if (Click) RunHandler(this, "Click", Click);
}

void Menu::AddSeparator() { ensureMenu()->addSeparator(); }
QString Menu::Caption() const { return action_->text(); }

void Menu::setCaption(const QString& c) {
    action_->setText(c);
    if (menu_) menu_->setTitle(c);
}

bool Menu::Checked() const { return action_->isChecked(); }

void Menu::setChecked(bool c) {
    action_->setCheckable(true);
    action_->setChecked(c);
}

bool Menu::Enabled() const { return action_->isEnabled(); }
void Menu::setEnabled(bool e) { action_->setEnabled(e); }
bool Menu::Visible() const { return action_->isVisible(); }
void Menu::setVisible(bool v) { action_->setVisible(v); }

void Menu::setShortcut(const QKeySequence& k) {
    action_->setShortcut(k);
    action_->setShortcutContext(Qt::WindowShortcut);
    form_.addAction(action_);
}

} // namespace tylog::vb
