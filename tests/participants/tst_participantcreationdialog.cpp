#include "participants/participantcreationdialog.h"
#include "participants/participantname.h"
#include "support/testfiles.h"

#include "participantdialogtesting.h"

#include "records/dayformat.h"
#include "ui/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = u"Der Teilnehmer \"%1\" existiert bereits!\r\n"
                          u"Soll der Teilnehmer jetzt aufgerufen werden?"_s;

} // namespace

class TestParticipantCreationDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showingEmptiesAndFocusesTheName();
    void okNeedsNameAndClass_data();
    void okNeedsNameAndClass();
    void enterKey_data();
    void enterKey();
    void newNameConfirms();
    void existingNameOpensThatParticipant_data();
    void existingNameOpensThatParticipant();
    void declinedExistingNameKeepsTheDialogOpen();
    void refusedNames_data();
    void refusedNames();
    void unreadableFileKeepsTheDialogOpen();
    void layout_data();
    void layout();
    void fieldsAreAnnouncedByTheirLabels();

private:
    QString folder() const { return m_dir->path() + u'/'; }
    // What the creation command does before showing the dialog.
    void prepare(const QString &schoolClass);
    // Types the name and the class into the shown dialog.
    void type(const QString &name, const QString &schoolClass);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogEnvironment> m_env;
    ParticipantCreationDialog *m_form = nullptr;
};

void TestParticipantCreationDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(writeBytes(folder() + u"Anna.dat"_s, "1a|\r\n"));
    QVERIFY(writeBytes(folder() + u"Äpfel.dat"_s, "2b|\r\n"));
    m_env = std::make_unique<DialogEnvironment>();
    m_form = new ParticipantCreationDialog(&m_env->mainWindow, &m_env->reader.front);
}

void TestParticipantCreationDialog::cleanup()
{
    m_env.reset();
    m_dir.reset();
}

void TestParticipantCreationDialog::prepare(const QString &schoolClass)
{
    m_form->applyAppearance();
    m_form->participantPath = folder() + u"Anna.dat"_s;
    m_form->ui().classEdit->setText(schoolClass);
    m_form->ui().commentEdit->clear();
}

void TestParticipantCreationDialog::type(const QString &name, const QString &schoolClass)
{
    m_form->ui().nameEdit->clear();
    typeText(m_form->ui().nameEdit, name);
    m_form->ui().classEdit->clear();
    typeText(m_form->ui().classEdit, schoolClass);
}

void TestParticipantCreationDialog::showingEmptiesAndFocusesTheName()
{
    prepare(u"4b"_s);
    m_form->ui().nameEdit->setText(u"vom letzten Mal"_s);
    m_form->closeAllowed = false;
    execWith(*m_form, [this] {
        QCOMPARE(m_form->windowTitle(), u"Geben Sie einen neuen Teilnehmer ein"_s);
        QCOMPARE(m_form->ui().nameEdit->text(), QString());
        QCOMPARE(m_form->ui().classEdit->text(), u"4b"_s);
        QCOMPARE(m_form->focusWidget(), m_form->ui().nameEdit);
        QVERIFY(!m_form->ui().okButton->isEnabled());
        QVERIFY(m_form->closeAllowed);

        // No field takes more than 100 characters.
        for (QLineEdit *edit :
            {m_form->ui().nameEdit, m_form->ui().classEdit, m_form->ui().commentEdit}) {
            QTest::keyClicks(edit, QString(120, u'x'));
            QCOMPARE(edit->text().size(), 100);
        }
    });
}

void TestParticipantCreationDialog::okNeedsNameAndClass_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("schoolClass");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("name and class, no comment") << u"Otto"_s << u"1a"_s << QString() << true;
    QTest::newRow("blanks around") << u"  Otto "_s << u" 1a "_s << u"x"_s << true;
    QTest::newRow("name of blanks") << u"   "_s << u"1a"_s << u"x"_s << false;
    QTest::newRow("class of blanks") << u"Otto"_s << u"   "_s << u"x"_s << false;
    QTest::newRow("no class") << u"Otto"_s << QString() << u"x"_s << false;
    QTest::newRow("no name") << QString() << u"1a"_s << u"x"_s << false;
}

