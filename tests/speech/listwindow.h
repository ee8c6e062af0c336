#ifndef TESSARO_TESTS_SPEECH_LISTWINDOW_H
#define TESSARO_TESTS_SPEECH_LISTWINDOW_H

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// A window with a list above a line edit, where the focus can go into the list and out of it.
struct ListWindow
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QListWidget *list = new QListWidget;
    QLineEdit *edit = new QLineEdit;

    // Shows the window and makes it active; false when it does not become active.
    bool show()
    {
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(list);
        layout->addWidget(edit);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

#endif
