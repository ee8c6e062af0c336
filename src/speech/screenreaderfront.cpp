#include "speech/screenreaderfront.h"

#include <utility>

QString withoutAmpersands(const QString &text)
{
    QString stripped = text;
    stripped.remove(u'&');
    return stripped;
}

ScreenReaderFront::ScreenReaderFront() : ScreenReaderFront(&createPlatformScreenReaderDrivers) { }

ScreenReaderFront::ScreenReaderFront(DriverFactory factory) : m_factory(std::move(factory)) { }

ScreenReaderFront::~ScreenReaderFront()
{
    unload();
}

void ScreenReaderFront::load()
{
    if (prepareScreenReaderThread())
        m_holdsThreadPreparation = true;
    if (m_isLoaded)
        return;
    m_list = m_factory();
    m_currentDriver = nullptr;
    m_isLoaded = true;
}

void ScreenReaderFront::unload()
{
    if (!m_isLoaded)
        return;
    // Freed one by one in slot order, as they were made.
    for (auto &driver : m_list)
        driver.reset();
    m_list.clear();
    m_currentDriver = nullptr;
    if (m_holdsThreadPreparation) {
        releaseScreenReaderThread();
        m_holdsThreadPreparation = false;
    }
    m_isLoaded = false;
}

QString ScreenReaderFront::detectScreenReader()
{
    if (!m_isLoaded)
        return {};
    try {
        m_currentDriver = nullptr;
        for (const auto &driver : m_list) {
            if (driver->isActive()) {
                m_currentDriver = driver.get();
                break;
            }
        }
        // Asked once more: a driver may report active while it is still connecting and then
        // find it cannot.
        if (m_currentDriver && m_currentDriver->isActive())
            return QString::fromStdU16String(m_currentDriver->name());
    } catch (...) {
        // A failing screen reader counts as none running; the caller is told nothing.
    }
    m_currentDriver = nullptr;
    return {};
}

ScreenReaderDriver *ScreenReaderFront::runningDriver()
{
    detectScreenReader();
    return m_currentDriver;
}

bool ScreenReaderFront::hasSpeech()
{
    const ScreenReaderDriver *driver = runningDriver();
    return driver && driver->hasSpeech();
}

bool ScreenReaderFront::hasBraille()
{
    const ScreenReaderDriver *driver = runningDriver();
    return driver && driver->hasBraille();
}

bool ScreenReaderFront::output(const QString &text, bool interrupt)
{
    if (text.isEmpty())
        return false;
    ScreenReaderDriver *driver = runningDriver();
    return driver && driver->output(text.toStdU16String(), interrupt);
}

bool ScreenReaderFront::speak(const QString &text, bool interrupt)
{
    if (text.isEmpty())
        return false;
    ScreenReaderDriver *driver = runningDriver();
    return driver && driver->speak(text.toStdU16String(), interrupt);
}

bool ScreenReaderFront::braille(const QString &text)
{
    if (text.isEmpty())
        return false;
    ScreenReaderDriver *driver = runningDriver();
    return driver && driver->braille(text.toStdU16String());
}

bool ScreenReaderFront::isSpeaking()
{
    ScreenReaderDriver *driver = runningDriver();
    return driver && driver->isSpeaking();
}

bool ScreenReaderFront::silence()
{
    ScreenReaderDriver *driver = runningDriver();
    return driver && driver->silence();
}

bool ScreenReaderFront::stop()
{
    return silence();
}
