#include "desktop/screenreaderfront.h"

#include <utility>

QString StripAmpersands(const QString &text)
{
    QString stripped = text;
    stripped.remove(u'&');
    return stripped;
}

TScreenReaderFront::TScreenReaderFront()
    : TScreenReaderFront(&createPlatformScreenReaderDrivers) { }

TScreenReaderFront::TScreenReaderFront(DriverFactory factory) : m_factory(std::move(factory)) { }

TScreenReaderFront::~TScreenReaderFront()
{
    Unload();
}

void TScreenReaderFront::Load()
{
    if (prepareScreenReaderThread())
        m_holdsThreadPreparation = true;
    if (m_isLoaded)
        return;
    m_list = m_factory();
    m_currentSRD = nullptr;
    m_isLoaded = true;
}

void TScreenReaderFront::Unload()
{
    if (!m_isLoaded)
        return;
    // Freed one by one in slot order, as they were made.
    for (auto &driver : m_list)
        driver.reset();
    m_list.clear();
    m_currentSRD = nullptr;
    if (m_holdsThreadPreparation) {
        releaseScreenReaderThread();
        m_holdsThreadPreparation = false;
    }
    m_isLoaded = false;
}

QString TScreenReaderFront::DetectScreenReader()
{
    if (!m_isLoaded)
        return {};
    try {
        m_currentSRD = nullptr;
        for (const auto &driver : m_list) {
            if (driver->IsActive()) {
                m_currentSRD = driver.get();
                break;
            }
        }
        // Asked once more: a driver may report active while it is still connecting and then
        // find it cannot.
        if (m_currentSRD && m_currentSRD->IsActive())
            return QString::fromStdU16String(m_currentSRD->Name());
    } catch (...) {
        // A failing screen reader counts as none running; the caller is told nothing.
    }
    m_currentSRD = nullptr;
    return {};
}

TScreenReaderDriver *TScreenReaderFront::runningDriver()
{
    DetectScreenReader();
    return m_currentSRD;
}

bool TScreenReaderFront::HasSpeech()
{
    const TScreenReaderDriver *driver = runningDriver();
    return driver && driver->HasSpeech();
}

bool TScreenReaderFront::HasBraille()
{
    const TScreenReaderDriver *driver = runningDriver();
    return driver && driver->HasBraille();
}

bool TScreenReaderFront::Output(const QString &text, bool interrupt)
{
    if (text.isEmpty())
        return false;
    TScreenReaderDriver *driver = runningDriver();
    return driver && driver->Output(text.toStdU16String(), interrupt);
}

bool TScreenReaderFront::Speak(const QString &text, bool interrupt)
{
    if (text.isEmpty())
        return false;
    TScreenReaderDriver *driver = runningDriver();
    return driver && driver->Speak(text.toStdU16String(), interrupt);
}

bool TScreenReaderFront::Braille(const QString &text)
{
    if (text.isEmpty())
        return false;
    TScreenReaderDriver *driver = runningDriver();
    return driver && driver->Braille(text.toStdU16String());
}

bool TScreenReaderFront::IsSpeaking()
{
    TScreenReaderDriver *driver = runningDriver();
    return driver && driver->IsSpeaking();
}

bool TScreenReaderFront::Silence()
{
    TScreenReaderDriver *driver = runningDriver();
    return driver && driver->Silence();
}

bool TScreenReaderFront::Stop()
{
    return Silence();
}
