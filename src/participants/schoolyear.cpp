#include "participants/schoolyear.h"

#include "participants/participantlisting.h"

#include "records/atomicwrite.h"
#include "records/datafolder.h"
#include "records/dates.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"
#include "records/folderwrite.h"
#include "records/headerline.h"

#include <QDir>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString proposedClassName(const QString &schoolClass)
{
    const qsizetype start
        = std::find_if(schoolClass.begin(), schoolClass.end(), isDigit) - schoolClass.begin();
    if (start == schoolClass.size())
        return schoolClass;
    qsizetype end = start;
    while (end < schoolClass.size() && isDigit(schoolClass[end]))
        ++end;
    const QString digits = schoolClass.sliced(start, end - start);
    // Counted as text: a number of any length counts up, "09" to "10" and "99" to "100".
    QString next = digits;
    qsizetype at = next.size();
    while (at > 0 && next[at - 1] == u'9')
        next[--at] = u'0';
    if (at == 0)
        next.prepend(u'1');
    else
        next[at - 1] = QChar(next[at - 1].unicode() + 1);
    return schoolClass.left(start) + next + schoolClass.sliced(end);
}

QString schoolYearFolderName(QDate today)
{
    const int year = today.year();
    return u"Schuljahr %1-%2"_s.arg(year - 1).arg(year % 100, 2, 10, QChar(u'0'));
}

SchoolYearChange::SchoolYearChange(const QList<ClassRenaming> &renamings)
{
    for (const ClassRenaming &renaming : renamings) {
        if (renaming.newName != renaming.schoolClass)
            m_newNames.insert(upperCased(renaming.schoolClass), renaming.newName);
    }
}

SchoolYearChange::Kind SchoolYearChange::kindOf(const QString &schoolClass, QString *newName) const
{
    const auto found = m_newNames.constFind(upperCased(schoolClass));
    // A file whose class is spelled as the new name already keeps it.
    if (found == m_newNames.cend() || found.value() == schoolClass)
        return Kind::Unchanged;
    if (found.value().isEmpty())
        return Kind::Leaves;
    if (newName)
        *newName = found.value();
    return Kind::Renamed;
}

int SchoolYearChange::leavingClasses() const
{
    return int(std::count(m_newNames.cbegin(), m_newNames.cend(), QString()));
}

int SchoolYearChange::renamedClasses() const
{
    return int(m_newNames.size()) - leavingClasses();
}

QString newClassNameError(const ClassRenaming &renaming)
{
    const bool refused = std::any_of(renaming.newName.begin(), renaming.newName.end(),
        [](QChar c) { return c == u'|' || c.unicode() < 32 || c.unicode() == 127; });
    return refused ? u"Der neue Name der Klasse \"%1\" darf weder \"|\" noch ein Steuerzeichen "
                     u"enthalten!"_s.arg(renaming.schoolClass)
                   : QString();
}

namespace {

// Moves the file into the folder without replacing anything there.
void moveInto(const QString &path, const QString &targetFolder, const QString &fileName)
{
    if (!moveFileNoReplace(path, targetFolder + fileName)) {
        throw TessaroError(u"Die Datei \"%1\" konnte nicht in den Ordner \"%2\" verschoben "
                           u"werden!"_s.arg(path, targetFolder));
    }
}

// Moves a leaving participant's file into the year's folder.
void moveLeaving(const QString &folder, const QString &fileName, const QString &yearFolder)
{
    const QString target = folder + yearFolder + u'/';
    // A folder that cannot be made shows as the move that fails.
    QDir().mkpath(target);
    moveInto(folder + fileName, target, fileName);
    // The backup copy goes along, so that the data folder holds nothing of the participant.
    const QString backup = folder + fileName + u".bak"_s;
    if (fileExists(backup))
        moveInto(backup, target, fileName + u".bak"_s);
}

} // namespace

