#ifndef TESSARO_UI_ADAPTIVEDIALOG_H
#define TESSARO_UI_ADAPTIVEDIALOG_H

#include "ui/dialoggeometry.h"

#include <QDialog>
#include <QPointer>

#include <initializer_list>

class QColor;
class QLabel;
class QListWidget;
class QPushButton;
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
    // The button height and the width each of the buttons needs for its caption, in this order.
    ButtonMeasures measureButtons(std::initializer_list<const QPushButton *> row) const;
    // The largest client area the work area of the window's screen leaves around the window's
    // frame. The frame is known once the window has been shown; a layout that was limited by a
    // guessed frame is made again when the window becomes active.
    QSize maxClientSize() const;
    // Where a label wider than the client area may be leaves it: word-wrapped to that width.
    QSize fittedLabelSize(QLabel *label, int maxWidth) const;
    // The width a list needs to show its widest entry whole, frame and scroll bar included.
    static int widestEntryWidth(const QListWidget *list);
    // Fixes the client size and places the window on the screen.
    void setClientSize(QSize client);
    void placeWindow();

    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QSize frameSize() const;

    QPointer<QWidget> m_mainWindow;
    // The frame the last limited layout assumed.
    mutable QSize m_assumedFrame;
    LookKinds m_kinds;
    bool m_rearmsCentring;
    bool m_centreOverMainWindow = true;
};

#endif
