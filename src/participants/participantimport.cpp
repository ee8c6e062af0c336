#include "participants/participantimport.h"

#include "participants/participantlisting.h"
#include "participants/participantname.h"

#include "records/dates.h"
#include "records/dayformat.h"
#include "records/delimitedtext.h"
#include "records/error.h"
#include "records/filereading.h"
#include "records/folderwrite.h"
#include "records/participantfile.h"

#include <QHash>
#include <QSet>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

// The longest name the creation dialog takes.
constexpr qsizetype kMaxNameLength = 100;

// Where the values of a row stand; -1 where the list has no such column.
struct Columns
{
    int name = -1;
    int firstName = -1;
    int lastName = -1;
    int schoolClass = -1;
    int comment = -1;
};

// The columns a head row names; nothing when the row is no head row.
std::optional<Columns> headColumns(const QStringList &fields)
{
    Columns columns;
    const std::pair<QString, int Columns::*> heads[]
        = {{u"Name"_s, &Columns::name}, {u"Vorname"_s, &Columns::firstName},
            {u"Nachname"_s, &Columns::lastName}, {u"Familienname"_s, &Columns::lastName},
            {u"Klasse"_s, &Columns::schoolClass}, {u"Kommentar"_s, &Columns::comment}};
    bool isHead = false;
    for (int i = 0; i < fields.size(); ++i) {
        const QString field = trimmedText(fields.at(i));
        for (const auto &[head, column] : heads) {
            if (columns.*column < 0 && sameIgnoringCase(field, head)) {
                columns.*column = i;
                isHead = true;
            }
        }
    }
    return isHead ? std::optional(columns) : std::nullopt;
}

// A field's text, trimmed; empty where the row has no such field.
QString fieldAt(const QStringList &fields, int column)
{
    return column >= 0 && column < fields.size() ? trimmedText(fields.at(column)) : QString();
}

// A class or comment: line breaks and other control characters of a quoted field would break
// the header line, so they become blanks.
QString valueAt(const QStringList &fields, int column)
{
    QString value = fields.value(column);
    for (QChar &c : value) {
        if (c.unicode() < 32)
            c = u' ';
    }
    return trimmedText(value);
}

// The name as the list gives it; its control characters stay for the name rules to refuse.
QString nameOf(const QStringList &fields, const Columns &columns)
{
    if (columns.name >= 0)
        return fieldAt(fields, columns.name);
    const QString first = fieldAt(fields, columns.firstName);
    const QString last = fieldAt(fields, columns.lastName);
    return first.isEmpty() || last.isEmpty() ? first + last : first + u' ' + last;
}

bool isBlankRow(const QStringList &fields)
{
    return std::all_of(fields.begin(), fields.end(),
        [](const QString &field) { return trimmedText(field).isEmpty(); });
}

// "1 Teilnehmer wird angelegt." or "25 Teilnehmer werden angelegt.": the text for one or for
// many, with the number in place of %1.
QString counted(int count, const QString &one, const QString &many)
{
    return (count == 1 ? one : many).arg(withThousandsDots(count));
}

} // namespace

ImportPlan planImport(QStringView text, const QStringList &existingNames)
{
    ImportPlan plan;
    QList<DelimitedRow> rows = readDelimitedRows(text, delimiterOf(text));
    Columns columns{0, -1, -1, 1, 2};
    if (!rows.isEmpty()) {
        if (const std::optional<Columns> head = headColumns(rows.first().fields)) {
            columns = *head;
            rows.removeFirst();
        }
    }
    QSet<QString> existing;
    for (const QString &name : existingNames)
        existing.insert(upperCased(name));
    QHash<QString, int> firstLines; // the line each name of the list was first met on
    for (const DelimitedRow &row : std::as_const(rows)) {
        if (isBlankRow(row.fields))
            continue;
        const QString name = nameOf(row.fields, columns);
        const QString schoolClass = valueAt(row.fields, columns.schoolClass);
        const QString line = u"Zeile %1: "_s.arg(row.line);
        if (name.isEmpty()) {
            ++plan.withoutName;
            plan.leftOut.append(line + u"kein Name"_s);
            continue;
        }
        std::optional<QString> refusal = participantNameError(name);
        if (!refusal && name.size() > kMaxNameLength)
            refusal = u"Der Name ist länger als %1 Zeichen."_s.arg(kMaxNameLength);
        if (!refusal && schoolClass.contains(u'|'))
            refusal = u"Die Klasse darf kein \"|\" enthalten."_s;
        if (refusal) {
            ++plan.refused;
            plan.leftOut.append(line + u"\"%1\": %2"_s.arg(name, *refusal));
            continue;
        }
        const QString upper = upperCased(name);
        if (existing.contains(upper)) {
            ++plan.existing;
            plan.leftOut.append(line + u"\"%1\" gibt es schon."_s.arg(name));
            continue;
        }
        if (const auto first = firstLines.constFind(upper); first != firstLines.cend()) {
            ++plan.repeated;
            plan.leftOut.append(
                line + u"\"%1\" steht schon in Zeile %2."_s.arg(name).arg(first.value()));
            continue;
        }
        firstLines.insert(upper, row.line);
        plan.participants.append(
            {row.line, name, schoolClass, valueAt(row.fields, columns.comment)});
    }
    return plan;
}

