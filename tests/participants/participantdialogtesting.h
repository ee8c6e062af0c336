#ifndef TESSARO_TESTS_PARTICIPANTS_PARTICIPANTDIALOGTESTING_H
#define TESSARO_TESTS_PARTICIPANTS_PARTICIPANTDIALOGTESTING_H

#include "support/dialogtesting.h"
#include "support/testfiles.h"
#include "ui/appearance.h"

#include <QFile>
#include <QTest>
#include <QWidget>

// What the participant dialog tests share besides the general dialog helpers: files, typing, and
// the names the dialogs refuse.

// Types the text key by key, as a keyboard would, also letters beyond ASCII.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(
            QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

// Names the creation and the rename dialog refuse, one of each kind.
inline QStringList refusedNameExamples()
{
    using namespace Qt::StringLiterals;
    QStringList names;
    for (const QChar c : u"/\\:*?\"<>|"_s)
        names.append(u"An%1na"_s.arg(c));
    names << u"An\tna"_s << u"An\x7Fna"_s << u"."_s << u".."_s << u"  ..  "_s << u"con"_s
          << u"LPT1.txt"_s << u"../Otto"_s;
    return names;
}

inline DisplayFont fontOfSize(int points)
{
    DisplayFont font = defaultFont();
    font.font.setPointSize(points);
    return font;
}

#endif
