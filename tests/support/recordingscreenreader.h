#ifndef TESSARO_TESTS_SUPPORT_RECORDINGSCREENREADER_H
#define TESSARO_TESTS_SUPPORT_RECORDINGSCREENREADER_H

#include "speech/screenreaderfront.h"

#include <QStringList>

#include <memory>

// A running screen reader that writes down every announcement: the text, followed by
// " (interrupt)" when it was to cut off the current speech.
class RecordingDriver : public ScreenReaderDriver
{
public:
    explicit RecordingDriver(QStringList *log)
        : ScreenReaderDriver(u"recorder", true, true), m_log(log)
    { }

    bool output(const std::u16string &text, bool interrupt) override
    {
        m_log->append(QString::fromStdU16String(text)
            + (interrupt ? QStringLiteral(" (interrupt)") : QString()));
        return true;
    }
    bool speak(const std::u16string &, bool) override { return true; }
    bool braille(const std::u16string &) override { return true; }
    bool isSpeaking() override { return false; }
    bool silence() override { return true; }
    bool isActive() override { return true; }

private:
    QStringList *m_log;
};

// A loaded front over one recording driver that writes to log.
inline std::unique_ptr<ScreenReaderFront> recordingFront(QStringList *log)
{
    auto front = std::make_unique<ScreenReaderFront>([log] {
        ScreenReaderDriverList drivers;
        drivers.push_back(std::make_unique<RecordingDriver>(log));
        return drivers;
    });
    front->load();
    return front;
}

struct RecordingScreenReader
{
    QStringList announced;
    std::unique_ptr<ScreenReaderFront> ownedFront = recordingFront(&announced);
    ScreenReaderFront &front = *ownedFront;
};

#endif
