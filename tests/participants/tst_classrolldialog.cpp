#include "participants/classrolldialog.h"

#include "participants/itemtexts.h"
#include "speech/announcefield.h"
#include "support/testfiles.h"

#include "participantdialogtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString kDate = u"Di., 6. Jänner 2025"_s;

} // namespace

class TestClassRollDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void takingTheRollByKeys();
    void cancelling_data();
    void cancelling();
    void aDateIsNeeded();

private:
    QStringList entries() const { return itemTexts(m_dialog->ui().list); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogEnvironment> m_env;
    ClassRollDialog *m_dialog = nullptr;
};

void TestClassRollDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const std::pair<QString, QByteArray> files[]
        = {{u"Anna"_s, "4A|"}, {u"berta"_s, "4a|"}, {u"Carl"_s, "3b|"}};
    for (const auto &[name, header] : files)
        QVERIFY(writeBytes(m_dir->filePath(name + u".dat"_s), header));
    m_env = std::make_unique<DialogEnvironment>();
    m_dialog = new ClassRollDialog(&m_env->mainWindow, &m_env->reader.front);
    m_dialog->applyAppearance();
    m_dialog->prepare(m_dir->path() + u'/', {u"3b"_s, u"4A"_s}, u"4a"_s, kDate);
    // No screen reader reads the program through the bridge: toggles are announced.
    setScreenReaderReadsNamesForTesting(false);
}

void TestClassRollDialog::cleanup()
{
    setScreenReaderReadsNamesForTesting(std::nullopt);
    m_env.reset();
}

void TestClassRollDialog::takingTheRollByKeys()
{
    const ClassRollDialog::Ui &ui = m_dialog->ui();
    const int result = execWith(*m_dialog, [&] {
        QCOMPARE(m_dialog->windowTitle(), u"Anwesenheit erfassen"_s);
        QCOMPARE(ui.classBox->currentText(), u"4A"_s);
        QCOMPARE(ui.dateEdit->text(), kDate);
        QCOMPARE(ui.list->accessibleName(), u"Teilnehmer"_s);
        QCOMPARE(ui.remarkEdit->accessibleName(), u"Anmerkung:"_s);
        QCOMPARE(ui.saveButton->text(), u"&Speichern"_s);
        QCOMPARE(ui.cancelButton->text(), u"Abbrechen"_s);
        QTRY_COMPARE(QApplication::focusWidget(), ui.list);
        QCOMPARE(ui.list->currentRow(), 0);
        QCOMPARE(entries(), (QStringList{u"Anna: anwesend"_s, u"berta: anwesend"_s}));

        QTest::keyClick(ui.list, Qt::Key_Space);
        QCOMPARE(entries().first(), u"Anna: abwesend"_s);
        QCOMPARE(m_env->reader.announced.last(), u"Anna: abwesend (interrupt)"_s);
        QTest::keyClick(ui.list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui.remarkEdit);
        typeText(ui.remarkEdit, u"krank"_s);
        // The remark field shows the remark of the entry the list is on.
        ui.list->setCurrentRow(1);
        QCOMPARE(ui.remarkEdit->text(), QString());
        QTest::keyClick(ui.list, Qt::Key_Up);
        QCOMPARE(ui.remarkEdit->text(), u"krank"_s);
        // A click toggles too.
        const QRect berta = ui.list->visualItemRect(ui.list->item(1));
        QTest::mouseClick(ui.list->viewport(), Qt::LeftButton, {}, berta.center());
        QCOMPARE(entries().last(), u"berta: abwesend"_s);
        QTest::mouseClick(ui.list->viewport(), Qt::LeftButton, {}, berta.center());
        QCOMPARE(entries().last(), u"berta: anwesend"_s);

        // Another class lists its own participants; coming back keeps what was entered.
        ui.classBox->setCurrentIndex(1);
        QCOMPARE(entries(), QStringList{u"Carl: anwesend"_s});
        ui.classBox->setCurrentIndex(2);
        QCOMPARE(entries(), (QStringList{u"Anna: abwesend"_s, u"berta: anwesend"_s}));
        QTest::keyClick(ui.list, Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_dialog->marks(),
        (QList<RollMark>{{u"Anna"_s, kAbsent, u"krank"_s}, {u"berta"_s, kPresent, QString()}}));
    QCOMPARE(m_dialog->date(), kDate);
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestClassRollDialog::cancelling_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("nothing entered: closed without a question") << false << false << 0;
    QTest::newRow("an entry changed, \"Nein\": dropped") << true << false << 0;
    QTest::newRow("an entry changed, \"Ja\": stored") << true << true << 1;
}

void TestClassRollDialog::cancelling()
{
    QFETCH(bool, changed);
    QFETCH(bool, answer);
    QFETCH(int, result);
    m_env->messages.answerNext(answer);
    QCOMPARE(execWith(*m_dialog,
                 [&] {
                     if (changed)
                         m_dialog->toggleCurrentEntry();
                     QTest::keyClick(m_dialog->ui().list, Qt::Key_Escape);
                 }),
        result);
    const QList<ShownMessage> expected{
        {MessageKind::Question, u"Soll die Anwesenheit gespeichert werden?"_s}};
    QCOMPARE(m_env->messages.shown(), changed ? expected : QList<ShownMessage>());
}

void TestClassRollDialog::aDateIsNeeded()
{
    execWith(*m_dialog, [&] {
        m_dialog->ui().dateEdit->setText(u"  "_s);
        m_dialog->ui().saveButton->click();
        QVERIFY(m_dialog->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), m_dialog->ui().dateEdit);
    });
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Information, u"Geben Sie bitte ein Datum ein!"_s}}));
}

QTEST_MAIN(TestClassRollDialog)
#include "tst_classrolldialog.moc"
