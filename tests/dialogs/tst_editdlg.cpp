#include "dialogs/editdlg.h"
#include "dialogs/participantname.h"

#include "dialogtesting.h"

#include "desktop/messages.h"
#include "records/dayformat.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TestEditDlg : public QObject
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
    void prepare(int nr, bool nullS, const QString &text);

    std::unique_ptr<DialogEnvironment> m_env;
    TEditForm *m_form = nullptr;
};

void TestEditDlg::init()
{
    m_env = std::make_unique<DialogEnvironment>();
    m_form = new TEditForm(&m_env->mainWindow, &m_env->reader.front);
}

void TestEditDlg::cleanup()
{
    m_env.reset();
}

void TestEditDlg::prepare(int nr, bool nullS, const QString &text)
{
    m_form->SchriftartZuweisen();
    m_form->NullS = nullS;
    m_form->Nr = nr;
    m_form->Edit1->setText(text);
}

void TestEditDlg::textsByKind_data()
{
    QTest::addColumn<int>("nr");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("1 rename") << 1 << u"Teilnehmer umbenennen"_s << u"Name:"_s;
    QTest::newRow("2 class") << 2 << u"Geben Sie eine neue Klasse ein"_s << u"Klasse:"_s;
    QTest::newRow("3 search") << 3 << u"Geben Sie das zu suchende Datum ein"_s << u"Suchdatum:"_s;
    QTest::newRow("4 comment") << 4 << u"Geben Sie einen neuen Kommentar ein"_s << u"Kommentar:"_s;
}

void TestEditDlg::textsByKind()
{
    QFETCH(int, nr);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    // The texts follow Nr at every showing, whatever the previous showing was.
    prepare(nr == 1 ? 4 : 1, false, QString());
    execWith(*m_form, [] {});
    prepare(nr, false, u"Text"_s);
    QStringList announced;
    execWith(*m_form, [&] {
        QCOMPARE(m_form->windowTitle(), caption);
        QCOMPARE(m_form->Label1->text(), label);
        QCOMPARE(m_form->Button1->text(), u"O&K"_s);
        QCOMPARE(m_form->Button2->text(), u"&Abbrechen"_s);
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        m_env->reader.announced.clear();
        m_form->Button1->setFocus();
        m_form->Edit1->setFocus();
        announced = m_env->reader.announced;
    });
    QCOMPARE(announced, QStringList{label});
    QCOMPARE(m_form->Edit1->accessibleName(), label);
}

void TestEditDlg::okState_data()
{
    QTest::addColumn<int>("nr");
    QTest::addColumn<bool>("nullS");
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

void TestEditDlg::okState()
{
    QFETCH(int, nr);
    QFETCH(bool, nullS);
    QFETCH(QString, text);
    QFETCH(bool, confirmable);
    // The state is taken at showing, from the text the caller put there.
    prepare(nr, nullS, text);
    bool stillOpen = false;
    const int result = execWith(*m_form, [&] {
        QCOMPARE(m_form->Button1->isEnabled(), confirmable);
        QTest::keyClick(m_form->Edit1, Qt::Key_Return);
        stillOpen = m_form->isVisible();
    });
    QCOMPARE(stillOpen, !confirmable);
    QCOMPARE(result, int(confirmable ? mrOk : mrCancel));
    QCOMPARE(m_form->Edit1->text(), text);

    // And it follows every change.
    prepare(nr, nullS, u"x"_s);
    execWith(*m_form, [&] {
        QVERIFY(m_form->Button1->isEnabled());
        m_form->Edit1->setText(text);
        QCOMPARE(m_form->Button1->isEnabled(), confirmable);
    });
}

void TestEditDlg::searchDateUpperCasesTypedCharacters_data()
{
    QTest::addColumn<int>("nr");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("search date") << 3 << u"jän"_s << u"jän"_s << u"JÄNjän"_s;
    QTest::newRow("sharp s") << 3 << u"ß1."_s << QString() << u"SS1."_s;
    QTest::newRow("class keeps the case") << 2 << u"jän"_s << u"x"_s << u"jänx"_s;
    QTest::newRow("comment keeps the case") << 4 << u"jän"_s << QString() << u"jän"_s;
}

void TestEditDlg::searchDateUpperCasesTypedCharacters()
{
    QFETCH(int, nr);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    prepare(nr, false, u"alt"_s);
    execWith(*m_form, [&] {
        typeText(m_form->Edit1, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(m_form->Edit1, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(m_form->Edit1->text(), shown);
    });
}

void TestEditDlg::shownAgainKeepsTheTextAllSelected()
{
    prepare(1, false, u"Anna"_s);
    const int first = execWith(*m_form, [this] {
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);
        QCOMPARE(m_form->Edit1->selectedText(), u"Anna"_s);
        typeText(m_form->Edit1, u"Otto Berger"_s);
        QTest::keyClick(m_form->Edit1, Qt::Key_Return);
    });
    QCOMPARE(first, int(mrOk));

    // The rename command shows the dialog again with what was typed.
    m_form->SchriftartZuweisen();
    execWith(*m_form, [this] {
        QCOMPARE(m_form->Edit1->text(), u"Otto Berger"_s);
        QCOMPARE(m_form->Edit1->selectedText(), u"Otto Berger"_s);
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);
    });
}

void TestEditDlg::tabOrderPutsTheFieldLast()
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
    QCOMPARE(visited, (QList<QWidget *>{m_form->Button1, m_form->Button2, m_form->Edit1}));
}

