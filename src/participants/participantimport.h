#ifndef TESSARO_PARTICIPANTS_PARTICIPANTIMPORT_H
#define TESSARO_PARTICIPANTS_PARTICIPANTIMPORT_H

#include "records/textencoding.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The import of a class list ("Teilnehmer importieren"), without any widget: which rows of the
// list become participants, what the teacher is asked before anything is written, and the
// creation of their files.
//
// The first row is a head row when one of its fields is "Name", "Vorname", "Nachname",
// "Familienname", "Klasse" or "Kommentar" in any letter case; the columns are then found by
// these names, and the name is "Name" or else "Vorname Nachname" ("Familienname" for
// "Nachname"). Without a head row the columns are name, class and comment. Rows with nothing
// but blanks are passed over.

struct ImportedParticipant
{
    int line = 0;
    QString name;
    QString schoolClass;
    QString comment;

    bool operator==(const ImportedParticipant &) const = default;
};

struct ImportPlan
{
    // The participants to create, in the list's order.
    QList<ImportedParticipant> participants;
    // Rows left out: a participant of the name exists already (letter case ignored), the row
    // has no name, the name rules of the creation dialog refuse the name (or the class holds
    // "|", which would move the rest into the comment), an earlier row has the name already.
    int existing = 0;
    int withoutName = 0;
    int refused = 0;
    int repeated = 0;
    // One line for each row left out, in the list's order: "Zeile 7: kein Name".
    QStringList leftOut;
};

// Plans the import of a list's text against the names of the participants there are.
ImportPlan planImport(QStringView text, const QStringList &existingNames);

// The question asked before anything is written, or, when nobody is to be created, the
// information given instead: "25 Teilnehmer werden angelegt. 2 gibt es schon und bleiben
// unverändert. 1 Zeile hat keinen Namen." and what follows.
QString importQuestion(const ImportPlan &plan);

// The rows left out, for the text view.
QString leftOutText(const QString &listName, const ImportPlan &plan);
QString leftOutCaption();

struct ImportOutcome
{
    int created = 0;
    // The error text of every file that was not created, naming it.
    QStringList failures;
};

// Writes the new participants' files into folder as participant creation writes them, with the
// date text as their first day. A file that lies at a participant's path by now is left as it
// is and counted as a failure; a failure does not stop the others.
ImportOutcome createParticipants(const QString &folder,
    const QList<ImportedParticipant> &participants, const QString &date, TextEncoding encoding);

// The messages after the import: the files not created, and how many were.
QString notCreatedMessage(const QStringList &failures);
QString createdMessage(int created);

#endif
