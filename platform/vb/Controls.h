#pragma once
#include "platform/vb/Control.h"
#include "platform/vb/PictureBox.h"
#include "platform/EngineTimer.h"

#include <QAction>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <map>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QListWidget;
class QGroupBox;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class QTimer;
class QMenu;

namespace tylog::vb {

class Label : public Control {
    Q_OBJECT
public:
    Label(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    QString Caption() const;
    void setCaption(const QString& c); // raises Change when the caption changes
    int Alignment() const { return alignment_; }   // 0 left, 1 right, 2 centre
    void setAlignment(int a);
    int BackStyle() const { return backStyle_; }   // 0 transparent, 1 opaque
    void setBackStyle(int s);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void setBorderStyle(int s);
    void setWordWrap(bool w);
    QLabel* label() const;

protected:
    void applyColors() override;
    bool clickOnRelease() const override { return true; }
    bool captionBox(CaptionBox* box) const override;

private:
    int alignment_ = 0, backStyle_ = 1, borderStyle_ = 0;
};

class TextBox : public Control {
    Q_OBJECT
public:
    TextBox(Form& form, const QString& name, Control* container = nullptr, int index = -1, bool multiLine = false);
    QString Text() const;
    void setText(const QString& t);
    // Selection positions; in a multi-line box a line end counts as two characters, as in Text().
    int SelStart() const;
    void setSelStart(int s);
    int SelLength() const;
    void setSelLength(int n);
    QString SelText() const;
    void setSelText(const QString& t);
    int MaxLength() const { return maxLength_; } // a line end counts as two characters (CR LF)
    void setMaxLength(int n);
    bool Locked() const { return locked_; }
    void setLocked(bool l);
    void setAlignment(int a); // 0 left, 1 right, 2 centre
    // Inserts text as if typed: every character passes the form's KeyPress (with KeyPreview) and this
    // box's KeyPress first, so a paste can bring in nothing that typing could not.
    void PasteFiltered(const QString& text);
    bool MultiLine() const { return edit_ == nullptr; }
    QLineEdit* lineEdit() const { return edit_; }

protected:
    bool deliverChar(int keyAscii, QKeyEvent* e) override;
    bool deliverKey(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertText(const QString& t); // replaces the selection, within MaxLength
    void copySelection();
    void cutSelection();
    QLineEdit* edit_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    int maxLength_ = 0;
    bool locked_ = false;
};

class CommandButton : public Control {
    Q_OBJECT
public:
    CommandButton(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    QString Caption() const;
    void setCaption(const QString& c);
    bool Default = false, Cancel = false;
    void setPicture(const QPixmap& p);

protected:
    bool captionBox(CaptionBox* box) const override;
};

class OptionButton : public Control {
    Q_OBJECT
public:
    OptionButton(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    QString Caption() const;
    void setCaption(const QString& c);
    bool Value() const;
    // Setting true raises Click, as a click would.
    void setValue(bool v);
    QRadioButton* radio() const;

protected:
    bool captionBox(CaptionBox* box) const override;
};

class CheckBox : public Control {
    Q_OBJECT
public:
    CheckBox(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    QString Caption() const;
    void setCaption(const QString& c);
    int Value() const; // 0 unchecked, 1 checked, 2 grey
    // A change raises Click, as a click would.
    void setValue(int v);

protected:
    bool captionBox(CaptionBox* box) const override;
};

// What a list cell shows in a column `width` pixels wide: the text whole in the list's font, or whole
// a little smaller (down to 70 % of it), or cut with an ellipsis in the list's font.
struct FittedCell {
    QString text;
    QFont font;
};
FittedCell FitCellText(const QString& text, int width, const QFont& font);

class ListBox : public Control {
    Q_OBJECT
public:
    ListBox(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    void setList(int index, const QString& text);
    int ListIndex() const;
    void setListIndex(int index); // raises Click when it changes, as the user's choice would
    QString Text() const;
    bool Selected(int index) const;
    void setSelected(int index, bool sel);
    int TopIndex() const;
    void setTopIndex(int index);
    long ItemData(int index) const;
    void setItemData(int index, long value);
    bool Sorted = false;
    QListWidget* list() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepNoChoiceOnFocus();
};

class ComboBox : public Control {
    Q_OBJECT
public:
    ComboBox(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    void AddItem(const QString& item);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const;
    void setText(const QString& t);
    QComboBox* combo() const;
};

class Frame : public Control {
    Q_OBJECT
public:
    Frame(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    QString Caption() const;
    void setCaption(const QString& c);
    void setBorderStyle(int s); // 0 none, 1 fixed single

protected:
    bool clickOnRelease() const override { return true; }
};

class Image : public Control {
    Q_OBJECT
public:
    Image(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    void setPicture(const QPixmap& p);
    bool HasPicture() const;
    bool Stretch = true;

protected:
    bool clickOnRelease() const override { return true; }
};

// Loads a picture file; throws VbError when the file is missing or is not a picture.
QPixmap LoadPicture(const QString& path);

class Line : public Control {
    Q_OBJECT
public:
    Line(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void setX1(double v) { x1_ = v; applyGeometry(); }
    void setY1(double v) { y1_ = v; applyGeometry(); }
    void setX2(double v) { x2_ = v; applyGeometry(); }
    void setY2(double v) { y2_ = v; applyGeometry(); }
    void SetPoints(double x1, double y1, double x2, double y2);
    long BorderColor() const { return borderColor_; }
    void setBorderColor(long c);
    int BorderWidth = 1;
    int BorderStyle = 1; // 1 solid, 2 dash, 3 dot; set before the line is shown

protected:
    void applyGeometry() override;

private:
    friend class LineWidget;
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    long borderColor_ = 0;
};

struct ColumnHeader {
    QString Text;
    double Width = 1440;
    int Alignment = 0; // 0 left, 1 right, 2 centre: the header and the column's cells
};

class ListView : public Control {
    Q_OBJECT
public:
    ListView(Form& form, const QString& name, Control* container = nullptr, int index = -1);
    void AddColumn(const QString& text, double widthTwips);
    int ColumnCount() const;
    double ColumnWidth(int i) const;
    void setColumnWidth(int i, double twips);
    void ClearColumns();
    QTreeWidget* tree() const;

