#ifndef TESSARO_SPEECH_SCREENREADERFRONT_H
#define TESSARO_SPEECH_SCREENREADERFRONT_H

#include "speech/screenreaderplatform.h"

#include <QString>

#include <functional>

// The text with every "&" removed, doubled ones included: "&Ja" gives "Ja", "A&&B" gives "AB".
// Captions pass through it before they are spoken, shown in a message or measured.
QString withoutAmpersands(const QString &text);

// The program's one way to the running screen reader. Every operation detects the running
// screen reader anew, so that one started or closed while the program runs is followed at once,
// and forwards to its driver. Without a running screen reader every operation answers false (or
// an empty name) and nothing happens; nothing here shows a message or throws.
class ScreenReaderFront
{
public:
    using DriverFactory = std::function<ScreenReaderDriverList()>;

    // The front over this platform's drivers.
    ScreenReaderFront();
    // The front over the drivers the factory makes when loading, in detection order.
    explicit ScreenReaderFront(DriverFactory factory);
    // Unloads.
    ~ScreenReaderFront();

    ScreenReaderFront(const ScreenReaderFront &) = delete;
    ScreenReaderFront &operator=(const ScreenReaderFront &) = delete;

    bool isLoaded() const { return m_isLoaded; }
    // Prepares the thread (COM on Windows) and creates the drivers; a second call creates none.
    void load();
    // Frees the drivers and undoes the thread preparation; does nothing when not loaded.
    void unload();

    // The name of the first driver, in detection order, that reports its screen reader active
    // and does so again when asked once more; empty when none or not loaded. An exception from
    // a driver counts as no screen reader running.
    QString detectScreenReader();

    bool hasSpeech();
    bool hasBraille();
    // Speech and Braille. An empty text answers false at once, without detection.
    bool output(const QString &text, bool interrupt);
    bool speak(const QString &text, bool interrupt);
    bool braille(const QString &text);
    bool isSpeaking();
    bool silence();
    bool stop();

private:
    ScreenReaderDriver *runningDriver();

    DriverFactory m_factory;
    bool m_isLoaded = false;
    bool m_holdsThreadPreparation = false;
    ScreenReaderDriverList m_list;
    // The driver found running by the last detection.
    ScreenReaderDriver *m_currentDriver = nullptr;
};

#endif
