#include "participants/participantlisting.h"

#include "records/datafolder.h"
#include "records/headerline.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

const QLocale &germanLocale()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

const QCollator &caseInsensitiveCollator()
{
    static const QCollator collator = [] {
        QCollator c(germanLocale());
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

QString upperCased(const QString &text)
{
    return germanLocale().toUpper(text);
}

bool sameIgnoringCase(const QString &a, const QString &b)
{
    return a == b || upperCased(a) == upperCased(b);
}

QList<qsizetype> orderIgnoringCase(const QStringList &texts)
{
    // One sort key per text instead of a collation per comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(texts.size()));
    for (const QString &text : texts)
        keys.push_back(caseInsensitiveCollator().sortKey(text));
    QList<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byCollation = keys[size_t(a)].compare(keys[size_t(b)]);
        return byCollation != 0 ? byCollation < 0 : texts.at(a) < texts.at(b);
    });
    return order;
}

void sortIgnoringCase(QStringList &texts)
{
    QStringList sorted;
    sorted.reserve(texts.size());
    for (const qsizetype index : orderIgnoringCase(texts))
        sorted.append(texts.at(index));
    texts = std::move(sorted);
}

qsizetype indexIgnoringCase(const QStringList &texts, const QString &text)
{
    const qsizetype exact = texts.indexOf(text);
    if (exact >= 0)
        return exact;
    const QString upper = upperCased(text);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (upperCased(texts.at(i)) == upper)
            return i;
    }
    return -1;
}

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString participantName(const QString &path)
{
    const QString fileName = path.sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

bool classPasses(const QString &file, const QString &filter, QStringList &classes)
{
    const std::optional<QString> header = readHeaderLine(file);
    if (!header)
        return true;
    const QString schoolClass = headerClass(*header);
    if (indexIgnoringCase(classes, schoolClass) < 0)
        classes.append(schoolClass);
    return filter.isEmpty() || sameIgnoringCase(filter, schoolClass);
}

QStringList listParticipants(const QString &folder, const QString &filter, QStringList &classes)
{
    QStringList names;
    // Files in the order the file system gives them: the first file of a class decides how the
    // class is spelled.
    const QStringList fileNames = participantFileNames(folder);
    for (const QString &fileName : fileNames) {
        if (classPasses(folder + fileName, filter, classes)) {
            const QString name = participantName(fileName);
            if (!name.isEmpty())
                names.append(name);
        }
    }
    sortIgnoringCase(names);
    sortIgnoringCase(classes);
    return names;
}

std::optional<QString> existingParticipant(const QString &folder, const QString &name)
{
    QStringList classes;
    const QStringList names = listParticipants(folder, QString(), classes);
    const qsizetype index = indexIgnoringCase(names, name);
    if (index < 0)
        return std::nullopt;
    return names.at(index);
}
