#ifndef TESSARO_UI_ADAPTIVEDIALOG_H
#define TESSARO_UI_ADAPTIVEDIALOG_H

#include <QDialog>
#include <QPointer>

class QColor;
struct DisplayFont;

// The kinds of control that take the background colour and the whole font; buttons always
// take the font's name, size and style only.
struct LookKinds
{
    bool labels = true;
    bool edits = true;
    bool listBoxes = true;
    bool radioGroups = true;
    bool richEdits = false;
    bool statusBars = false;
};

// A modal dialog that lays itself out from the current font and background colour: the
// caller runs applyAppearance before showing it, showing runs prepareToShow (the layout and the
// window's own start steps), and it appears centred over the main window. Escape and the
// title bar's close button end it with QDialog::Rejected.
class AdaptiveDialog : public QDialog
{
    Q_OBJECT

public:
    // rearmsCentring: centred over the main window at every showing, not only the first.
    AdaptiveDialog(QWidget *mainWindow, LookKinds kinds, bool rearmsCentring);

    // Gives each control the current font and colour by its kind, then lays the window out.
    void applyAppearance();
    // The same with the font and colour given.
    void applyAppearance(const DisplayFont &font, const QColor &background);

protected:
    // Computes every control's place and the client size, then places the window.
    virtual void layoutControls() = 0;
    // The steps at showing; by default the layout.
    virtual void prepareToShow();
    // Applies the font and colour without the layout.
    void applyLook(const DisplayFont &font, const QColor &background);

    // The button height: a line of the buttons' font + 12.
    int buttonHeight() const;
    // Fixes the client size and places the window on the screen.
    void setClientSize(QSize client);
    void placeWindow();

    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPointer<QWidget> m_mainWindow;
    LookKinds m_kinds;
    bool m_rearmsCentring;
    bool m_centreOverMainWindow = true;
};

#endif
