#pragma once
#include "platform/vb/Control.h"

#include <QMenuBar>
#include <QWidget>
#include <functional>
#include <vector>

namespace tylog::vb {

enum FormShow : int { vbModeless = 0, vbModal = 1 };
enum UnloadMode : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2 };
enum WindowStates : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

// A window. It exists once (see Forms.h), is loaded when first touched, and is shown modeless or modal.
// Geometry is in twips: Width and Height are the outer size, ScaleWidth and ScaleHeight the inner.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;

    QString Name;

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { left_ = v; applyGeometry(); }
    void setTop(double v) { top_ = v; applyGeometry(); }
    void setWidth(double v) { width_ = v; applyGeometry(); }
    void setHeight(double v) { height_ = v; applyGeometry(); }
    void Move(double left, double top, double width, double height);
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Border and caption (and menu bar) in twips, outside the inner area.
    double NonClientWidth() const;
    double NonClientHeight() const;

    QString Caption() const { return caption_; }
    void setCaption(const QString& c);
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    QString FontName() const { return fontName_; }
    void setFontName(const QString& face);
    long BackColor() const { return backColor_; }
    void setBackColor(long bgr);
    // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    int WindowState() const { return windowState_; }
    void setWindowState(int state);
    bool KeyPreview = false;
    QString Icon; // not used on this platform

    bool IsLoaded() const { return loaded_ && !unloaded_; }
    bool Visible() const { return isVisible(); }
    void setVisible(bool v) override;
    // Loads the form when needed, then shows it; a modal show returns when the form hides or unloads.
    void Show(int modal = vbModeless);
    void Hide();
    void Refresh() { update(); }
    bool ShownModal() const { return modalDepth_ > 0; }

    QWidget* client() const { return client_; }
    QMenuBar* menuBar();
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* ActiveControl() const { return focused_; }

    // Runs Form_Load once.
    void Load();

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel; (void)UnloadMode; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Terminate() {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
    virtual void Form_KeyUp(int& KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
    virtual void Form_KeyPress(int& KeyAscii) { (void)KeyAscii; }
    virtual void Form_Click() {}
    // The pointer moving over the window's own background (not over a control), button held or not.
    virtual void Form_MouseMove(int Button, int Shift, double X, double Y) { (void)Button; (void)Shift; (void)X; (void)Y; }

    // Focus events are delivered at once: SetFocus and SendTab return after the old control's
    // LostFocus and the new one's GotFocus have run, whether the window is active or not (Qt sends them
    // synchronously to an active window; for an inactive one the layer raises them itself). Another
    // window becoming active raises neither: the control keeps the focus for when the window returns.

    // Applies the tab order from the controls' TabIndex values; windows call it after laying out.
    void ApplyTabOrder();
    // Moves the focus on as the Tab key would, raising LostFocus and GotFocus: to the next tab stop
    // by TabIndex after the focused control (which need not be a tab stop itself).
    void SendTab(bool backwards = false);

    // Called by Unload; the instance slot clears itself through it.
    std::function<void()> onUnloaded;

signals:
    void hiddenOrUnloaded();

protected:
    void applyGeometry();
    void layoutClient(); // the menu bar and the client area inside the window
    // Keys that reach the form itself (no control has the focus): its own handlers; true when handled.
    bool formKey(QKeyEvent* e);
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class Control;
    friend bool Unload(Form& form, int mode);
    friend void DiscardAllForms();
    // Adds the control; returns how many controls the form had made before it (unloaded ones count).
    int registerControl(Control* c);
    void forgetControl(Control* c);
    void focusIn(Control* c);
    void focusOut(Control* c);
    QSize pixelSize() const; // the inner size in pixels, menu bar included
    void bringToFront();
    void focusFirstControl();
    int pxX(double twips) const;
    int pxY(double twips) const;

    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::vector<Control*> controls_;
    int controlsMade_ = 0;
    Control* focused_ = nullptr;
    double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    QString caption_;
    double fontSize_ = 8.25;
    QString fontName_;
    long backColor_ = -1;
    int borderStyle_ = 2;
    int windowState_ = vbNormal;
    bool loaded_ = false, unloaded_ = false, applying_ = false;
    int modalDepth_ = 0;
};

// Closes a form the way the program does: QueryUnload and Form_Unload may refuse (false); otherwise the
// form is hidden, its timers stop, Form_Terminate runs and the instance is dropped, so the next touch
// loads a new one. A window made by Instance() is deleted later; one made by its caller is left to it.
bool Unload(Form& form, int mode = vbFormCode);
void DiscardAllForms();

} // namespace tylog::vb
