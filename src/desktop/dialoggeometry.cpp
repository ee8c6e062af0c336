#include "desktop/dialoggeometry.h"

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

ParticipantListGeometry layoutParticipantList(int buttonHeight, QSize label1)
{
    ParticipantListGeometry g;
    const int w = kDialogButtonWidth;
    g.button3 = QRect(kDialogMargin, 0, w, buttonHeight);
    g.button1 = QRect(g.button3.right() + 1 + w / 2, 0, w, buttonHeight);
    g.button2 = QRect(g.button1.right() + 1 + w / 2, 0, w, buttonHeight);
    g.listBox1 = QRect(g.button3.left(), 2 * kDialogMargin + label1.height(),
        g.button2.right() + 1 - g.button3.left(), 5 * buttonHeight);
    const int buttonTop = g.listBox1.bottom() + 1 + kDialogMargin;
    for (QRect *button : {&g.button3, &g.button1, &g.button2})
        button->moveTop(buttonTop);
    g.client = clientReaching(g.button2, g.button1);
    g.label1 = QRect(QPoint(centredLeft(g.client.width(), label1.width()), kDialogMargin), label1);
    return g;
}

ClassChooserGeometry layoutClassChooser(int buttonHeight)
{
    ClassChooserGeometry g;
    const int w = kDialogButtonWidth;
    g.button1 = QRect(kDialogMargin, 0, w, buttonHeight);
    g.button2 = QRect(g.button1.right() + 1 + w / 2, 0, w, buttonHeight);
    g.listBox1 = QRect(
        kDialogMargin, kDialogMargin, g.button2.right() + 1 - kDialogMargin, 5 * buttonHeight);
    const int buttonTop = 2 * kDialogMargin + g.listBox1.height();
    g.button1.moveTop(buttonTop);
    g.button2.moveTop(buttonTop);
    g.client = clientReaching(g.button2, g.button1);
    return g;
}

CreationDialogGeometry layoutCreationDialog(
    int buttonHeight, const QSize (&labels)[3], int editHeight)
{
    CreationDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.button1 = QRect(kDialogMargin, 0, w, buttonHeight);
    g.button2 = QRect(g.button1.left() + 2 * w, 0, w, buttonHeight);

    int labelColumn = 0;
    for (const QSize &label : labels)
        labelColumn = std::max(labelColumn, label.width());
    labelColumn += 5;
    const int editLeft = kDialogMargin + labelColumn;
    const int editWidth
        = std::max(minimumEditWidth(buttonHeight), g.button2.right() + 1 - editLeft);

    int top = kDialogMargin;
    for (int i = 0; i < 3; ++i) {
        g.edits[i] = QRect(editLeft, top, editWidth, editHeight);
        g.labels[i]
            = QRect(QPoint(kDialogMargin, centredOn(g.edits[i], labels[i].height())), labels[i]);
        top += editHeight + kDialogMargin;
    }
    const int buttonTop = g.edits[2].bottom() + 1 + kDialogMargin;
    g.button1.moveTop(buttonTop);
    g.button2.moveTop(buttonTop);
    g.client = clientReaching(
        g.edits[2].right() > g.button2.right() ? g.edits[2] : g.button2, g.button1);
    return g;
}

InputDialogGeometry layoutInputDialog(int buttonHeight, QSize label1, int editHeight)
{
    InputDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.button1 = QRect(kDialogMargin, 0, w, buttonHeight);
    g.button2 = QRect(g.button1.left() + 2 * w, 0, w, buttonHeight);
    const int editLeft = kDialogMargin + label1.width() + 5;
    g.edit1 = QRect(editLeft, kDialogMargin,
        std::max(minimumEditWidth(buttonHeight), g.button2.right() + 1 - editLeft), editHeight);
    g.label1 = QRect(QPoint(kDialogMargin, centredOn(g.edit1, label1.height())), label1);
    const int buttonTop = 2 * kDialogMargin + g.edit1.height();
    g.button1.moveTop(buttonTop);
    g.button2.moveTop(buttonTop);
    g.client = clientReaching(g.edit1.right() > g.button2.right() ? g.edit1 : g.button2, g.button1);
    return g;
}

