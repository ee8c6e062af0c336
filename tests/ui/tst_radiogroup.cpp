#include "ui/radiogroup.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A field, the "Anwesend" choices in a column, and a field after them.
struct Window
{
    Window()
    {
        auto *choicesLayout = new QVBoxLayout(addChoicesArea(group));
        for (QRadioButton *choice : {no, yes}) {
            choicesLayout->addWidget(choice);
            choices.addButton(choice);
        }
        auto *layout = new QVBoxLayout(&widget);
        layout->addWidget(before);
        layout->addWidget(group);
        layout->addWidget(after);
        makeKeyboardRadioGroup(&choices);
    }

    QWidget widget;
    QLineEdit *before = new QLineEdit;
    QGroupBox *group = new QGroupBox(u"Anwesend"_s);
    QRadioButton *no = new QRadioButton(u"&Nein"_s);
    QRadioButton *yes = new QRadioButton(u"&Ja"_s);
    QLineEdit *after = new QLineEdit;
    QButtonGroup choices;
};

} // namespace

class TestRadioGroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabEntersOnTheCheckedChoice_data();
    void tabEntersOnTheCheckedChoice();
    void arrowsMoveAndCheck_data();
    void arrowsMoveAndCheck();
    void groupNamedOnlyByItsBox();
};

void TestRadioGroup::tabEntersOnTheCheckedChoice_data()
{
    QTest::addColumn<bool>("yesChecked");
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Ja checked, Tab") << true << false;
    QTest::newRow("Nein checked, Tab") << false << false;
    QTest::newRow("Ja checked, Shift+Tab") << true << true;
    QTest::newRow("Nein checked, Shift+Tab") << false << true;
}

void TestRadioGroup::tabEntersOnTheCheckedChoice()
{
    QFETCH(bool, yesChecked);
    QFETCH(bool, backwards);
    Window window;
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    // The choice checked by the program after the focus has been in the group counts.
    window.no->setFocus();
    (yesChecked ? window.yes : window.no)->setChecked(true);
    QLineEdit *start = backwards ? window.after : window.before;
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), yesChecked ? window.yes : window.no);
}

void TestRadioGroup::arrowsMoveAndCheck_data()
{
    QTest::addColumn<bool>("fromYes");
    QTest::addColumn<int>("key");
    for (const auto &[name, key] :
        {std::pair{"Left", Qt::Key_Left}, std::pair{"Right", Qt::Key_Right},
            std::pair{"Up", Qt::Key_Up}, std::pair{"Down", Qt::Key_Down}}) {
        QTest::addRow("%s from Nein", name) << false << int(key);
        QTest::addRow("%s from Ja", name) << true << int(key);
    }
}

void TestRadioGroup::arrowsMoveAndCheck()
{
    QFETCH(bool, fromYes);
    QFETCH(int, key);
    Window window;
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    QRadioButton *from = fromYes ? window.yes : window.no;
    QRadioButton *to = fromYes ? window.no : window.yes;
    from->setChecked(true);
    from->setFocus();
    QTest::keyClick(from, Qt::Key(key));
    // With two choices every arrow reaches the other one, wrapping at the ends.
    QVERIFY(to->isChecked());
    QCOMPARE(QApplication::focusWidget(), to);
}

void TestRadioGroup::groupNamedOnlyByItsBox()
{
    // Regression: Orca said "Anwesend" for the group and again for each choice it reached.
    Window window;
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(window.group);
    QCOMPARE(box->text(QAccessible::Name), u"Anwesend"_s);
    for (QRadioButton *choice : {window.no, window.yes}) {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(choice);
        QVERIFY(button->relations(QAccessible::Label).isEmpty());
        QCOMPARE(button->parent()->text(QAccessible::Name), QString());
    }
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
