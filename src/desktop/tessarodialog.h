#ifndef TESSARO_DESKTOP_TESSARODIALOG_H
#define TESSARO_DESKTOP_TESSARODIALOG_H

#include <QDialog>
#include <QPointer>

class QColor;
struct TessaroFont;

// The results a dialog ends with.
enum ModalResult { mrOk = 1, mrCancel = 2, mrRetry = 4 };

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
// caller runs SchriftartZuweisen before showing it, showing runs FormShow (the layout and the
// window's own start steps), and it appears centred over the main window. Escape and the
// title bar's close button end it with mrCancel.
class TessaroDialog : public QDialog
{
    Q_OBJECT

public:
    // rearmsCentring: centred over the main window at every showing, not only the first.
    TessaroDialog(QWidget *mainWindow, LookKinds kinds, bool rearmsCentring);

    // Gives each control the current font and colour by its kind, then lays the window out.
    void SchriftartZuweisen();
    // The same with the font and colour given.
    void SchriftartZuweisen(const TessaroFont &font, const QColor &background);

    void reject() override;

protected:
    // Computes every control's place and the client size, then places the window.
    virtual void SchalterEinrichten() = 0;
    // The steps at showing; by default the layout.
    virtual void FormShow();
    // Applies the font and colour without the layout.
    void applyLook(const TessaroFont &font, const QColor &background);

    // The button height: a line of the buttons' font + 12.
    int buttonHeight() const;
    // Fixes the client size and places the window on the screen (FensterEinrichten).
    void setClientSize(QSize client);
    void FensterEinrichten();

    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPointer<QWidget> m_mainWindow;
    LookKinds m_kinds;
    bool m_rearmsCentring;
    bool m_centreOverMainWindow = true;
};

#endif
