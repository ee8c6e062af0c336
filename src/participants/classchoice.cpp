#include "participants/classchoice.h"

#include "participants/participantlisting.h"

#include <QListWidget>

using namespace Qt::StringLiterals;

void setClassChoices(QListWidget *list, const QStringList &classes, const QString &preselected)
{
    list->clear();
    list->addItem(u"(Alle)"_s);
    list->addItems(classes);
    const qsizetype index = preselected.isEmpty() ? -1 : indexIgnoringCase(classes, preselected);
    list->setCurrentRow(int(index + 1));
}

QString chosenClass(const QListWidget *list)
{
    return list->currentRow() > 0 ? list->currentItem()->text() : QString();
}
