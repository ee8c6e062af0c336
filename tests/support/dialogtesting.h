#ifndef TESSARO_TESTS_SUPPORT_DIALOGTESTING_H
#define TESSARO_TESTS_SUPPORT_DIALOGTESTING_H

#include "support/recordingscreenreader.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

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

#endif
