#ifndef TESSARO_PARTICIPANTS_ITEMTEXTS_H
#define TESSARO_PARTICIPANTS_ITEMTEXTS_H

#include <QListWidget>
#include <QStringList>

// The texts of a list box's entries in their order.
inline QStringList itemTexts(const QListWidget *listBox)
{
    QStringList texts;
    texts.reserve(listBox->count());
    for (int row = 0; row < listBox->count(); ++row)
        texts.append(listBox->item(row)->text());
    return texts;
}

#endif
