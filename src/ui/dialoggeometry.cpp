#include "ui/dialoggeometry.h"

#include <algorithm>
#include <numeric>

namespace {

// Top of a label of the given height centred on an edit.
int centredOn(const QRect &edit, int labelHeight)
{
    return edit.top() + (edit.height() - labelHeight) / 2;
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

int sharedButtonWidth(int designWidth, const ButtonMeasures &buttons)
{
    int width = designWidth;
    for (int caption : buttons.captionWidths)
        width = std::max(width, caption);
    return width;
}

ButtonRows fitButtonRow(
    const ButtonMeasures &buttons, int count, int sharedWidth, int width, int top)
{
    const int margin = kDialogMargin;
    QList<int> widths(count, sharedWidth);
    auto total = [&widths] {
        return std::accumulate(widths.cbegin(), widths.cend(), 0);
    };
    if (total() + (count + 1) * margin > width) {
        for (int i = 0; i < count; ++i)
            widths[i] = std::min(buttons.captionWidths.value(i), width - 2 * margin);
    }
    ButtonRows rows;
    if (total() + (count + 1) * margin <= width) {
        // One row with equal gaps left, between and right.
        const int gap = (width - total()) / (count + 1);
        int left = gap;
        for (int w : std::as_const(widths)) {
            rows.buttons.append(QRect(left, top, w, buttons.height));
            left += w + gap;
        }
        rows.height = buttons.height;
        return rows;
    }
    int left = margin;
    int rowTop = top;
    for (int w : std::as_const(widths)) {
        if (left > margin && left + w + margin > width) {
            left = margin;
            rowTop += buttons.height + margin;
        }
        rows.buttons.append(QRect(left, rowTop, w, buttons.height));
        left += w + margin;
    }
    rows.height = rowTop + buttons.height - top;
    return rows;
}

namespace {

// Puts the row's buttons where fitButtonRow places them within the client width.
int refitRow(const ButtonMeasures &buttons, int sharedWidth, int clientWidth, int top,
    std::initializer_list<QRect *> row)
{
    const ButtonRows rows = fitButtonRow(buttons, int(row.size()), sharedWidth, clientWidth, top);
    int i = 0;
    for (QRect *button : row)
        *button = rows.buttons.at(i++);
    return rows.height;
}

} // namespace

ParticipantListGeometry layoutParticipantList(
    const ButtonMeasures &buttons, QSize label, int widestEntry, QSize maxClient)
{
    ParticipantListGeometry g;
    const int b = buttons.height;
    const int w = sharedButtonWidth(kDialogButtonWidth, buttons);
    g.classesButton = QRect(kDialogMargin, 0, w, b);
    g.okButton = QRect(g.classesButton.right() + 1 + w / 2, 0, w, b);
    g.cancelButton = QRect(g.okButton.right() + 1 + w / 2, 0, w, b);
    const int rowWidth = g.cancelButton.right() + 1 + kDialogMargin;
    const int clientWidth = std::min(maxClient.width(),
        std::max({rowWidth, widestEntry + 2 * kDialogMargin, label.width() + 2 * kDialogMargin}));
    g.list = QRect(
        kDialogMargin, 2 * kDialogMargin + label.height(), clientWidth - 2 * kDialogMargin, 5 * b);
    const int buttonTop = g.list.bottom() + 1 + kDialogMargin;
    int rowHeight = b;
    if (rowWidth > clientWidth) {
        rowHeight = refitRow(
            buttons, w, clientWidth, buttonTop, {&g.classesButton, &g.okButton, &g.cancelButton});
    } else {
        for (QRect *button : {&g.classesButton, &g.okButton, &g.cancelButton})
            button->moveTop(buttonTop);
    }
    g.client = QSize(clientWidth, buttonTop + rowHeight + kDialogMargin);
    const int labelWidth = std::min(label.width(), clientWidth - 2 * kDialogMargin);
    g.label
        = QRect(centredLeft(clientWidth, labelWidth), kDialogMargin, labelWidth, label.height());
    return g;
}

ClassChooserGeometry layoutClassChooser(
    const ButtonMeasures &buttons, int widestEntry, QSize maxClient)
{
    ClassChooserGeometry g;
    const int b = buttons.height;
    const int w = sharedButtonWidth(kDialogButtonWidth, buttons);
    g.okButton = QRect(kDialogMargin, 0, w, b);
    g.cancelButton = QRect(g.okButton.right() + 1 + w / 2, 0, w, b);
    const int rowWidth = g.cancelButton.right() + 1 + kDialogMargin;
    const int clientWidth
        = std::min(maxClient.width(), std::max(rowWidth, widestEntry + 2 * kDialogMargin));
    g.list = QRect(kDialogMargin, kDialogMargin, clientWidth - 2 * kDialogMargin, 5 * b);
    const int buttonTop = 2 * kDialogMargin + g.list.height();
    int rowHeight = b;
    if (rowWidth > clientWidth) {
        rowHeight = refitRow(buttons, w, clientWidth, buttonTop, {&g.okButton, &g.cancelButton});
    } else {
        g.okButton.moveTop(buttonTop);
        g.cancelButton.moveTop(buttonTop);
    }
    g.client = QSize(clientWidth, buttonTop + rowHeight + kDialogMargin);
    return g;
}

namespace {

// The two buttons of the creation and input dialogs: "O&K" at the margin, "&Abbrechen" one
// button width further, below the edits ending at editsBottom; the edits reach from editLeft
// to the right edge of "&Abbrechen", but are at least minimumEditWidth wide, and the window
// grows to hold them, up to the limit. Returns the client size and the edits' width.
std::pair<QSize, int> layoutEditsAndButtons(const ButtonMeasures &buttons, int editLeft,
    int editsBottom, QSize maxClient, QRect &okButton, QRect &cancelButton)
{
    const int b = buttons.height;
    const int w = sharedButtonWidth(kDialogButtonWidth, buttons);
    okButton = QRect(kDialogMargin, 0, w, b);
    cancelButton = QRect(okButton.left() + 2 * w, 0, w, b);
    const int rowWidth = cancelButton.right() + 1 + kDialogMargin;
    const int wantedEditWidth = std::max(minimumEditWidth(b), cancelButton.right() + 1 - editLeft);
    const int clientWidth = std::min(
        maxClient.width(), std::max(rowWidth, editLeft + wantedEditWidth + kDialogMargin));
    const int editWidth = std::min(wantedEditWidth, clientWidth - kDialogMargin - editLeft);
    const int buttonTop = editsBottom + 1 + kDialogMargin;
    int rowHeight = b;
    if (rowWidth > clientWidth) {
        rowHeight = refitRow(buttons, w, clientWidth, buttonTop, {&okButton, &cancelButton});
    } else {
        okButton.moveTop(buttonTop);
        cancelButton.moveTop(buttonTop);
    }
    return {QSize(clientWidth, buttonTop + rowHeight + kDialogMargin), editWidth};
}

} // namespace

CreationDialogGeometry layoutCreationDialog(
    const ButtonMeasures &buttons, const QSize (&labels)[3], int editHeight, QSize maxClient)
{
    CreationDialogGeometry g;
    int labelColumn = 0;
    for (const QSize &label : labels)
        labelColumn = std::max(labelColumn, label.width());
    labelColumn += 5;
    const int editLeft = kDialogMargin + labelColumn;
    const int editsBottom = kDialogMargin + 3 * editHeight + 2 * kDialogMargin - 1;
    const auto [client, editWidth] = layoutEditsAndButtons(
        buttons, editLeft, editsBottom, maxClient, g.okButton, g.cancelButton);
    int top = kDialogMargin;
    for (int i = 0; i < 3; ++i) {
        g.edits[i] = QRect(editLeft, top, editWidth, editHeight);
        g.labels[i]
            = QRect(QPoint(kDialogMargin, centredOn(g.edits[i], labels[i].height())), labels[i]);
        top += editHeight + kDialogMargin;
    }
    g.client = client;
    return g;
}

InputDialogGeometry layoutInputDialog(
    const ButtonMeasures &buttons, QSize label, int editHeight, QSize maxClient)
{
    InputDialogGeometry g;
    const int editLeft = kDialogMargin + label.width() + 5;
    const auto [client, editWidth] = layoutEditsAndButtons(
        buttons, editLeft, kDialogMargin + editHeight - 1, maxClient, g.okButton, g.cancelButton);
    g.edit = QRect(editLeft, kDialogMargin, editWidth, editHeight);
    g.label = QRect(QPoint(kDialogMargin, centredOn(g.edit, label.height())), label);
    g.client = client;
    return g;
}

namespace {

// The columns of a window of labelled fields over a row of two buttons.
struct FieldColumns
{
    int buttonWidth = 0;
    int editLeft = 0;
    int clientWidth = 0;
    bool buttonsFit = true;
};

FieldColumns fieldColumns(
    const ButtonMeasures &buttons, int labelWidth, int widestEntry, QSize maxClient)
{
    FieldColumns c;
    c.buttonWidth = sharedButtonWidth(kDialogButtonWidth, buttons);
    c.editLeft = kDialogMargin + labelWidth + 5;
    const int rowWidth = 3 * c.buttonWidth + 2 * kDialogMargin;
    c.clientWidth = std::min(maxClient.width(),
        std::max({rowWidth, c.editLeft + minimumEditWidth(buttons.height) + kDialogMargin,
            widestEntry + 2 * kDialogMargin}));
    c.buttonsFit = rowWidth <= c.clientWidth;
    return c;
}

// A label beside its field of that height, on the field's first line of lineHeight; the top of
// the next row.
int placeLabelledField(const FieldColumns &c, int top, QSize label, int height, int lineHeight,
    QRect &labelRect, QRect &field)
{
    field = QRect(c.editLeft, top, c.clientWidth - kDialogMargin - c.editLeft, height);
    labelRect = QRect(QPoint(kDialogMargin, top + (lineHeight - label.height()) / 2), label);
    return top + height + kDialogMargin;
}

// The two buttons at top; the height of their rows.
int placeButtonPair(
    const ButtonMeasures &buttons, const FieldColumns &c, int top, QRect &first, QRect &second)
{
    if (!c.buttonsFit)
        return refitRow(buttons, c.buttonWidth, c.clientWidth, top, {&first, &second});
    first = QRect(kDialogMargin, top, c.buttonWidth, buttons.height);
    second = QRect(kDialogMargin + 2 * c.buttonWidth, top, c.buttonWidth, buttons.height);
    return buttons.height;
}

int buttonRowsHeight(const ButtonMeasures &buttons, const FieldColumns &c)
{
    return c.buttonsFit ? buttons.height
                        : fitButtonRow(buttons, 2, c.buttonWidth, c.clientWidth, 0).height;
}

} // namespace

ClassRollGeometry layoutClassRoll(const ButtonMeasures &buttons, const QSize (&labels)[4],
    int editHeight, int widestEntry, QSize maxClient)
{
    ClassRollGeometry g;
    const int b = buttons.height;
    const FieldColumns c
        = fieldColumns(buttons, std::max({labels[0].width(), labels[1].width(), labels[3].width()}),
            std::max(widestEntry, labels[2].width()), maxClient);
    // Everything but the participant list, whose height gives way where the work area is lower.
    const int fixedHeight = 3 * b + 2 * editHeight + labels[2].height()
        + buttonRowsHeight(buttons, c) + 6 * kDialogMargin;
    const int listHeight = std::max(3 * b, std::min(8 * b, maxClient.height() - fixedHeight));
    int top = placeLabelledField(
        c, kDialogMargin, labels[0], 3 * b, editHeight, g.classLabel, g.classList);
    top = placeLabelledField(c, top, labels[1], editHeight, editHeight, g.dateLabel, g.dateEdit);
    g.listLabel = QRect(QPoint(kDialogMargin, top), labels[2]);
    g.list = QRect(
        kDialogMargin, g.listLabel.bottom() + 1, c.clientWidth - 2 * kDialogMargin, listHeight);
    top = placeLabelledField(c, g.list.bottom() + 1 + kDialogMargin, labels[3], editHeight,
        editHeight, g.remarkLabel, g.remarkEdit);
    top += placeButtonPair(buttons, c, top, g.saveButton, g.cancelButton);
    g.client = QSize(c.clientWidth, top + kDialogMargin);
    return g;
}

AbsencePeriodGeometry layoutAbsencePeriod(const ButtonMeasures &buttons, const QSize (&labels)[3],
    int editHeight, int widestEntry, QSize maxClient)
{
    AbsencePeriodGeometry g;
    const FieldColumns c
        = fieldColumns(buttons, std::max({labels[0].width(), labels[1].width(), labels[2].width()}),
            widestEntry, maxClient);
    int top = placeLabelledField(
        c, kDialogMargin, labels[0], 3 * buttons.height, editHeight, g.classLabel, g.classList);
    top = placeLabelledField(c, top, labels[1], editHeight, editHeight, g.fromLabel, g.fromEdit);
    top = placeLabelledField(c, top, labels[2], editHeight, editHeight, g.toLabel, g.toEdit);
    top += placeButtonPair(buttons, c, top, g.okButton, g.cancelButton);
    g.client = QSize(c.clientWidth, top + kDialogMargin);
    return g;
}

SchoolYearGeometry layoutSchoolYear(const ButtonMeasures &buttons, const QSize (&labels)[2],
    int editHeight, int widestEntry, QSize maxClient)
{
    SchoolYearGeometry g;
    const int b = buttons.height;
    const int labelWidth = std::max(labels[0].width(), labels[1].width());
    // The list stands in the fields' column, beside the labels.
    const FieldColumns c
        = fieldColumns(buttons, labelWidth, widestEntry + labelWidth + 5, maxClient);
    const int fixedHeight = editHeight + buttonRowsHeight(buttons, c) + 4 * kDialogMargin;
    const int listHeight = std::max(3 * b, std::min(8 * b, maxClient.height() - fixedHeight));
    int top = placeLabelledField(
        c, kDialogMargin, labels[0], listHeight, editHeight, g.classesLabel, g.classList);
    top = placeLabelledField(
        c, top, labels[1], editHeight, editHeight, g.newNameLabel, g.newNameEdit);
    top += placeButtonPair(buttons, c, top, g.okButton, g.cancelButton);
    g.client = QSize(c.clientWidth, top + kDialogMargin);
    return g;
}

TextViewGeometry layoutTextView(const ButtonMeasures &buttons, QSize maxClient)
{
    TextViewGeometry g;
    const int b = buttons.height;
    const int w = sharedButtonWidth(kDialogButtonWidth, buttons);
    g.printButton = QRect(kDialogMargin, 0, w, b);
    g.saveButton = QRect(g.printButton.right() + 1 + b, 0, w, b);
    g.closeButton = QRect(g.saveButton.right() + 1 + b, 0, w, b);
    const int rowWidth = g.closeButton.right() + 1 + kDialogMargin;
    const int clientWidth = std::min(maxClient.width(), rowWidth);
    int rowHeight = b;
    if (rowWidth > clientWidth) {
        rowHeight = fitButtonRow(buttons, 3, w, clientWidth, 0).height;
    }
    // The text gives up height where the work area is lower than ten button heights need.
    const int textHeight
        = std::max(3 * b, std::min(10 * b, maxClient.height() - rowHeight - 2 * kDialogMargin));
    g.text = QRect(0, 0, clientWidth, textHeight);
    const int buttonTop = g.text.bottom() + 1 + kDialogMargin;
    if (rowWidth > clientWidth) {
        refitRow(
            buttons, w, clientWidth, buttonTop, {&g.printButton, &g.saveButton, &g.closeButton});
    } else {
        for (QRect *button : {&g.printButton, &g.saveButton, &g.closeButton})
            button->moveTop(buttonTop);
    }
    g.client = QSize(clientWidth, buttonTop + rowHeight + kDialogMargin);
    return g;
}

BackupWindowGeometry layoutBackupWindow(
    const ButtonMeasures &buttons, int screenClientHeight, int maxClientWidth)
{
    BackupWindowGeometry g;
    const int b = buttons.height;
    const int w = sharedButtonWidth(kBackupButtonWidth, buttons);
    int buttonTop = screenClientHeight - b - kDialogMargin;
    g.startButton = QRect(w, buttonTop, w, b);
    g.refreshButton = QRect(2 * g.startButton.left() + w, buttonTop, w, b);
    g.closeButton = QRect(g.refreshButton.right() + 1 + g.startButton.left(), buttonTop, w, b);
    const int rowWidth = g.closeButton.right() + 1 + g.startButton.left();
    const int clientWidth = std::min(maxClientWidth, rowWidth);
    if (rowWidth > clientWidth) {
        const int rowHeight = fitButtonRow(buttons, 3, w, clientWidth, 0).height;
        buttonTop = screenClientHeight - rowHeight - kDialogMargin;
        refitRow(
            buttons, w, clientWidth, buttonTop, {&g.startButton, &g.refreshButton, &g.closeButton});
    }
    g.client = QSize(clientWidth, screenClientHeight);
    g.volumeList = QRect(kDialogMargin, kDialogMargin, g.client.width() - 2 * kDialogMargin,
        (buttonTop - kDialogMargin - 20) / 2);
    g.log = QRect(g.volumeList.left(), g.volumeList.bottom() + 1 + kDialogMargin,
        g.volumeList.width(), g.volumeList.height());
    return g;
}

NumberDialogGeometry layoutNumberDialog(
    const ButtonMeasures &buttons, QSize label, int editHeight, QSize maxClient)
{
    NumberDialogGeometry g;
    const int b = buttons.height;
    const int w = sharedButtonWidth(kDialogButtonWidth, buttons);
    g.edit = QRect(kDialogMargin + label.width() + kDialogMargin, kDialogMargin, 3 * b, editHeight);
    g.label = QRect(QPoint(kDialogMargin, centredOn(g.edit, label.height())), label);
    // The rules' width may leave the buttons reaching beyond both edges of the window, their
    // captions cut; it is widened to hold them.
    const int rowWidth = 2 * w + 3 * kDialogMargin;
    const int clientWidth
        = std::min(maxClient.width(), std::max(g.edit.right() + 1 + kDialogMargin, rowWidth));
    const int buttonTop = 2 * kDialogMargin + g.edit.height();
    int rowHeight = b;
    if (rowWidth > clientWidth) {
        rowHeight = refitRow(buttons, w, clientWidth, buttonTop, {&g.okButton, &g.cancelButton});
    } else {
        g.okButton = QRect((clientWidth - 2 * w) / 3, buttonTop, w, b);
        g.cancelButton = QRect(2 * g.okButton.left() + w, buttonTop, w, b);
    }
    g.client = QSize(clientWidth, buttonTop + rowHeight + kDialogMargin);
    return g;
}

ColourChooserGeometry layoutColourChooser(
    int buttonHeight, int buttonWidth, int listLineHeight, int margin, QSize maxClient)
{
    ColourChooserGeometry g;
    g.okButton = QRect(margin, 0, buttonWidth, buttonHeight);
    g.cancelButton = QRect(2 * g.okButton.left() + buttonWidth, 0, buttonWidth, buttonHeight);
    const int clientWidth = g.cancelButton.right() + 1 + g.okButton.left();
    // Twenty lines, or what the work area leaves; the list scrolls through the rest.
    const int listHeight = std::max(3 * listLineHeight,
        std::min(20 * listLineHeight, maxClient.height() - buttonHeight - 3 * margin));
    g.list = QRect(margin, margin, clientWidth - 2 * margin, listHeight);
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
