#ifndef TESSARO_TESTS_APP_HANDOVERTESTING_H
#define TESSARO_TESTS_APP_HANDOVERTESTING_H

#include <QSaveFile>
#include <QTest>

// Leaves the bytes in the hand-over store at once, as a program that writes it properly does.
inline void leaveInStore(const QString &storePath, const QByteArray &bytes)
{
    QSaveFile file(storePath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.commit());
}

#endif
