#ifndef TESSARO_PARTICIPANTS_CLASSCHOICE_H
#define TESSARO_PARTICIPANTS_CLASSCHOICE_H

#include <QString>
#include <QStringList>

class QComboBox;

// The class field of the roll and of the absence summary: "(Alle)", then the classes of the data
// folder, as the class filter of the participant list offers them.

// Fills the box and chooses preselected (letter case ignored), else "(Alle)".
void setClassChoices(QComboBox *box, const QStringList &classes, const QString &preselected);
// The chosen class; empty for "(Alle)".
QString chosenClass(const QComboBox *box);

#endif
