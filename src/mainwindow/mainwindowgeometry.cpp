#include "mainwindow/mainwindowgeometry.h"

#include "ui/dialoggeometry.h"

#include <algorithm>

MainWindowGeometry layoutMainWindow(const MainWindowMeasures &m)
{
    MainWindowGeometry g;
    g.dayNumberPanelWidth
        = std::min(m.client.width(), std::max(m.client.width() / 5, m.dayNumberText));
    g.hintPanelWidth = m.client.width() - g.dayNumberPanelWidth;
    // The status bar takes the height of the hint's lines, its margins as for one line.
    g.statusBarHeight = m.statusBarHeight;
    if (m.hintHeightForWidth) {
        g.statusBarHeight = std::max(g.statusBarHeight,
            m.hintHeightForWidth(g.hintPanelWidth) + m.statusBarHeight - m.lineHeight);
    }
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
    const auto widthOf = [&m](int index) {
        return std::max(kMainButtonWidth, m.buttonCaptions[size_t(index)]);
    };
    g.nextDayButton = QRect(kMargin, buttonTop, widthOf(0), buttonHeight);
    g.participantListButton
        = QRect(g.infoEdit.right() + 1 - widthOf(2), buttonTop, widthOf(2), buttonHeight);
    g.previousDayButton
        = QRect((m.client.width() - widthOf(1)) / 2, buttonTop, widthOf(1), buttonHeight);
    const int gapLeft = g.nextDayButton.right() + 1 + kMargin;
    const int gapRight = g.participantListButton.left() - kMargin;
    if (gapRight - gapLeft < widthOf(1)) {
        // No room between the neighbours: the three in rows, as many side by side as fit.
        const ButtonRows rows
            = fitButtonRow(ButtonMeasures{buttonHeight, {widthOf(0), widthOf(1), widthOf(2)}}, 3,
                std::max({widthOf(0), widthOf(1), widthOf(2)}), g.infoEdit.right() + 1 + kMargin,
                buttonTop);
        g.nextDayButton = rows.buttons.at(0);
        g.previousDayButton = rows.buttons.at(1);
        g.participantListButton = rows.buttons.at(2);
    } else if (g.previousDayButton.left() < gapLeft || g.previousDayButton.right() >= gapRight) {
        g.previousDayButton.moveLeft(gapLeft + (gapRight - gapLeft - widthOf(1)) / 2);
    }
    const int buttonsBottom = std::max(
        {g.nextDayButton.bottom(), g.previousDayButton.bottom(), g.participantListButton.bottom()});

    g.content = QSize(std::max(m.client.width(), g.infoEdit.right() + 1 + kMargin),
        std::max(statusBarTop, buttonsBottom + 1 + kMargin));
    return g;
}
