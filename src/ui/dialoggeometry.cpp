#include "ui/dialoggeometry.h"

#include <algorithm>

namespace {

// Top of a label of the given height centred on an edit.
int centredOn(const QRect &edit, int labelHeight)
{
    return edit.top() + (edit.height() - labelHeight) / 2;
}

QSize clientReaching(const QRect &rightmost, const QRect &lowest)
{
    return QSize(rightmost.right() + 1 + kDialogMargin, lowest.bottom() + 1 + kDialogMargin);
}

} // namespace

int minimumEditWidth(int buttonHeight)
{
    return 4 * buttonHeight;
}

int centredLeft(int clientWidth, int width)
{
    return (clientWidth - width) / 2;
}

ParticipantListGeometry layoutParticipantList(int buttonHeight, QSize label)
{
    ParticipantListGeometry g;
    const int w = kDialogButtonWidth;
    g.classesButton = QRect(kDialogMargin, 0, w, buttonHeight);
    g.okButton = QRect(g.classesButton.right() + 1 + w / 2, 0, w, buttonHeight);
    g.cancelButton = QRect(g.okButton.right() + 1 + w / 2, 0, w, buttonHeight);
    g.list = QRect(g.classesButton.left(), 2 * kDialogMargin + label.height(),
        g.cancelButton.right() + 1 - g.classesButton.left(), 5 * buttonHeight);
    const int buttonTop = g.list.bottom() + 1 + kDialogMargin;
    for (QRect *button : {&g.classesButton, &g.okButton, &g.cancelButton})
        button->moveTop(buttonTop);
    g.client = clientReaching(g.cancelButton, g.okButton);
    g.label = QRect(QPoint(centredLeft(g.client.width(), label.width()), kDialogMargin), label);
    return g;
}

ClassChooserGeometry layoutClassChooser(int buttonHeight)
{
    ClassChooserGeometry g;
    const int w = kDialogButtonWidth;
    g.okButton = QRect(kDialogMargin, 0, w, buttonHeight);
    g.cancelButton = QRect(g.okButton.right() + 1 + w / 2, 0, w, buttonHeight);
    g.list = QRect(
        kDialogMargin, kDialogMargin, g.cancelButton.right() + 1 - kDialogMargin, 5 * buttonHeight);
    const int buttonTop = 2 * kDialogMargin + g.list.height();
    g.okButton.moveTop(buttonTop);
    g.cancelButton.moveTop(buttonTop);
    g.client = clientReaching(g.cancelButton, g.okButton);
    return g;
}

CreationDialogGeometry layoutCreationDialog(
    int buttonHeight, const QSize (&labels)[3], int editHeight)
{
    CreationDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.okButton = QRect(kDialogMargin, 0, w, buttonHeight);
    g.cancelButton = QRect(g.okButton.left() + 2 * w, 0, w, buttonHeight);

    int labelColumn = 0;
    for (const QSize &label : labels)
        labelColumn = std::max(labelColumn, label.width());
    labelColumn += 5;
    const int editLeft = kDialogMargin + labelColumn;
    const int editWidth
        = std::max(minimumEditWidth(buttonHeight), g.cancelButton.right() + 1 - editLeft);

    int top = kDialogMargin;
    for (int i = 0; i < 3; ++i) {
        g.edits[i] = QRect(editLeft, top, editWidth, editHeight);
        g.labels[i]
            = QRect(QPoint(kDialogMargin, centredOn(g.edits[i], labels[i].height())), labels[i]);
        top += editHeight + kDialogMargin;
    }
    const int buttonTop = g.edits[2].bottom() + 1 + kDialogMargin;
    g.okButton.moveTop(buttonTop);
    g.cancelButton.moveTop(buttonTop);
    g.client = clientReaching(
        g.edits[2].right() > g.cancelButton.right() ? g.edits[2] : g.cancelButton, g.okButton);
    return g;
}

InputDialogGeometry layoutInputDialog(int buttonHeight, QSize label, int editHeight)
{
    InputDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.okButton = QRect(kDialogMargin, 0, w, buttonHeight);
    g.cancelButton = QRect(g.okButton.left() + 2 * w, 0, w, buttonHeight);
    const int editLeft = kDialogMargin + label.width() + 5;
    g.edit = QRect(editLeft, kDialogMargin,
        std::max(minimumEditWidth(buttonHeight), g.cancelButton.right() + 1 - editLeft),
        editHeight);
    g.label = QRect(QPoint(kDialogMargin, centredOn(g.edit, label.height())), label);
    const int buttonTop = 2 * kDialogMargin + g.edit.height();
    g.okButton.moveTop(buttonTop);
    g.cancelButton.moveTop(buttonTop);
    g.client = clientReaching(
        g.edit.right() > g.cancelButton.right() ? g.edit : g.cancelButton, g.okButton);
    return g;
}

