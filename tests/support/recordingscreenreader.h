#ifndef TESSARO_TESTS_SUPPORT_RECORDINGSCREENREADER_H
#define TESSARO_TESTS_SUPPORT_RECORDINGSCREENREADER_H

#include "desktop/screenreaderfront.h"

#include <QStringList>

#include <memory>

// A running screen reader that writes down every announcement: the text, followed by
// " (interrupt)" when it was to cut off the current speech.
class RecordingDriver : public TScreenReaderDriver
{
public:
    explicit RecordingDriver(QStringList *log)
        : TScreenReaderDriver(u"recorder", true, true), m_log(log)
    { }

    bool Output(const std::u16string &text, bool interrupt) override
    {
        m_log->append(QString::fromStdU16String(text)
            + (interrupt ? QStringLiteral(" (interrupt)") : QString()));
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

// A loaded front over one recording driver.
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

#endif
