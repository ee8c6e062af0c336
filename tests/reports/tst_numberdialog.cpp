#include "reports/numberdialog.h"

#include "participants/participantdialogtesting.h"
#include "ui/dialoggeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TestNumberDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void promptProposalAndLength_data();
    void promptProposalAndLength();
    void enteredNumber_data();
    void enteredNumber();
    void stepsStopAtTheEnds_data();
    void stepsStopAtTheEnds();
    void okFollowsTheField();
    void fieldIsAnnouncedAndNamed();
    void layout_data();
    void layout();

private:
    std::unique_ptr<DialogEnvironment> m_env;
    NumberDialog *m_dialog = nullptr;
};

void TestNumberDialog::init()
{
    m_env = std::make_unique<DialogEnvironment>();
    m_dialog = new NumberDialog(&m_env->mainWindow, &m_env->reader.front);
}

void TestNumberDialog::cleanup()
{
    m_env.reset();
}

void TestNumberDialog::promptProposalAndLength_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("length");
    QTest::newRow("12 days, day 5") << 12 << 5 << u"Gehe zu Tag (1-12)"_s << 2;
    QTest::newRow("1000 days, day 1") << 1000 << 1 << u"Gehe zu Tag (1-1.000)"_s << 4;
    QTest::newRow("1234 days, day 1234") << 1234 << 1234 << u"Gehe zu Tag (1-1.234)"_s << 4;
}

void TestNumberDialog::promptProposalAndLength()
{
    QFETCH(int, days);
    QFETCH(int, shown);
    QFETCH(QString, prompt);
    QFETCH(int, length);
    const NumberDialog::Ui &ui = m_dialog->ui();
    m_dialog->applyAppearance();
    m_dialog->setRange(1, days, shown);
    execWith(*m_dialog, [&] {
        QCOMPARE(m_dialog->windowTitle(), u"Gehe zu Tag"_s);
        QCOMPARE(ui.label->text(), prompt);
        QCOMPARE(ui.okButton->text(), u"O&K"_s);
        QCOMPARE(ui.cancelButton->text(), u"&Abbrechen"_s);
        QCOMPARE(ui.edit->text(), QString::number(shown));
        QCOMPARE(ui.edit->selectedText(), QString::number(shown));
        QCOMPARE(ui.edit->maxLength(), length);
        QCOMPARE(m_dialog->focusWidget(), ui.edit);
        // Only digits can be typed, and no more of them than the highest number has.
        typeText(ui.edit, u"a1-b2 .c3456"_s);
        QCOMPARE(ui.edit->text(), u"123456"_s.left(length));
    });
}

void TestNumberDialog::enteredNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<std::optional<int>>("number");
    QTest::newRow("99 gives the last day") << u"99"_s << QString() << std::optional(12);
    QTest::newRow("0 gives day 1") << u"0"_s << QString() << std::optional(1);
    QTest::newRow("7") << u"7"_s << QString() << std::optional(7);
    QTest::newRow("pasted text") << QString() << u"x7"_s << std::optional<int>();
}

void TestNumberDialog::enteredNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(std::optional<int>, number);
    m_dialog->applyAppearance();
    m_dialog->setRange(1, 12, 5);
    const int result = execWith(*m_dialog, [&] {
        typeText(m_dialog->ui().edit, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(m_dialog->ui().edit, Qt::Key_V, Qt::ControlModifier);
        }
        QTest::keyClick(m_dialog->ui().edit, Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_dialog->enteredNumber(), number);
    QList<ShownMessage> expected;
    if (!number)
        expected.append({MessageKind::Information, u"Fehler bei Eingabe!"_s});
    QCOMPARE(m_env->messages.takeShown(), expected);
}

void TestNumberDialog::stepsStopAtTheEnds_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("byArrows");
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("up to the last day, keys")
        << 11 << false << QList<int>{1, 1, 1} << QStringList{u"12"_s, u"12"_s, u"12"_s};
    QTest::newRow("down to day 1, keys")
        << 2 << false << QList<int>{-1, -1, 1} << QStringList{u"1"_s, u"1"_s, u"2"_s};
    QTest::newRow("arrows") << 12 << true << QList<int>{1, -1, -1}
                            << QStringList{u"12"_s, u"11"_s, u"10"_s};
}

