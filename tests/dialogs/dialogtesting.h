#ifndef TESSARO_TESTS_DIALOGS_DIALOGTESTING_H
#define TESSARO_TESTS_DIALOGS_DIALOGTESTING_H

#include "desktop/appearance.h"
#include "desktop/screenreaderfront.h"

#include <QDialog>
#include <QFile>
#include <QTest>
#include <QTimer>

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

// A running screen reader that writes down what it is given to announce.
class RecordingDriver : public TScreenReaderDriver
{
public:
    explicit RecordingDriver(QStringList *log)
        : TScreenReaderDriver(u"recorder", true, true), m_log(log)
    { }

    bool Output(const std::u16string &text, bool) override
    {
        m_log->append(QString::fromStdU16String(text));
        return true;
    }
    bool Speak(const std::u16string &, bool) override { return true; }
    bool Braille(const std::u16string &) override { return true; }
    bool IsSpeaking() override { return false; }
    bool Silence() override { return true; }
    bool IsActive() override { return true; }

private:
    QStringList *m_log;
};

struct RecordingScreenReader
{
    RecordingScreenReader() { front.Load(); }

    QStringList announced;
    TScreenReaderFront front{[this] {
        TScreenReaderDriverList drivers;
        drivers.push_back(std::make_unique<RecordingDriver>(&announced));
        return drivers;
    }};
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

inline TessaroFont fontOfSize(int points)
{
    TessaroFont font = defaultFont();
    font.font.setPointSize(points);
    return font;
}

#endif
