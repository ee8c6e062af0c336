#include "dialogs/participantname.h"
#include "dialogs/tncreatedlg.h"

#include "dialogtesting.h"

#include "desktop/messages.h"
#include "records/dayformat.h"

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

class TestTnCreateDlg : public QObject
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
    void prepare(const QString &klasse);
    // Types the name and the class into the shown dialog.
    void type(const QString &name, const QString &klasse);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogEnvironment> m_env;
    TTnCreateForm *m_form = nullptr;
};

void TestTnCreateDlg::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeBytes(folder() + u"Anna.dat"_s, "1a|\r\n");
    writeBytes(folder() + u"Äpfel.dat"_s, "2b|\r\n");
    m_env = std::make_unique<DialogEnvironment>();
    m_form = new TTnCreateForm(&m_env->mainWindow, &m_env->reader.front);
}

void TestTnCreateDlg::cleanup()
{
    m_env.reset();
    m_dir.reset();
}

void TestTnCreateDlg::prepare(const QString &klasse)
{
    m_form->SchriftartZuweisen();
    m_form->DatFilename = folder() + u"Anna.dat"_s;
    m_form->Edit2->setText(klasse);
    m_form->Edit3->clear();
}

void TestTnCreateDlg::type(const QString &name, const QString &klasse)
{
    m_form->Edit1->clear();
    typeText(m_form->Edit1, name);
    m_form->Edit2->clear();
    typeText(m_form->Edit2, klasse);
}

void TestTnCreateDlg::showingEmptiesAndFocusesTheName()
{
    prepare(u"4b"_s);
    m_form->Edit1->setText(u"vom letzten Mal"_s);
    m_form->CloseS = false;
    execWith(*m_form, [this] {
        QCOMPARE(m_form->windowTitle(), u"Geben Sie einen neuen Teilnehmer ein"_s);
        QCOMPARE(m_form->Edit1->text(), QString());
        QCOMPARE(m_form->Edit2->text(), u"4b"_s);
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);
        QVERIFY(!m_form->Button1->isEnabled());
        QVERIFY(m_form->CloseS);

        // No field takes more than 100 characters.
        for (QLineEdit *edit : {m_form->Edit1, m_form->Edit2, m_form->Edit3}) {
            QTest::keyClicks(edit, QString(120, u'x'));
            QCOMPARE(edit->text().size(), 100);
        }
    });
}

void TestTnCreateDlg::okNeedsNameAndClass_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<QString>("kommentar");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("name and class, no comment") << u"Otto"_s << u"1a"_s << QString() << true;
    QTest::newRow("blanks around") << u"  Otto "_s << u" 1a "_s << u"x"_s << true;
    QTest::newRow("name of blanks") << u"   "_s << u"1a"_s << u"x"_s << false;
    QTest::newRow("class of blanks") << u"Otto"_s << u"   "_s << u"x"_s << false;
    QTest::newRow("no class") << u"Otto"_s << QString() << u"x"_s << false;
    QTest::newRow("no name") << QString() << u"1a"_s << u"x"_s << false;
}

void TestTnCreateDlg::okNeedsNameAndClass()
{
    QFETCH(QString, name);
    QFETCH(QString, klasse);
    QFETCH(QString, kommentar);
    QFETCH(bool, enabled);
    prepare(QString());
    execWith(*m_form, [&] {
        type(name, klasse);
        QTest::keyClicks(m_form->Edit3, kommentar);
        QCOMPARE(m_form->Button1->isEnabled(), enabled);
        // Changing the comment alone changes nothing.
        m_form->Edit3->clear();
        QCOMPARE(m_form->Button1->isEnabled(), enabled);
    });
}

void TestTnCreateDlg::enterKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<int>("field"); // 1 name, 2 class, 3 comment
    QTest::addColumn<int>("focus"); // 0 when the dialog closed
    QTest::newRow("comment, class missing") << u"Otto"_s << QString() << 3 << 2;
    QTest::newRow("comment, both missing") << QString() << QString() << 3 << 1;
    QTest::newRow("class, name of blanks") << u"  "_s << u"1a"_s << 2 << 1;
    QTest::newRow("name, class missing") << u"Otto"_s << u" "_s << 1 << 2;
    QTest::newRow("complete: Enter confirms") << u"Otto"_s << u"1a"_s << 3 << 0;
}

void TestTnCreateDlg::enterKey()
{
    QFETCH(QString, name);
    QFETCH(QString, klasse);
    QFETCH(int, field);
    QFETCH(int, focus);
    QLineEdit *const edits[] = {m_form->Edit1, m_form->Edit2, m_form->Edit3};
    prepare(QString());
    QWidget *focused = nullptr;
    bool open = false;
    const int result = execWith(*m_form, [&] {
        type(name, klasse);
        edits[field - 1]->setFocus();
        QTest::keyClick(edits[field - 1], Qt::Key_Return);
        open = m_form->isVisible();
        focused = m_form->focusWidget();
    });
    QCOMPARE(open, focus != 0);
    if (open) {
        QCOMPARE(focused, edits[focus - 1]);
        QCOMPARE(m_form->Edit1->text(), name);
    } else {
        QCOMPARE(result, int(mrOk));
    }
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestTnCreateDlg::newNameConfirms()
{
    prepare(u"1a"_s);
    const int result = execWith(*m_form, [this] {
        type(u"  Anna Berger "_s, u"1a"_s);
        QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    });
    QCOMPARE(result, int(mrOk));
    QVERIFY(m_env->messages.shown().isEmpty());
    // The caller trims what it uses.
    QCOMPARE(m_form->Edit1->text(), u"  Anna Berger "_s);
}

void TestTnCreateDlg::existingNameOpensThatParticipant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");
    QTest::newRow("other case, blanks around") << u"  anna "_s << u"Anna"_s;
    QTest::newRow("umlaut in other case") << u"äPFEL"_s << u"Äpfel"_s;
}