SchoolYearChange::Kind changeParticipantFile(const QString &folder, const QString &fileName,
    const SchoolYearChange &change, const QString &yearFolder)
{
    const QString path = folder + fileName;
    const QByteArray bytes = readWholeFile(path);
    QString newName;
    const SchoolYearChange::Kind kind = change.kindOf(headerClassOf(bytes), &newName);
    if (kind == SchoolYearChange::Kind::Renamed) {
        // The rename of the atomic write would pass over a write protection.
        if (isWriteProtected(path))
            throw TessaroError(createErrorText(path, systemErrorReason(EACCES)));
        writeFileAtomically(path, withHeaderClass(bytes, newName));
    } else if (kind == SchoolYearChange::Kind::Leaves) {
        moveLeaving(folder, fileName, yearFolder);
    }
    return kind;
}

SchoolYearOutcome changeSchoolYear(
    const QString &folder, const SchoolYearChange &change, const QString &yearFolder)
{
    SchoolYearOutcome outcome;
    // The renamed files are written first and put in place together, each only while it still
    // holds what was read; one that another copy changed meanwhile is changed again on its own,
    // as it is now.
    FolderWrite write(folder);
    QStringList written;
    for (const QString &fileName : participantFileNames(folder)) {
        try {
            const QString path = folder + fileName;
            const QByteArray bytes = readWholeFile(path);
            QString newName;
            switch (change.kindOf(headerClassOf(bytes), &newName)) {
            case SchoolYearChange::Kind::Renamed:
                // The rename would pass over a write protection.
                if (isWriteProtected(path))
                    throw TessaroError(createErrorText(path, systemErrorReason(EACCES)));
                write.writeIn(fileName, withHeaderClass(bytes, newName),
                    FolderWrite::Placing::ReplaceUnchanged, bytes);
                written.append(fileName);
                break;
            case SchoolYearChange::Kind::Leaves:
                moveLeaving(folder, fileName, yearFolder);
                ++outcome.moved;
                break;
            case SchoolYearChange::Kind::Unchanged:
                break;
            }
        } catch (const TessaroError &failure) {
            outcome.failures.append(failure.text());
        }
    }
    const FolderWrite::Commit committed = write.commit(FolderWrite::AfterAFailure::PlaceTheOthers);
    for (qsizetype i = 0; i < written.size(); ++i) {
        try {
            if (committed.placed.at(i)
                || changeParticipantFile(folder, written.at(i), change, yearFolder)
                    == SchoolYearChange::Kind::Renamed)
                ++outcome.renamed;
        } catch (const TessaroError &failure) {
            outcome.failures.append(failure.text());
        }
    }
    if (outcome.renamed > 0 && !committed.confirmed)
        outcome.failures.append(createErrorText(folder, systemErrorReason(EIO)));
    return outcome;
}

QString schoolYearQuestion(const SchoolYearChange &change, const QString &yearFolder)
{
    QStringList lines;
    if (const int renamed = change.renamedClasses(); renamed > 0) {
        lines.append(renamed == 1 ? u"1 Klasse erhält einen neuen Namen."_s
                                  : u"%1 Klassen erhalten einen neuen Namen."_s.arg(renamed));
    }
    if (const int leaving = change.leavingClasses(); leaving > 0) {
        lines.append(leaving == 1
                ? u"Die Teilnehmer von 1 Klasse kommen in den Ordner \"%1\"."_s.arg(yearFolder)
                : u"Die Teilnehmer von %1 Klassen kommen in den Ordner \"%2\"."_s.arg(
                    QString::number(leaving), yearFolder));
    }
    lines.append(u"Soll das neue Schuljahr jetzt beginnen?"_s);
    return lines.join(u"\r\n"_s);
}

QString schoolYearDoneMessage(const SchoolYearOutcome &outcome, const QString &yearFolder)
{
    return u"Das neue Schuljahr hat begonnen!\r\nNeue Klasse: %1 Teilnehmer\r\nIn \"%2\" "
           u"verschoben: %3 Teilnehmer"_s.arg(
               withThousandsDots(outcome.renamed), yearFolder, withThousandsDots(outcome.moved));
}

QString notChangedMessage(const QStringList &failures)
{
    return u"Diese Teilnehmerdateien konnten nicht geändert werden und sind unverändert:\r\n"_s
        + failures.join(u"\r\n"_s);
}
