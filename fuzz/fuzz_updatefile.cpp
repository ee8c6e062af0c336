// Feeds arbitrary values into the update hand-over file, which the program writes into the shared
// temporary folder for the updater to read: the window title carries the open participant's name,
// which comes from a file name in the data folder, and the font name comes from the settings.
// Checks that the updater always reads the file as five lines with the program's title, the
// hand-over key and the font size in their places, each value as given where it holds no line
// break, and that the file written holds exactly those bytes.

#include "app/updatefile.h"

#include "records/windows1252.h"

#include "invariant.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// The line the updater reads for a value: the value itself unless it holds a line break.
void requireLine(const QByteArray &line, const QString &value, const char *what)
{
    const bool breaks = value.contains(u'\r') || value.contains(u'\n');
    require(breaks || line == Windows1252::encode(value), what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The font size from the first four bytes, then three values apart at zero bytes.
    qint32 points = 0;
    std::memcpy(&points, data, qMin(size, sizeof points));
    const QByteArray rest = size > sizeof points
        ? QByteArray(
            reinterpret_cast<const char *>(data) + sizeof points, qsizetype(size - sizeof points))
        : QByteArray();
    const QList<QByteArray> values = rest.split('\0');
    const UpdateInfo info{QString::fromUtf8(values.value(0)), QString::fromUtf8(values.value(1)),
        points, QString::fromUtf8(values.value(2))};

    const QByteArray bytes = updateFileBytes(info);
    require(bytes.endsWith("\r\n"), "every line ends in CR LF");
    const QByteArray text = QByteArray(bytes.chopped(2)).replace("\r\n", "\n");
    require(!text.contains('\r'), "no line break but CR LF");
    const QList<QByteArray> lines = text.split('\n');
    require(lines.size() == 5, "five lines");
    require(lines.at(0) == "Tessaro V1.01", "the program's title first");
    require(lines.at(3) == "Tessaro", "the hand-over key fourth");
    requireLine(lines.at(1), info.windowTitle, "the window title second");
    requireLine(lines.at(2), info.programPath, "the program's path third");
    require(lines.at(4).startsWith(QByteArray::number(points) + ' '), "the font size fifth");
    requireLine(lines.at(4).mid(QByteArray::number(points).size() + 1), info.fontName,
        "the font name after the size");

    static QTemporaryDir folder;
    const QString path = folder.filePath(u"Tessaro.cfg"_s);
    require(writeUpdateFile(path, bytes), "the file is written");
    QFile written(path);
    require(written.open(QIODevice::ReadOnly) && written.readAll() == bytes,
        "the file holds exactly the bytes");
    return 0;
}