QString importQuestion(const ImportPlan &plan)
{
    const int count = int(plan.participants.size());
    QStringList sentences{count == 0 ? u"Kein Teilnehmer wird angelegt."_s
                                     : counted(count, u"%1 Teilnehmer wird angelegt."_s,
                                         u"%1 Teilnehmer werden angelegt."_s)};
    if (plan.existing > 0) {
        sentences.append(counted(plan.existing, u"%1 gibt es schon und bleibt unverändert."_s,
            u"%1 gibt es schon und bleiben unverändert."_s));
    }
    if (plan.withoutName > 0) {
        sentences.append(counted(
            plan.withoutName, u"%1 Zeile hat keinen Namen."_s, u"%1 Zeilen haben keinen Namen."_s));
    }
    if (plan.refused > 0) {
        sentences.append(counted(
            plan.refused, u"%1 Name ist nicht erlaubt."_s, u"%1 Namen sind nicht erlaubt."_s));
    }
    if (plan.repeated > 0) {
        sentences.append(counted(plan.repeated, u"%1 Name steht doppelt in der Liste."_s,
            u"%1 Namen stehen doppelt in der Liste."_s));
    }
    QString text = sentences.join(u' ');
    if (!plan.leftOut.isEmpty())
        text += u"\r\nDie ausgelassenen Zeilen stehen danach in der Textansicht."_s;
    if (count > 0) {
        text += count == 1 ? u"\r\nSoll der Teilnehmer jetzt angelegt werden?"_s
                           : u"\r\nSollen die Teilnehmer jetzt angelegt werden?"_s;
    }
    return text;
}

QString leftOutCaption()
{
    return u"Ausgelassene Zeilen"_s;
}

QString leftOutText(const QString &listName, const ImportPlan &plan)
{
    return u"Aus \"%1\" ausgelassen:\r\n"_s.arg(listName) + plan.leftOut.join(u"\r\n"_s);
}

ImportOutcome createParticipants(const QString &folder,
    const QList<ImportedParticipant> &participants, const QString &date, TextEncoding encoding)
{
    // All files are written first and put in place together, each only where its name is still
    // free: a participant created meanwhile, by another computer on the same folder or in another
    // letter case, is never replaced.
    FolderWrite write(folder);
    ImportOutcome outcome;
    QStringList written;
    for (const ImportedParticipant &participant : participants) {
        const QString fileName = participant.name + u".dat"_s;
        try {
            if (fileExists(folder + fileName))
                throw TessaroError(createErrorText(folder + fileName, systemErrorReason(EEXIST)));
            write.writeIn(fileName,
                newParticipantLines(participant.schoolClass, participant.comment, date, encoding)
                    .toBytes(),
                FolderWrite::Placing::Create);
            written.append(fileName);
        } catch (const TessaroError &failure) {
            outcome.failures.append(failure.text());
        }
    }
    const FolderWrite::Commit committed = write.commit(FolderWrite::AfterAFailure::PlaceTheOthers);
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (committed.placed.at(i))
            ++outcome.created;
        else
            outcome.failures.append(
                createErrorText(folder + written.at(i), systemErrorReason(EEXIST)));
    }
    if (outcome.created > 0 && !committed.confirmed)
        outcome.failures.append(createErrorText(folder, systemErrorReason(EIO)));
    return outcome;
}

QString notCreatedMessage(const QStringList &failures)
{
    return u"Diese Teilnehmerdateien wurden nicht angelegt:\r\n"_s + failures.join(u"\r\n"_s);
}

QString createdMessage(int created)
{
    return created == 0
        ? u"Kein Teilnehmer wurde angelegt!"_s
        : counted(created, u"%1 Teilnehmer wurde angelegt!"_s, u"%1 Teilnehmer wurden angelegt!"_s);
}
