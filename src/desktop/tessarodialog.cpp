#include "desktop/tessarodialog.h"

#include "desktop/appearance.h"
#include "desktop/dialoggeometry.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>

TessaroDialog::TessaroDialog(QWidget *mainWindow, LookKinds kinds, bool rearmsCentring)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
    , m_kinds(kinds)
    , m_rearmsCentring(rearmsCentring)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void TessaroDialog::SchriftartZuweisen()
{
    SchriftartZuweisen(AktSchrift(), AktHintergrund());
}

void TessaroDialog::SchriftartZuweisen(const TessaroFont &font, const QColor &background)
{
    applyLook(font, background);
    SchalterEinrichten();
}

void TessaroDialog::applyLook(const TessaroFont &font, const QColor &background)
{
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (qobject_cast<QPushButton *>(control)) {
            applyButtonLook(control, font);
            continue;
        }
        const bool takesLook = (m_kinds.labels && qobject_cast<QLabel *>(control))
            || (m_kinds.edits
                && (qobject_cast<QLineEdit *>(control)
                    || qobject_cast<QAbstractSpinBox *>(control)))
            || (m_kinds.listBoxes && qobject_cast<QListWidget *>(control))
            || (m_kinds.radioGroups
                && (qobject_cast<QGroupBox *>(control) || qobject_cast<QRadioButton *>(control)))
            || (m_kinds.richEdits && qobject_cast<QTextEdit *>(control))
            || (m_kinds.statusBars && qobject_cast<QStatusBar *>(control));
        if (takesLook)
            applyTextControlLook(control, font, background);
    }
}

void TessaroDialog::reject()
{
    done(mrCancel);
}

void TessaroDialog::FormShow()
{
    SchalterEinrichten();
}

int TessaroDialog::buttonHeight() const
{
    const QPushButton *button = findChild<QPushButton *>();
    return ZeilenHoehe(button ? button->font() : font(), ControlKind::Button);
}

void TessaroDialog::setClientSize(QSize client)
{
    setFixedSize(client);
    FensterEinrichten();
}

void TessaroDialog::FensterEinrichten()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QPoint position = dialogPosition(screen->geometry().size(), size() + frame);
    move(position + screen->geometry().topLeft());
}

void TessaroDialog::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    if (m_centreOverMainWindow && m_mainWindow) {
        const QScreen *screen = m_mainWindow->screen();
        const QPoint workArea = screen ? screen->availableGeometry().topLeft() : QPoint();
        const QSize frame = frameGeometry().size() - geometry().size();
        move(centredOver(m_mainWindow->frameGeometry(), size() + frame, workArea));
    }
    m_centreOverMainWindow = false;
}

void TessaroDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // FormActivate: the next showing is centred over the main window again.
    if (m_rearmsCentring && event->type() == QEvent::ActivationChange && isActiveWindow())
        m_centreOverMainWindow = true;
}
