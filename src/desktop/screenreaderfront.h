#ifndef TESSARO_DESKTOP_SCREENREADERFRONT_H
#define TESSARO_DESKTOP_SCREENREADERFRONT_H

#include "desktop/screenreaderplatform.h"

#include <QString>

#include <functional>

// The text with every "&" removed, doubled ones included: "&Ja" gives "Ja", "A&&B" gives "AB".
// Captions pass through it before they are spoken, shown in a message or measured.
QString StripAmpersands(const QString &text);

// The program's one way to the running screen reader. Every operation detects the running
// screen reader anew, so that one started or closed while the program runs is followed at once,
// and forwards to its driver. Without a running screen reader every operation answers false (or
// an empty name) and nothing happens; nothing here shows a message or throws.
class TScreenReaderFront
{
public:
    using DriverFactory = std::function<TScreenReaderDriverList()>;

    // The front over this platform's drivers.
    TScreenReaderFront();
    // The front over the drivers the factory makes when loading, in detection order.
    explicit TScreenReaderFront(DriverFactory factory);
    // Unloads.
    ~TScreenReaderFront();

    TScreenReaderFront(const TScreenReaderFront &) = delete;
    TScreenReaderFront &operator=(const TScreenReaderFront &) = delete;

    bool IsLoaded() const { return m_isLoaded; }
    // Prepares the thread (COM on Windows) and creates the drivers; a second call creates none.
    void Load();
    // Frees the drivers and undoes the thread preparation; does nothing when not loaded.
    void Unload();

    // The name of the first driver, in detection order, that reports its screen reader active
    // and does so again when asked once more; empty when none or not loaded. An exception from
    // a driver counts as no screen reader running.
    QString DetectScreenReader();

    bool HasSpeech();
    bool HasBraille();
    // Speech and Braille. An empty text answers false at once, without detection.
    bool Output(const QString &text, bool interrupt);
    bool Speak(const QString &text, bool interrupt);
    bool Braille(const QString &text);
    bool IsSpeaking();
    bool Silence();
    bool Stop();

private:
    TScreenReaderDriver *runningDriver();

    DriverFactory m_factory;
    bool m_isLoaded = false;
    bool m_holdsThreadPreparation = false;
    TScreenReaderDriverList m_list;
    // The driver found running by the last detection.
    TScreenReaderDriver *m_currentSRD = nullptr;
};

#endif