    // Rows (list items): the item text is column 0, sub-items follow.
    void ClearItems();
    int AddItem(const QStringList& texts); // returns the new row's index
    // Replaces every row at once (one insertion, one layout).
    void SetItems(const QList<QStringList>& rows);
    int ItemCount() const;
    QString ItemText(int row, int column = 0) const;
    int SelectedRow() const; // the selected row; -1 when none is selected
    void setSelectedRow(int row);
    QString ColumnText(int i) const;
    // Sorts the rows once by the text of one column (0 = the item text), ascending, letter case
    // ignored, ties kept in their order; later rows are added where they come, unsorted.
    void SortOnce(int column);
    // A click on a column header; the argument is the header's position, 1 = the first.
    std::function<void(int ColumnIndex)> ColumnClick;
    // Inserts a row at a position (0 = the top) and returns its index; RemoveItem drops one.
    int InsertItem(int row, const QStringList& texts);
    void RemoveItem(int row);
    // Puts a row in at the top and lets the rows beyond the first maxRows (at least 1) go, in one
    // change: the view lays its rows out once.
    void PushItem(const QStringList& texts, int maxRows);
    int ColumnAlignment(int i) const;
    void setColumnAlignment(int i, int alignment); // the header, the rows there are and those to come

protected:
    void applyGeometry() override;
    bool clickOnRelease() const override { return true; }

private:
    void alignCells(QTreeWidgetItem* item) const;
    // Whether a row added at the top or taken from the bottom can move the pixels of the rows shown
    // instead of drawing them all again: the view is shown, scrolled to its top, rows of one height.
    bool slides() const;
    void changeQuietly(const std::function<void()>& change);
    std::vector<ColumnHeader> columns_;
};

// A window's timer; interval 0 never fires. Under a virtual clock it runs on that clock's time. It is
// an EngineTimer owned by the window, so its errors name the window and the timer.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(Form& form, const QString& name, int interval = 0, bool enabled = true);
    QString Name;
    int Interval() const;
    void setInterval(int ms); // starts the count again, even at the same value
    bool Enabled() const;
    void setEnabled(bool e); // a change only: enabling a running timer does not restart its count
    std::function<void()> Tick; // the Timer event
    bool Running() const;

private:
    EngineTimer* timer_;
};

// A menu item. Items with children become menus; top-level items go into the form's menu bar.
class Menu : public QObject {
    Q_OBJECT
public:
    Menu(Form& form, const QString& name, const QString& caption);
    Menu(Menu& parent, const QString& name, const QString& caption);
    QString Name;
    QString Caption() const;
    void setCaption(const QString& c);
    bool Checked() const;
    void setChecked(bool c);
    bool Enabled() const;
    void setEnabled(bool e);
    bool Visible() const;
    void setVisible(bool v);
    void setShortcut(const QKeySequence& k);
    std::function<void()> Click;
    QAction* action() const { return action_; }
    void RaiseClick(); // through the error guard, as every handler the layer calls
    void AddSeparator();

private:
    QMenu* ensureMenu();
    void triggered();
    Form& form_;
    Menu* parent_ = nullptr;
    QAction* action_ = nullptr;
    QMenu* menu_ = nullptr;
};

// A control array: elements by index, made by the window or loaded at run time.
template <class T>
class ControlArray {
public:
    T& Add(Form& form, const QString& name, int index, Control* container = nullptr) {
        auto c = std::make_unique<T>(form, name, container, index);
        T& ref = *c;
        items_[index] = std::move(c);
        return ref;
    }
    T& operator[](int index) { return *items_.at(index); }
    const T& operator[](int index) const { return *items_.at(index); }
    bool Exists(int index) const { return items_.count(index) != 0; }
    void Unload(int index) { items_.erase(index); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    int Count() const { return static_cast<int>(items_.size()); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::map<int, std::unique_ptr<T>> items_;
};

} // namespace tylog::vb
