#ifndef TESSARO_TESTS_SUPPORT_TESTFILES_H
#define TESSARO_TESTS_SUPPORT_TESTFILES_H

#include <QByteArray>
#include <QFile>
#include <QString>

// Reading and writing the files of a test.

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

#endif
