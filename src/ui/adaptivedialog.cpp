#include "ui/adaptivedialog.h"

#include "ui/appearance.h"
#include "ui/dialoggeometry.h"

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
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>

AdaptiveDialog::AdaptiveDialog(QWidget *mainWindow, LookKinds kinds, bool rearmsCentring)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
    , m_kinds(kinds)
    , m_rearmsCentring(rearmsCentring)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void AdaptiveDialog::applyAppearance()
{
    applyAppearance(currentFont(), currentBackground());
}

void AdaptiveDialog::applyAppearance(const DisplayFont &font, const QColor &background)
{
    applyLook(font, background);
    layoutControls();
}

void AdaptiveDialog::applyLook(const DisplayFont &font, const QColor &background)
{
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        // Windows of their own that the dialog owns (a file dialog, a popup menu) keep theirs.
        if (control->window() != this)
            continue;
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

void AdaptiveDialog::prepareToShow()
{
    layoutControls();
}

int AdaptiveDialog::buttonHeight() const
{
    const QPushButton *button = findChild<QPushButton *>();
    return textLineHeight(button ? button->font() : font(), ControlKind::Button);
}

ButtonMeasures AdaptiveDialog::measureButtons(std::initializer_list<const QPushButton *> row) const
{
    ButtonMeasures measures{buttonHeight(), {}};
    for (const QPushButton *button : row)
        measures.captionWidths.append(button->sizeHint().width());
    return measures;
}

QSize AdaptiveDialog::frameSize() const
{
    return frameGeometry().size() - geometry().size();
}

QSize AdaptiveDialog::maxClientSize() const
{
    const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shownOn)
        return kUnlimitedClient;
    // Before the first showing the frame is not known: a title bar and borders are assumed.
    const QSize frame = isVisible() ? frameSize() : QSize(20, 50);
    m_assumedFrame = frame;
    return shownOn->availableGeometry().size() - frame;
}

QSize AdaptiveDialog::fittedLabelSize(QLabel *label, int maxWidth) const
{
    label->setWordWrap(false);
    const QSize natural = label->sizeHint();
    if (natural.width() <= maxWidth)
        return natural;
    label->setWordWrap(true);
    return QSize(maxWidth, label->heightForWidth(maxWidth));
}

int AdaptiveDialog::widestEntryWidth(const QListWidget *list)
{
    return list->sizeHintForColumn(0) + 2 * list->frameWidth()
        + list->verticalScrollBar()->sizeHint().width();
}

void AdaptiveDialog::setClientSize(QSize client)
{
    setFixedSize(client);
    placeWindow();
}

void AdaptiveDialog::placeWindow()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QPoint position = dialogPosition(screen->geometry().size(), size() + frame);
    move(position + screen->geometry().topLeft());
}

void AdaptiveDialog::showEvent(QShowEvent *event)
{
    prepareToShow();
    QDialog::showEvent(event);
    if (m_centreOverMainWindow && m_mainWindow) {
        const QScreen *screen = m_mainWindow->screen();
        const QPoint workArea = screen ? screen->availableGeometry().topLeft() : QPoint();
        const QSize frame = frameGeometry().size() - geometry().size();
        move(centredOver(m_mainWindow->frameGeometry(), size() + frame, workArea));
    }
    m_centreOverMainWindow = false;
}

void AdaptiveDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Once active, the next showing is centred over the main window again.
    if (m_rearmsCentring)
        m_centreOverMainWindow = true;
    // The frame is known now; a layout that assumed another one is made again.
    if (m_assumedFrame.isValid() && frameSize() != m_assumedFrame)
        layoutControls();
}