void TestParticipantCreationDialog::okNeedsNameAndClass()
{
    QFETCH(QString, name);
    QFETCH(QString, schoolClass);
    QFETCH(QString, comment);
    QFETCH(bool, enabled);
    prepare(QString());
    execWith(*m_form, [&] {
        type(name, schoolClass);
        QTest::keyClicks(m_form->ui().commentEdit, comment);
        QCOMPARE(m_form->ui().okButton->isEnabled(), enabled);
        // Changing the comment alone changes nothing.
        m_form->ui().commentEdit->clear();
        QCOMPARE(m_form->ui().okButton->isEnabled(), enabled);
    });
}

void TestParticipantCreationDialog::enterKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("schoolClass");
    QTest::addColumn<int>("field"); // 1 name, 2 class, 3 comment
    QTest::addColumn<int>("focus"); // 0 when the dialog closed
    QTest::newRow("comment, class missing") << u"Otto"_s << QString() << 3 << 2;
    QTest::newRow("comment, both missing") << QString() << QString() << 3 << 1;
    QTest::newRow("class, name of blanks") << u"  "_s << u"1a"_s << 2 << 1;
    QTest::newRow("name, class missing") << u"Otto"_s << u" "_s << 1 << 2;
    QTest::newRow("complete: Enter confirms") << u"Otto"_s << u"1a"_s << 3 << 0;
}

void TestParticipantCreationDialog::enterKey()
{
    QFETCH(QString, name);
    QFETCH(QString, schoolClass);
    QFETCH(int, field);
    QFETCH(int, focus);
    QLineEdit *const edits[]
        = {m_form->ui().nameEdit, m_form->ui().classEdit, m_form->ui().commentEdit};
    prepare(QString());
    QWidget *focused = nullptr;
    bool open = false;
    const int result = execWith(*m_form, [&] {
        type(name, schoolClass);
        edits[field - 1]->setFocus();
        QTest::keyClick(edits[field - 1], Qt::Key_Return);
        open = m_form->isVisible();
        focused = m_form->focusWidget();
    });
    QCOMPARE(open, focus != 0);
    if (open) {
        QCOMPARE(focused, edits[focus - 1]);
        QCOMPARE(m_form->ui().nameEdit->text(), name);
    } else {
        QCOMPARE(result, int(QDialog::Accepted));
    }
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestParticipantCreationDialog::newNameConfirms()
{
    prepare(u"1a"_s);
    const int result = execWith(*m_form, [this] {
        type(u"  Anna Berger "_s, u"1a"_s);
        QTest::mouseClick(m_form->ui().okButton, Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(m_env->messages.shown().isEmpty());
    // The caller trims what it uses.
    QCOMPARE(m_form->ui().nameEdit->text(), u"  Anna Berger "_s);
}

void TestParticipantCreationDialog::existingNameOpensThatParticipant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");
    QTest::newRow("other case, blanks around") << u"  anna "_s << u"Anna"_s;
    QTest::newRow("umlaut in other case") << u"äPFEL"_s << u"Äpfel"_s;
}

void TestParticipantCreationDialog::existingNameOpensThatParticipant()
{
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    prepare(u"1a"_s);
    m_env->messages.answerNext(true);
    const int result = execWith(*m_form, [&] {
        type(typed, u"1a"_s);
        QTest::keyClick(m_form->ui().classEdit, Qt::Key_Return);
    });
    QCOMPARE(result, int(ParticipantCreationDialog::OpenExisting));
    QCOMPARE(m_form->ui().nameEdit->text(), listed);
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Question, kQuestion.arg(trimmedText(typed))}}));
}

void TestParticipantCreationDialog::declinedExistingNameKeepsTheDialogOpen()
{
    prepare(u"1a"_s);
    const int result = execWith(*m_form, [this] {
        type(u"ANNA"_s, u"1a"_s);
        m_env->messages.answerNext(false);
        m_form->ui().commentEdit->setFocus();
        QTest::mouseClick(m_form->ui().okButton, Qt::LeftButton);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->ui().nameEdit->selectedText(), u"ANNA"_s);
        QCOMPARE(m_form->focusWidget(), m_form->ui().nameEdit);
        QVERIFY(m_form->closeAllowed);

        // A later OK asks again.
        m_env->messages.answerNext(true);
        QTest::mouseClick(m_form->ui().okButton, Qt::LeftButton);
    });
    QCOMPARE(result, int(ParticipantCreationDialog::OpenExisting));
    QCOMPARE(m_form->ui().nameEdit->text(), u"Anna"_s);
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Question, kQuestion.arg(u"ANNA"_s)},
            {MessageKind::Question, kQuestion.arg(u"ANNA"_s)}}));
}

