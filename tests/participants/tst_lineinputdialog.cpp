#include "participants/lineinputdialog.h"
#include "participants/participantname.h"

#include "participantdialogtesting.h"

#include "records/dayformat.h"
#include "ui/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TestLineInputDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void textsByKind_data();
    void textsByKind();
    void okState_data();
    void okState();
    void searchDateUpperCasesTypedCharacters_data();
    void searchDateUpperCasesTypedCharacters();
    void shownAgainKeepsTheTextAllSelected();
    void tabOrderPutsTheFieldLast();
    void renameRefusesNames_data();
    void renameRefusesNames();
    void layout_data();
    void layout();

private:
    // What the callers do before showing the dialog.
    void prepare(int question, bool allowsEmpty, const QString &text);

    std::unique_ptr<DialogEnvironment> m_env;
    LineInputDialog *m_form = nullptr;
};

void TestLineInputDialog::init()
{
    m_env = std::make_unique<DialogEnvironment>();
    m_form = new LineInputDialog(&m_env->mainWindow, &m_env->reader.front);
}

void TestLineInputDialog::cleanup()
{
    m_env.reset();
}

void TestLineInputDialog::prepare(int question, bool allowsEmpty, const QString &text)
{
    m_form->applyAppearance();
    m_form->allowsEmpty = allowsEmpty;
    m_form->question = InputQuestion(question);
    m_form->ui().edit->setText(text);
}

void TestLineInputDialog::textsByKind_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("1 rename") << 1 << u"Teilnehmer umbenennen"_s << u"Name:"_s;
    QTest::newRow("2 class") << 2 << u"Geben Sie eine neue Klasse ein"_s << u"Klasse:"_s;
    QTest::newRow("3 search") << 3 << u"Geben Sie das zu suchende Datum ein"_s << u"Suchdatum:"_s;
    QTest::newRow("4 comment") << 4 << u"Geben Sie einen neuen Kommentar ein"_s << u"Kommentar:"_s;
}

void TestLineInputDialog::textsByKind()
{
    QFETCH(int, question);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    // The texts follow the question at every showing, whatever the previous showing was.
    prepare(question == 1 ? 4 : 1, false, QString());
    execWith(*m_form, [] {});
    prepare(question, false, u"Text"_s);
    QStringList announced;
    execWith(*m_form, [&] {
        QCOMPARE(m_form->windowTitle(), caption);
        QCOMPARE(m_form->ui().label->text(), label);
        QCOMPARE(m_form->ui().okButton->text(), u"O&K"_s);
        QCOMPARE(m_form->ui().cancelButton->text(), u"&Abbrechen"_s);
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        QTest::qWait(10);
        m_env->reader.announced.clear();
        m_form->ui().okButton->setFocus();
        QTest::qWait(10);
        m_form->ui().edit->setFocus();
        QTRY_VERIFY(!m_env->reader.announced.isEmpty());
        announced = m_env->reader.announced;
    });
    QCOMPARE(announced, QStringList{label});
    QCOMPARE(m_form->ui().edit->accessibleName(), label);
}

void TestLineInputDialog::okState_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<bool>("allowsEmpty");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("confirmable");
    QTest::newRow("empty comment") << 4 << true << QString() << true;
    QTest::newRow("comment of blanks") << 4 << true << u"   "_s << true;
    QTest::newRow("comment") << 4 << true << u"neu"_s << true;
    QTest::newRow("empty name") << 1 << false << QString() << false;
    QTest::newRow("class of blanks") << 2 << false << u"  "_s << false;
    QTest::newRow("empty search date") << 3 << false << QString() << false;
    QTest::newRow("class") << 2 << false << u" 4b "_s << true;
}

