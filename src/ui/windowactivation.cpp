#include "ui/windowactivation.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

class ModalCloseWatcher : public QObject
{
public:
    explicit ModalCloseWatcher(QWidget *mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            const auto *window = static_cast<QWidget *>(watched);
            if (window->isWindow() && window->isModal())
                QTimer::singleShot(0, this, &ModalCloseWatcher::activateTopWindow);
        }
        return false;
    }

private:
    void activateTopWindow()
    {
        QWidget *target = QApplication::activeModalWidget();
        if (!target)
            target = m_mainWindow;
        if (!target || !target->isVisible() || QApplication::activeWindow() == target)
            return;
        target->raise();
        target->activateWindow();
    }

    QPointer<QWidget> m_mainWindow;
};

} // namespace

void keepAWindowActive(QWidget *mainWindow)
{
    new ModalCloseWatcher(mainWindow);
}