void TestParticipantCreationDialog::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : refusedNameExamples())
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestParticipantCreationDialog::refusedNames()
{
    QFETCH(QString, name);
    prepare(u"1a"_s);
    // A file of the refused name is there, so a missing refusal would show the question.
    QVERIFY(writeBytes(folder() + u"con.dat"_s, "1a"));
    const int result = execWith(*m_form, [&] {
        m_form->ui().nameEdit->setText(name);
        QTest::keyClick(m_form->ui().nameEdit, Qt::Key_Return);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->ui().nameEdit->selectedText(), name);
        QCOMPARE(m_form->focusWidget(), m_form->ui().nameEdit);

        m_form->ui().nameEdit->setText(u"Otto"_s);
        QTest::keyClick(m_form->ui().nameEdit, Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{
            {MessageKind::Information, *participantNameError(trimmedText(name))}}));
}

void TestParticipantCreationDialog::unreadableFileKeepsTheDialogOpen()
{
    const QString pipe = folder() + u"Zora.dat"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    prepare(u"1a"_s);
    bool open = false;
    const int result = execWith(*m_form, [&] {
        type(u"Otto"_s, u"1a"_s);
        QTest::mouseClick(m_form->ui().okButton, Qt::LeftButton);
        open = m_form->isVisible();
    });
    QVERIFY(open);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Error,
            u"Datei %1 kann nicht geöffnet werden. Die Datei ist keine gewöhnliche Datei."_s.arg(
                pipe)}}));
}

void TestParticipantCreationDialog::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("12 points") << 12;
    QTest::newRow("24 points") << 24;
}

void TestParticipantCreationDialog::layout()
{
    QFETCH(int, points);
    const DisplayFont font = fontOfSize(points);
    const int b = textLineHeight(font.font, ControlKind::Button);
    m_form->applyAppearance(font, Qt::white);
    m_form->open();
    QCOMPARE(m_form->width(), 581);
    const int column = std::max({m_form->ui().nameLabel->width(), m_form->ui().classLabel->width(),
                           m_form->ui().commentLabel->width()})
        + 5;
    QLabel *const labels[]
        = {m_form->ui().nameLabel, m_form->ui().classLabel, m_form->ui().commentLabel};
    QLineEdit *const edits[]
        = {m_form->ui().nameEdit, m_form->ui().classEdit, m_form->ui().commentEdit};
    int top = 10;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(labels[i]->font().pointSize(), points);
        QCOMPARE(labels[i]->size(), labels[i]->sizeHint());
        QCOMPARE(edits[i]->geometry(),
            QRect(10 + column, top, 10 + 3 * 187 - 10 - column, edits[i]->sizeHint().height()));
        QCOMPARE(labels[i]->y(), top + (edits[i]->height() - labels[i]->height()) / 2);
        top += edits[i]->height() + 10;
    }
    QCOMPARE(m_form->ui().okButton->geometry(), QRect(10, top, 187, b));
    QCOMPARE(m_form->ui().cancelButton->geometry(), QRect(10 + 2 * 187, top, 187, b));
    QCOMPARE(m_form->height(), top + b + 10);
    m_form->reject();
}

void TestParticipantCreationDialog::fieldsAreAnnouncedByTheirLabels()
{
    QCOMPARE(m_form->ui().nameEdit->accessibleName(), u"Name:"_s);
    QCOMPARE(m_form->ui().classEdit->accessibleName(), u"Klasse:"_s);
    QCOMPARE(m_form->ui().commentEdit->accessibleName(), u"Kommentar:"_s);
    prepare(u"1a"_s);
    QStringList announced;
    execWith(*m_form, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        QTest::qWait(10);
        // Each field is announced once the focus stays in it.
        for (QWidget *next : std::initializer_list<QWidget *>{m_form->ui().classEdit,
                 m_form->ui().commentEdit, m_form->ui().okButton, m_form->ui().nameEdit}) {
            next->setFocus();
            QTest::qWait(10);
        }
        announced = m_env->reader.announced;
    });
    QCOMPARE(announced, (QStringList{u"Name:"_s, u"Klasse:"_s, u"Kommentar:"_s, u"Name:"_s}));
}

QTEST_MAIN(TestParticipantCreationDialog)
#include "tst_participantcreationdialog.moc"
