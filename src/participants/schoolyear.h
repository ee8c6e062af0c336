#ifndef TESSARO_PARTICIPANTS_SCHOOLYEAR_H
#define TESSARO_PARTICIPANTS_SCHOOLYEAR_H

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The change to a new school year ("Neues Schuljahr"), without any widget: every class of the
// data folder gets a new name in the header line of its participants' files, or leaves: its
// files move into a folder of the data folder named after the school year that ends, where the
// participant list does not look.

// The name proposed for a class: its first number counted up, keeping leading zeros ("4A"
// gives "5A", "10b" "11b", "09c" "10c"); a class without a digit keeps its name.
QString proposedClassName(const QString &schoolClass);

// The folder the files of leaving classes move to, named after the school year that ends. That
// is the school year that ends in the summer of today's calendar year: from January to July
// the one under way, from August on the one just ended. In 2026 it is "Schuljahr 2025-26".
QString schoolYearFolderName(QDate today);

// One class of the data folder and its new name; an empty new name means the class leaves.
struct ClassRenaming
{
    QString schoolClass;
    QString newName;

    bool operator==(const ClassRenaming &) const = default;
};

// What becomes of a file's class.
class SchoolYearChange
{
public:
    enum class Kind { Unchanged, Renamed, Leaves };

    // Classes are matched in any letter case. A class whose new name is exactly its name
    // changes nothing.
    explicit SchoolYearChange(const QList<ClassRenaming> &renamings);

    Kind kindOf(const QString &schoolClass, QString *newName = nullptr) const;
    // How many classes get a new name, and how many leave.
    int renamedClasses() const;
    int leavingClasses() const;
    bool changesAnything() const { return !m_newNames.isEmpty(); }

private:
    // The new names by upper-cased class.
    QHash<QString, QString> m_newNames;
};

// The new name of a class may hold neither "|" nor a control character, which would move the
// rest of the header line into the comment or break it; the refusal's text, or empty.
QString newClassNameError(const ClassRenaming &renaming);

struct SchoolYearOutcome
{
    int renamed = 0;
    int moved = 0;
    // The error text of every file that could not be changed or moved, naming it.
    QStringList failures;
};

// Changes every participant file of folder (ending in "/"); the files of leaving classes, with
// their backup copies, move into folder + yearFolder. A file that fails is left as it was and
// does not stop the others.
SchoolYearOutcome changeSchoolYear(
    const QString &folder, const SchoolYearChange &change, const QString &yearFolder);

// The one place where the year change reads a participant file and changes it: the file is read
// right before its new header line is written atomically (nothing else of it changes, and no
// backup copy is made: the change is one field, and the year change run backwards undoes it)
// or before it moves. Raises TessaroError with a text naming the file when that fails.
SchoolYearChange::Kind changeParticipantFile(const QString &folder, const QString &fileName,
    const SchoolYearChange &change, const QString &yearFolder);

// The question before the change, the message after it, and the files that failed.
QString schoolYearQuestion(const SchoolYearChange &change, const QString &yearFolder);
QString schoolYearDoneMessage(const SchoolYearOutcome &outcome, const QString &yearFolder);
QString notChangedMessage(const QStringList &failures);

#endif