TextViewGeometry layoutTextView(int buttonHeight)
{
    TextViewGeometry g;
    const int w = kDialogButtonWidth;
    g.button1 = QRect(kDialogMargin, 0, w, buttonHeight);
    g.button3 = QRect(g.button1.right() + 1 + buttonHeight, 0, w, buttonHeight);
    g.button2 = QRect(g.button3.right() + 1 + buttonHeight, 0, w, buttonHeight);
    const int clientWidth = g.button2.right() + 1 + kDialogMargin;
    g.richEdit1 = QRect(0, 0, clientWidth, 10 * buttonHeight);
    const int buttonTop = g.richEdit1.bottom() + 1 + kDialogMargin;
    for (QRect *button : {&g.button1, &g.button3, &g.button2})
        button->moveTop(buttonTop);
    g.client = clientReaching(g.button2, g.button1);
    return g;
}

BackupWindowGeometry layoutBackupWindow(int buttonHeight, int screenClientHeight)
{
    BackupWindowGeometry g;
    const int w = kBackupButtonWidth;
    const int buttonTop = screenClientHeight - buttonHeight - kDialogMargin;
    g.button1 = QRect(w, buttonTop, w, buttonHeight);
    g.button2 = QRect(2 * g.button1.left() + w, buttonTop, w, buttonHeight);
    g.button3 = QRect(g.button2.right() + 1 + g.button1.left(), buttonTop, w, buttonHeight);
    g.client = QSize(g.button3.right() + 1 + g.button1.left(), screenClientHeight);
    g.listBox1 = QRect(kDialogMargin, kDialogMargin, g.client.width() - 2 * kDialogMargin,
        (buttonTop - kDialogMargin - 20) / 2);
    g.richEdit1 = QRect(g.listBox1.left(), g.listBox1.bottom() + 1 + kDialogMargin,
        g.listBox1.width(), g.listBox1.height());
    return g;
}

NumberDialogGeometry layoutNumberDialog(int buttonHeight, QSize label1, int editHeight)
{
    NumberDialogGeometry g;
    const int w = kDialogButtonWidth;
    g.edit1 = QRect(kDialogMargin + label1.width() + kDialogMargin, kDialogMargin, 3 * buttonHeight,
        editHeight);
    g.label1 = QRect(QPoint(kDialogMargin, centredOn(g.edit1, label1.height())), label1);
    const int clientWidth = g.edit1.right() + 1 + kDialogMargin;
    const int buttonTop = 2 * kDialogMargin + g.edit1.height();
    g.button1 = QRect((clientWidth - 2 * w) / 3, buttonTop, w, buttonHeight);
    g.button2 = QRect(2 * g.button1.left() + w, buttonTop, w, buttonHeight);
    g.client = QSize(clientWidth, g.button1.bottom() + 1 + kDialogMargin);
    return g;
}

ColourChooserGeometry layoutColourChooser(
    int buttonHeight, int buttonWidth, int listLineHeight, int margin)
{
    ColourChooserGeometry g;
    g.button1 = QRect(margin, 0, buttonWidth, buttonHeight);
    g.button2 = QRect(2 * g.button1.left() + buttonWidth, 0, buttonWidth, buttonHeight);
    const int clientWidth = g.button2.right() + 1 + g.button1.left();
    g.listBox1 = QRect(margin, margin, clientWidth - 2 * margin, 20 * listLineHeight);
    const int buttonTop = g.listBox1.bottom() + 1 + margin;
    g.button1.moveTop(buttonTop);
    g.button2.moveTop(buttonTop);
    g.client = QSize(clientWidth, g.button1.bottom() + 1 + margin);
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
