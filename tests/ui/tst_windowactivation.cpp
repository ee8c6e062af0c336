#include "ui/windowactivation.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class TestWindowActivation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aWindowIsActiveAfterModalsClose();
};

void TestWindowActivation::aWindowIsActiveAfterModalsClose()
{
    // Regression: a message box and then its dialog closing left no window of the program
    // active, so keys reached nothing.
    QMainWindow mainWindow;
    auto *fields = new QWidget;
    auto *layout = new QVBoxLayout(fields);
    auto *nameEdit = new QLineEdit;
    auto *dateEdit = new QLineEdit;
    layout->addWidget(nameEdit);
    layout->addWidget(dateEdit);
    mainWindow.setCentralWidget(fields);
    keepAWindowActive(&mainWindow);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));

    QDialog dialog(&mainWindow);
    auto *dialogEdit = new QLineEdit(&dialog);
    QWidget *activeAfterBox = nullptr;
    QWidget *focusAfterBox = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        dialogEdit->setFocus();
        QMessageBox box(QMessageBox::Question, u"Bestätigen"_s, u"Frage"_s,
            QMessageBox::Yes | QMessageBox::No, &dialog);
        QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Yes); });
        box.exec();
        // The dialog still open takes the keys again, not the window it blocks.
        QTRY_COMPARE(QApplication::activeWindow(), &dialog);
        activeAfterBox = QApplication::activeWindow();
        focusAfterBox = QApplication::focusWidget();
        // The command goes on and names the field that takes the focus in the main window.
        dateEdit->setFocus();
        dialog.done(4);
    });
    dialog.exec();
    QCOMPARE(activeAfterBox, &dialog);
    QCOMPARE(focusAfterBox, dialogEdit);
    QTRY_COMPARE(QApplication::activeWindow(), &mainWindow);
    QCOMPARE(QApplication::focusWidget(), dateEdit);
}

QTEST_MAIN(TestWindowActivation)
#include "tst_windowactivation.moc"
