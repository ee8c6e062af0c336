#include "benchdata.h"

#include "records/dayformat.h"
#include "records/linelist.h"
#include "records/textencoding.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

QStringList dayLines(int days)
{
    QStringList lines;
    for (int day = 0; day < days; ++day) {
        lines << u"Mo., 6. Jänner 2025|Bemerkung zum Tag %1"_s.arg(day) << u"1"_s
              << u"Erste Zeile der Informationen zu diesem Tag"_s
              << u"Zweite Zeile der Informationen"_s << kSeparatorLine;
    }
    return lines;
}

const QString &participantFileFolder()
{
    static QTemporaryDir dir;
    static const QString folder = dir.path() + u'/';
    return folder;
}

QString participantOf(int days)
{
    const QString name = u"Teilnehmer %1"_s.arg(days);
    const QString path = participantFileFolder() + name + u".dat"_s;
    if (QFile::exists(path))
        return name;
    LineList list;
    list.setLines(QStringList{u"4b|Kommentar zum Teilnehmer"_s} + dayLines(days));
    list.saveToFile(path);
    return name;
}

const QString &participantFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QByteArray body = encodeText(joinLines(dayLines(1000)), TextEncoding::Ansi);
        const QString path = dir.path() + u'/';
        for (int i = 0; i < kFolderParticipants; ++i) {
            const QString schoolClass = u"%1%2"_s.arg(i % 5 + 1).arg(QChar(i % 2 ? u'a' : u'A'));
            const QString name = u"%1 Teilnehmer %2"_s.arg(i % 3 ? u"Äpfel"_s : u"zora"_s).arg(i);
            QFile file(path + name + u".dat"_s);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the benchmark folder");
            file.write(
                encodeText(schoolClass + u"|Kommentar zum Teilnehmer\r\n"_s, TextEncoding::Ansi));
            file.write(body);
        }
        return path;
    }();
    return folder;
}

qsizetype readAndSplit(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().split('\n').size();
}

qsizetype readFirstLines(const QString &folder)
{
    qsizetype total = 0;
    QDirIterator entries(folder, QDir::Files);
    while (entries.hasNext()) {
        QFile file(entries.next());
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        total += file.readLine().size();
    }
    return total;
}

void BM_FirstLines(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        const qsizetype total = readFirstLines(folder);
        if (total < 0)
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(total);
    }
}
