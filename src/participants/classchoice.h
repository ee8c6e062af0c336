#ifndef TESSARO_PARTICIPANTS_CLASSCHOICE_H
#define TESSARO_PARTICIPANTS_CLASSCHOICE_H

#include <QString>
#include <QStringList>

class QListWidget;

// The class list of the roll and of the absence summary: "(Alle)", then the classes of the data
// folder, as the class filter of the participant list offers them. It is a list box and not a
// combo box: Orca 43 reads no value of a Qt 6.4 combo box ("Klasse: combo box"), while it reads
// a list's current entry.

// Fills the list and makes preselected (letter case ignored), else "(Alle)", its current entry.
void setClassChoices(QListWidget *list, const QStringList &classes, const QString &preselected);
// The chosen class; empty for "(Alle)".
QString chosenClass(const QListWidget *list);

#endif
