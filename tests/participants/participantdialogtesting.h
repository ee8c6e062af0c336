#ifndef TESSARO_TESTS_PARTICIPANTS_PARTICIPANTDIALOGTESTING_H
#define TESSARO_TESTS_PARTICIPANTS_PARTICIPANTDIALOGTESTING_H

#include "support/recordingscreenreader.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include <QDialog>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// What the dialog tests share: files, a screen reader that records, and running the real modal
// dialogs.

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Types the text key by key, as a keyboard would, also letters beyond ASCII.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(
            QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

// What every dialog test runs with: scripted messages, a recording screen reader, the default
// font and a main window the dialogs belong to.
struct DialogEnvironment
{
    DialogEnvironment() { currentFont() = defaultFont(); }

    MessageScript messages;
    RecordingScreenReader reader;
    QWidget mainWindow;
};

// Runs steps once the dialog has been shown (by exec or open). When the steps leave it open,
// for instance because a check failed, it is cancelled, so that the test goes on.
inline void whenShown(QDialog &dialog, std::function<void()> steps)
{
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
        steps();
        if (dialog.isVisible())
            dialog.reject();
    });
}

// Shows the dialog modally and runs steps in it; the dialog's result.
inline int execWith(QDialog &dialog, std::function<void()> steps)
{
    whenShown(dialog, std::move(steps));
    return dialog.exec();
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
