#include "mainwindow/mainwindowgeometry.h"

#include "ui/dialoggeometry.h"

#include <algorithm>

MainWindowGeometry layoutMainWindow(const MainWindowMeasures &m)
{
    MainWindowGeometry g;
    g.statusBarHeight = m.statusBarHeight;
    const int buttonHeight = m.buttonHeight;
    const int statusBarTop = m.client.height() - g.statusBarHeight;

    int labelColumn = 0;
    for (const QSize &label : m.labels)
        labelColumn = std::max(labelColumn, label.width());
    labelColumn += 5;

    const int editLeft = kMargin + labelColumn;
    const int editWidth
        = std::max(minimumEditWidth(buttonHeight), m.client.width() - kMargin - editLeft);
    // Top to bottom: name, class, comment, date, remark, each 10 below the one before.
    constexpr int order[] = {0, 1, 3, 2, 4};
    int top = kMargin;
    for (int index : order) {
        g.edits[index] = QRect(editLeft, top, editWidth, m.editHeight);
        top += m.editHeight + kMargin;
    }
    for (int index = 0; index < 5; ++index) {
        const QSize &label = m.labels[index];
        const QRect &edit = g.edits[index];
        g.labels[index]
            = QRect(QPoint(kMargin, edit.top() + (edit.height() - label.height()) / 2), label);
    }

    g.presentGroup = QRect(editLeft, g.edits[4].bottom() + 1 + kMargin,
        labelColumn / 5 + labelColumn, (m.radioChoices + 1) * m.editHeight);
    g.labels[5] = QRect(QPoint(kMargin, g.presentGroup.bottom() + 1 + kMargin), m.labels[5]);

    const int richTop = g.labels[5].top();
    g.infoEdit = QRect(editLeft, richTop, editWidth,
        std::max(3 * m.lineHeight, (statusBarTop - 20 - richTop - buttonHeight) / 2));

    const int buttonTop = g.infoEdit.bottom() + 1 + kMargin;
    g.nextDayButton = QRect(kMargin, buttonTop, kMainButtonWidth, buttonHeight);
    g.participantListButton = QRect(
        g.infoEdit.right() + 1 - kMainButtonWidth, buttonTop, kMainButtonWidth, buttonHeight);
    g.previousDayButton = QRect(
        (m.client.width() - kMainButtonWidth) / 2, buttonTop, kMainButtonWidth, buttonHeight);

    g.content = QSize(std::max(m.client.width(), g.infoEdit.right() + 1 + kMargin),
        std::max(statusBarTop, g.nextDayButton.bottom() + 1 + kMargin));
    g.dayNumberPanelWidth = m.client.width() / 5;
    g.hintPanelWidth = m.client.width() - g.dayNumberPanelWidth;
    return g;
}