void TestEditDlg::renameRefusesNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : refusedNameExamples())
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestEditDlg::renameRefusesNames()
{
    QFETCH(QString, name);
    prepare(1, false, name);
    const int result = execWith(*m_form, [&] {
        m_form->Button1->setFocus();
        QTest::keyClick(m_form->Button1, Qt::Key_Return);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->Edit1->selectedText(), name);
        QCOMPARE(m_form->focusWidget(), m_form->Edit1);
        m_form->Edit1->setText(u"Otto"_s);
        QTest::keyClick(m_form->Edit1, Qt::Key_Return);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(m_env->messages.takeShown(),
        (QList<ShownMessage>{
            {MessageKind::Information, *participantNameError(trimmedText(name))}}));

    // A class or a comment names no file.
    for (const int nr : {2, 4}) {
        prepare(nr, false, name);
        QCOMPARE(execWith(*m_form, [this] { QTest::keyClick(m_form->Edit1, Qt::Key_Return); }),
            int(mrOk));
    }
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestEditDlg::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("nr");
    QTest::newRow("12 points, Name:") << 12 << 1;
    QTest::newRow("12 points, Suchdatum:") << 12 << 3;
    QTest::newRow("24 points, Kommentar:") << 24 << 4;
}

void TestEditDlg::layout()
{
    QFETCH(int, points);
    QFETCH(int, nr);
    const TessaroFont font = fontOfSize(points);
    const int b = ZeilenHoehe(font.font, ControlKind::Button);
    m_form->SchriftartZuweisen(font, Qt::white);
    m_form->Nr = nr;
    m_form->open();
    QCOMPARE(m_form->width(), 581);
    QCOMPARE(m_form->Label1->size(), m_form->Label1->sizeHint());
    QCOMPARE(m_form->Label1->font().pointSize(), points);
    const int left = 10 + m_form->Label1->width() + 5;
    const int editHeight = m_form->Edit1->sizeHint().height();
    QCOMPARE(m_form->Edit1->geometry(), QRect(left, 10, 10 + 3 * 187 - left, editHeight));
    QCOMPARE(m_form->Label1->pos(), QPoint(10, 10 + (editHeight - m_form->Label1->height()) / 2));
    QCOMPARE(m_form->Button1->geometry(), QRect(10, 20 + editHeight, 187, b));
    QCOMPARE(m_form->Button2->geometry(), QRect(10 + 2 * 187, 20 + editHeight, 187, b));
    QCOMPARE(m_form->height(), 20 + editHeight + b + 10);
    m_form->reject();
}

QTEST_MAIN(TestEditDlg)
#include "tst_editdlg.moc"
