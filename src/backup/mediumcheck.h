#ifndef TESSARO_BACKUP_MEDIUMCHECK_H
#define TESSARO_BACKUP_MEDIUMCHECK_H

#include <QByteArray>
#include <QString>

// Whether the file holds exactly these bytes as the medium has them: its pages are dropped from
// the page cache first, as sameAsOnMedium does with a copy. For the merged files of a run, whose
// bytes exist nowhere else. A file that cannot be read counts as different.
bool holdsOnMedium(const QString &path, const QByteArray &bytes);

#endif
