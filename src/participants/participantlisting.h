#ifndef TESSARO_PARTICIPANTS_PARTICIPANTLISTING_H
#define TESSARO_PARTICIPANTS_PARTICIPANTLISTING_H

#include <QString>
#include <QStringList>

#include <optional>

// The participants of a data folder as the participant list shows them, without any widget.
//
// Names and classes are compared without regard to letter case: equal when their German
// upper-case forms are equal ("ä" equals "Ä", "1a" equals "1A"), ordered as a German locale
// orders them (anton, Äpfel, Berta).

// German upper-casing: "jän" gives "JÄN", "ß" gives "SS".
QString upperCased(const QString &text);
bool sameIgnoringCase(const QString &a, const QString &b);
// Sorts ascending in German order ignoring case; texts equal so keep a fixed order among them.
void sortIgnoringCase(QStringList &texts);
// The positions of the texts in that order.
QList<qsizetype> orderIgnoringCase(const QStringList &texts);
// The position of an entry equal to text, an exactly equal one before one equal ignoring case;
// -1 when there is none.
qsizetype indexIgnoringCase(const QStringList &texts, const QString &text);

// The folder part of a path: everything up to and including the last "/"; empty without one.
QString folderPart(const QString &path);
// The participant a path names: its file name without the last extension. "A.B.dat" gives
// "A.B", a folder path ending in "/" gives the empty name.
QString participantName(const QString &path);

// The class test of one participant file: its class (that of the header line) is appended to
// classes unless an entry equal ignoring case is there already, and the result tells whether
// the file passes the filter, which an empty filter always does. A file without any line passes
// every filter and adds no class. Raises TessaroError when the file cannot be read.
bool classPasses(const QString &file, const QString &filter, QStringList &classes);

// The participants of the folder whose files pass the filter, sorted; the files are those
// participantFileNames lists. A file named ".dat" gives no name, but its class counts.
// classes receives the classes of all files, also of those the filter hides, sorted. A file
// that cannot be read ends the listing by raising TessaroError; classes then keeps the classes
// read so far.
QStringList listParticipants(const QString &folder, const QString &filter, QStringList &classes);

// The listed name of the participant of the folder whose name equals name ignoring case;
// empty when there is none. Raises TessaroError as the listing does.
std::optional<QString> existingParticipant(const QString &folder, const QString &name);

#endif
