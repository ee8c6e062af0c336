#include "speech/sounds.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void asteriskPlaysTheInformationSound();
    void asteriskFallsBackToTheBeep();

private:
    QByteArray m_path;
    QTemporaryDir m_folder;
};

void TestSounds::init()
{
    m_path = qgetenv("PATH");
    QVERIFY(m_folder.isValid());
    // Only the programs of the test folder can be found.
    qputenv("PATH", QFile::encodeName(m_folder.path()));
}

void TestSounds::cleanup()
{
    qputenv("PATH", m_path);
}

void TestSounds::asteriskPlaysTheInformationSound()
{
    // A player that writes down its arguments, one a line, with shell built-ins only.
    const QString player = m_folder.filePath(u"canberra-gtk-play"_s);
    const QString log = m_folder.filePath(u"arguments"_s);
    QFile script(player);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + QFile::encodeName(log) + "\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QVERIFY(playInformationSound());
    const auto arguments = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    };
    QTRY_VERIFY(arguments().contains("--id=dialog-information"));
}

void TestSounds::asteriskFallsBackToTheBeep()
{
    QVERIFY(playInformationSound());
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