void TestTnCreateDlg::existingNameOpensThatParticipant()
{
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    prepare(u"1a"_s);
    m_env->messages.answerNext(true);
    const int result = execWith(*m_form, [&] {
        type(typed, u"1a"_s);
        QTest::keyClick(m_form->Edit2, Qt::Key_Return);
    });
    QCOMPARE(result, int(mrRetry));
    QCOMPARE(m_form->Edit1->text(), listed);
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Question, kQuestion.arg(trimmedText(typed))}}));
}

void TestTnCreateDlg::declinedExistingNameKeepsTheDialogOpen()
{
    prepare(u"1a"_s);
    const int result = execWith(*m_form, [this] {
        type(u"ANNA"_s, u"1a"_s);
        m_env->messages.answerNext(false);
        m_form->Edit3->setFocus();
        QTest::mouseClick(m_form->Button1, Qt::LeftButton);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->Edit1->selectedText(), u"ANNA"_s);
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);
        QVERIFY(m_form->CloseS);

        // A later OK asks again.
        m_env->messages.answerNext(true);
        QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    });
    QCOMPARE(result, int(mrRetry));
    QCOMPARE(m_form->Edit1->text(), u"Anna"_s);
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Question, kQuestion.arg(u"ANNA"_s)},
            {MessageKind::Question, kQuestion.arg(u"ANNA"_s)}}));
}

void TestTnCreateDlg::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : refusedNameExamples())
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestTnCreateDlg::refusedNames()
{
    QFETCH(QString, name);
    prepare(u"1a"_s);
    // A file of the refused name is there, so a missing refusal would show the question.
    writeBytes(folder() + u"con.dat"_s, "1a");
    const int result = execWith(*m_form, [&] {
        m_form->Edit1->setText(name);
        QTest::keyClick(m_form->Edit1, Qt::Key_Return);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->Edit1->selectedText(), name);
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);

        m_form->Edit1->setText(u"Otto"_s);
        QTest::keyClick(m_form->Edit1, Qt::Key_Return);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{
            {MessageKind::Information, *participantNameError(trimmedText(name))}}));
}

void TestTnCreateDlg::unreadableFileKeepsTheDialogOpen()
{
    const QString pipe = folder() + u"Zora.dat"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    prepare(u"1a"_s);
    bool open = false;
    const int result = execWith(*m_form, [&] {
        type(u"Otto"_s, u"1a"_s);
        QTest::mouseClick(m_form->Button1, Qt::LeftButton);
        open = m_form->isVisible();
    });
    QVERIFY(open);
    QCOMPARE(result, int(mrCancel));
    QCOMPARE(m_env->messages.shown(),
        (QList<ShownMessage>{{MessageKind::Error,
            u"Datei %1 kann nicht geöffnet werden. Die Datei ist keine gewöhnliche Datei."_s.arg(
                pipe)}}));
}

void TestTnCreateDlg::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("12 points") << 12;
    QTest::newRow("24 points") << 24;
}

void TestTnCreateDlg::layout()
{
    QFETCH(int, points);
    const TessaroFont font = fontOfSize(points);
    const int b = ZeilenHoehe(font.font, ControlKind::Button);
    m_form->SchriftartZuweisen(font, Qt::white);
    m_form->open();
    QCOMPARE(m_form->width(), 581);
    const int column
        = std::max({m_form->Label1->width(), m_form->Label2->width(), m_form->Label3->width()}) + 5;
    QLabel *const labels[] = {m_form->Label1, m_form->Label2, m_form->Label3};
    QLineEdit *const edits[] = {m_form->Edit1, m_form->Edit2, m_form->Edit3};
    int top = 10;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(labels[i]->font().pointSize(), points);
        QCOMPARE(labels[i]->size(), labels[i]->sizeHint());
        QCOMPARE(edits[i]->geometry(),
            QRect(10 + column, top, 10 + 3 * 187 - 10 - column, edits[i]->sizeHint().height()));
        QCOMPARE(labels[i]->y(), top + (edits[i]->height() - labels[i]->height()) / 2);
        top += edits[i]->height() + 10;
    }
    QCOMPARE(m_form->Button1->geometry(), QRect(10, top, 187, b));
    QCOMPARE(m_form->Button2->geometry(), QRect(10 + 2 * 187, top, 187, b));
    QCOMPARE(m_form->height(), top + b + 10);
    m_form->reject();
}

void TestTnCreateDlg::fieldsAreAnnouncedByTheirLabels()
{
    QCOMPARE(m_form->Edit1->accessibleName(), u"Name:"_s);
    QCOMPARE(m_form->Edit2->accessibleName(), u"Klasse:"_s);
    QCOMPARE(m_form->Edit3->accessibleName(), u"Kommentar:"_s);
    prepare(u"1a"_s);
    QStringList announced;
    execWith(*m_form, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        m_form->Edit2->setFocus();
        m_form->Edit3->setFocus();
        m_form->Button1->setFocus();
        m_form->Edit1->setFocus();
        announced = m_env->reader.announced;
    });
    QCOMPARE(announced, (QStringList{u"Name:"_s, u"Klasse:"_s, u"Kommentar:"_s, u"Name:"_s}));
}

QTEST_MAIN(TestTnCreateDlg)
#include "tst_tncreatedlg.moc"