void TestLineInputDialog::okState()
{
    QFETCH(int, question);
    QFETCH(bool, allowsEmpty);
    QFETCH(QString, text);
    QFETCH(bool, confirmable);
    // The state is taken at showing, from the text the caller put there.
    prepare(question, allowsEmpty, text);
    bool stillOpen = false;
    const int result = execWith(*m_form, [&] {
        QCOMPARE(m_form->ui().okButton->isEnabled(), confirmable);
        QTest::keyClick(m_form->ui().edit, Qt::Key_Return);
        stillOpen = m_form->isVisible();
    });
    QCOMPARE(stillOpen, !confirmable);
    QCOMPARE(result, int(confirmable ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(m_form->ui().edit->text(), text);

    // And it follows every change.
    prepare(question, allowsEmpty, u"x"_s);
    execWith(*m_form, [&] {
        QVERIFY(m_form->ui().okButton->isEnabled());
        m_form->ui().edit->setText(text);
        QCOMPARE(m_form->ui().okButton->isEnabled(), confirmable);
    });
}

void TestLineInputDialog::searchDateUpperCasesTypedCharacters_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("search date") << 3 << u"jän"_s << u"jän"_s << u"JÄNjän"_s;
    QTest::newRow("sharp s") << 3 << u"ß1."_s << QString() << u"SS1."_s;
    QTest::newRow("class keeps the case") << 2 << u"jän"_s << u"x"_s << u"jänx"_s;
    QTest::newRow("comment keeps the case") << 4 << u"jän"_s << QString() << u"jän"_s;
}

void TestLineInputDialog::searchDateUpperCasesTypedCharacters()
{
    QFETCH(int, question);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    prepare(question, false, u"alt"_s);
    execWith(*m_form, [&] {
        typeText(m_form->ui().edit, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(m_form->ui().edit, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(m_form->ui().edit->text(), shown);
    });
}

void TestLineInputDialog::shownAgainKeepsTheTextAllSelected()
{
    prepare(1, false, u"Anna"_s);
    const int first = execWith(*m_form, [this] {
        QCOMPARE(m_form->focusWidget(), m_form->ui().edit);
        QCOMPARE(m_form->ui().edit->selectedText(), u"Anna"_s);
        typeText(m_form->ui().edit, u"Otto Berger"_s);
        QTest::keyClick(m_form->ui().edit, Qt::Key_Return);
    });
    QCOMPARE(first, int(QDialog::Accepted));

    // The rename command shows the dialog again with what was typed.
    m_form->applyAppearance();
    execWith(*m_form, [this] {
        QCOMPARE(m_form->ui().edit->text(), u"Otto Berger"_s);
        QCOMPARE(m_form->ui().edit->selectedText(), u"Otto Berger"_s);
        QCOMPARE(m_form->focusWidget(), m_form->ui().edit);
    });
}

void TestLineInputDialog::tabOrderPutsTheFieldLast()
{
    prepare(2, false, u"4b"_s);
    QList<QWidget *> visited;
    execWith(*m_form, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget());
        }
    });
    QCOMPARE(visited,
        (QList<QWidget *>{m_form->ui().okButton, m_form->ui().cancelButton, m_form->ui().edit}));
}

void TestLineInputDialog::renameRefusesNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : refusedNameExamples())
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestLineInputDialog::renameRefusesNames()
{
    QFETCH(QString, name);
    prepare(1, false, name);
    const int result = execWith(*m_form, [&] {
        m_form->ui().okButton->setFocus();
        QTest::keyClick(m_form->ui().okButton, Qt::Key_Return);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->ui().edit->selectedText(), name);
        QCOMPARE(m_form->focusWidget(), m_form->ui().edit);
        m_form->ui().edit->setText(u"Otto"_s);
        QTest::keyClick(m_form->ui().edit, Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_env->messages.takeShown(),
        (QList<ShownMessage>{
            {MessageKind::Information, *participantNameError(trimmedText(name))}}));

    // A class or a comment names no file.
    for (const int question : {2, 4}) {
        prepare(question, false, name);
        QCOMPARE(execWith(*m_form, [this] { QTest::keyClick(m_form->ui().edit, Qt::Key_Return); }),
            int(QDialog::Accepted));
    }
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestLineInputDialog::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("question");
    QTest::newRow("12 points, Name:") << 12 << 1;
    QTest::newRow("12 points, Suchdatum:") << 12 << 3;
    QTest::newRow("24 points, Kommentar:") << 24 << 4;
}

void TestLineInputDialog::layout()
{
    QFETCH(int, points);
    QFETCH(int, question);
    const DisplayFont font = fontOfSize(points);
    const int b = textLineHeight(font.font, ControlKind::Button);
    m_form->applyAppearance(font, Qt::white);
    m_form->question = InputQuestion(question);
    m_form->open();
    QCOMPARE(m_form->width(), 581);
    QCOMPARE(m_form->ui().label->size(), m_form->ui().label->sizeHint());
    QCOMPARE(m_form->ui().label->font().pointSize(), points);
    const int left = 10 + m_form->ui().label->width() + 5;
    const int editHeight = m_form->ui().edit->sizeHint().height();
    QCOMPARE(m_form->ui().edit->geometry(), QRect(left, 10, 10 + 3 * 187 - left, editHeight));
    QCOMPARE(m_form->ui().label->pos(),
        QPoint(10, 10 + (editHeight - m_form->ui().label->height()) / 2));
    QCOMPARE(m_form->ui().okButton->geometry(), QRect(10, 20 + editHeight, 187, b));
    QCOMPARE(m_form->ui().cancelButton->geometry(), QRect(10 + 2 * 187, 20 + editHeight, 187, b));
    QCOMPARE(m_form->height(), 20 + editHeight + b + 10);
    m_form->reject();
}

QTEST_MAIN(TestLineInputDialog)
#include "tst_lineinputdialog.moc"