void TestNumberDialog::stepsStopAtTheEnds()
{
    QFETCH(int, shown);
    QFETCH(bool, byArrows);
    QFETCH(QList<int>, steps);
    QFETCH(QStringList, texts);
    const NumberDialog::Ui &ui = m_dialog->ui();
    m_dialog->setRange(1, 12, shown);
    QStringList seen;
    execWith(*m_dialog, [&] {
        for (const int step : steps) {
            if (byArrows)
                (step > 0 ? ui.stepUpButton : ui.stepDownButton)->click();
            else
                QTest::keyClick(ui.edit, step > 0 ? Qt::Key_Up : Qt::Key_Down);
            seen << ui.edit->text();
        }
        // A typed number counts for the next step.
        ui.edit->setText(u"4"_s);
        QTest::keyClick(ui.edit, Qt::Key_Up);
        seen << ui.edit->text();
    });
    QCOMPARE(seen, texts + QStringList{u"5"_s});
}

void TestNumberDialog::okFollowsTheField()
{
    const NumberDialog::Ui &ui = m_dialog->ui();
    m_dialog->setRange(1, 12, 5);
    execWith(*m_dialog, [&] {
        QVERIFY(ui.okButton->isEnabled());
        QTest::keyClick(ui.edit, Qt::Key_Backspace);
        QVERIFY(!ui.okButton->isEnabled());
        QTest::keyClick(ui.edit, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        ui.edit->setText(u" "_s);
        QVERIFY(!ui.okButton->isEnabled());
        typeText(ui.edit, u"3"_s);
        QVERIFY(ui.okButton->isEnabled());
    });
}

void TestNumberDialog::fieldIsAnnouncedAndNamed()
{
    m_dialog->setRange(1, 1000, 1);
    QStringList announced;
    execWith(*m_dialog, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
        QTest::qWait(10);
        m_env->reader.announced.clear();
        m_dialog->ui().okButton->setFocus();
        QTest::qWait(10);
        m_dialog->ui().edit->setFocus();
        QTRY_VERIFY(!m_env->reader.announced.isEmpty());
        announced = m_env->reader.announced;
    });
    QCOMPARE(announced, QStringList{u"Gehe zu Tag (1-1.000)"_s});
    QCOMPARE(m_dialog->ui().edit->accessibleName(), u"Gehe zu Tag (1-1.000)"_s);
    QCOMPARE(m_dialog->ui().label->buddy(), m_dialog->ui().edit);
}

void TestNumberDialog::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("12 points") << 12;
    QTest::newRow("28 points") << 28;
}

void TestNumberDialog::layout()
{
    QFETCH(int, points);
    const NumberDialog::Ui &ui = m_dialog->ui();
    m_dialog->applyAppearance(fontOfSize(points), Qt::white);
    m_dialog->setRange(1, 1000, 1);
    m_dialog->open();
    const NumberDialogGeometry g = layoutNumberDialog(
        ButtonMeasures{textLineHeight(ui.okButton->font(), ControlKind::Button), {}},
        ui.label->sizeHint(), ui.edit->sizeHint().height());
    QCOMPARE(ui.label->geometry(), g.label);
    QCOMPARE(ui.okButton->geometry(), g.okButton);
    QCOMPARE(ui.cancelButton->geometry(), g.cancelButton);
    QCOMPARE(m_dialog->size(), g.client);
    // The edit and its arrows share the edit's place.
    QCOMPARE(ui.edit->geometry()
                 .united(ui.stepUpButton->geometry())
                 .united(ui.stepDownButton->geometry()),
        g.edit);
    QCOMPARE(ui.edit->font().pointSize(), points);
    m_dialog->reject();
}

QTEST_MAIN(TestNumberDialog)
#include "tst_numberdialog.moc"
