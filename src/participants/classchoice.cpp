#include "participants/classchoice.h"

#include "participants/participantlisting.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

void setClassChoices(QComboBox *box, const QStringList &classes, const QString &preselected)
{
    box->clear();
    box->addItem(u"(Alle)"_s);
    box->addItems(classes);
    const qsizetype index = preselected.isEmpty() ? -1 : indexIgnoringCase(classes, preselected);
    box->setCurrentIndex(int(index + 1));
}

QString chosenClass(const QComboBox *box)
{
    return box->currentIndex() > 0 ? box->currentText() : QString();
}
