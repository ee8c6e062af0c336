#include "records/fileoperations.h"

#include <QFile>
#include <QFileInfo>

bool isWriteProtected(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() && (!file.isWritable() || !file.permission(QFileDevice::WriteOwner));
}

void makeWritableByOwner(const QString &path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