TextViewGeometry layoutTextView(int buttonHeight)
{
    TextViewGeometry g;
    const int w = kDialogButtonWidth;
    g.printButton = QRect(kDialogMargin, 0, w, buttonHeight);
    g.saveButton = QRect(g.printButton.right() + 1 + buttonHeight, 0, w, buttonHeight);
    g.closeButton = QRect(g.saveButton.right() + 1 + buttonHeight, 0, w, buttonHeight);
    const int clientWidth = g.closeButton.right() + 1 + kDialogMargin;
    g.text = QRect(0, 0, clientWidth, 10 * buttonHeight);
    const int buttonTop = g.text.bottom() + 1 + kDialogMargin;
    for (QRect *button : {&g.printButton, &g.saveButton, &g.closeButton})
        button->moveTop(buttonTop);
    g.client = clientReaching(g.closeButton, g.printButton);
    return g;
}

BackupWindowGeometry layoutBackupWindow(int buttonHeight, int screenClientHeight)
{
    BackupWindowGeometry g;
    const int w = kBackupButtonWidth;
    const int buttonTop = screenClientHeight - buttonHeight - kDialogMargin;
    g.startButton = QRect(w, buttonTop, w, buttonHeight);
    g.refreshButton = QRect(2 * g.startButton.left() + w, buttonTop, w, buttonHeight);
    g.closeButton
        = QRect(g.refreshButton.right() + 1 + g.startButton.left(), buttonTop, w, buttonHeight);
    g.client = QSize(g.closeButton.right() + 1 + g.startButton.left(), screenClientHeight);
    g.volumeList = QRect(kDialogMargin, kDialogMargin, g.client.width() - 2 * kDialogMargin,
        (buttonTop - kDialogMargin - 20) / 2);
    g.log = QRect(g.volumeList.left(), g.volumeList.bottom() + 1 + kDialogMargin,
        g.volumeList.width(), g.volumeList.height());
    return g;
}

NumberDialogGeometry layoutNumberDialog(int buttonHeight, QSize label, int editHeight)
{
    NumberDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.edit = QRect(
        kDialogMargin + label.width() + kDialogMargin, kDialogMargin, 3 * buttonHeight, editHeight);
    g.label = QRect(QPoint(kDialogMargin, centredOn(g.edit, label.height())), label);
    const int clientWidth = g.edit.right() + 1 + kDialogMargin;
    const int buttonTop = 2 * kDialogMargin + g.edit.height();
    g.okButton = QRect((clientWidth - 2 * w) / 3, buttonTop, w, buttonHeight);
    g.cancelButton = QRect(2 * g.okButton.left() + w, buttonTop, w, buttonHeight);
    g.client = QSize(clientWidth, g.okButton.bottom() + 1 + kDialogMargin);
    return g;
}

ColourChooserGeometry layoutColourChooser(
    int buttonHeight, int buttonWidth, int listLineHeight, int margin)
{
    ColourChooserGeometry g;
    g.okButton = QRect(margin, 0, buttonWidth, buttonHeight);
    g.cancelButton = QRect(2 * g.okButton.left() + buttonWidth, 0, buttonWidth, buttonHeight);
    const int clientWidth = g.cancelButton.right() + 1 + g.okButton.left();
    g.list = QRect(margin, margin, clientWidth - 2 * margin, 20 * listLineHeight);
    const int buttonTop = g.list.bottom() + 1 + margin;
    g.okButton.moveTop(buttonTop);
    g.cancelButton.moveTop(buttonTop);
    g.client = QSize(clientWidth, g.okButton.bottom() + 1 + margin);
    return g;
}

QPoint dialogPosition(QSize screen, QSize window)
{
    return QPoint(std::max(0, (screen.width() - window.width()) / 2 - 1),
        std::max(0, (screen.height() - window.height()) / 2 - 1));
}

QPoint centredOver(const QRect &mainWindow, QSize window, QPoint workAreaTopLeft)
{
    return QPoint(std::max(workAreaTopLeft.x(),
                      mainWindow.left() + (mainWindow.width() - window.width()) / 2),
        std::max(
            workAreaTopLeft.y(), mainWindow.top() + (mainWindow.height() - window.height()) / 2));
}
