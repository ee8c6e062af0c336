#include "speech/announcefield.h"

#include "support/recordingscreenreader.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A window with two labelled fields, the first one preceded by its label, and a radio group.
struct Window
{
    Window()
    {
        auto *layout = new QVBoxLayout(&widget);
        for (QWidget *w : {static_cast<QWidget *>(dateLabel), static_cast<QWidget *>(dateField),
                 static_cast<QWidget *>(nameLabel), static_cast<QWidget *>(nameField),
                 static_cast<QWidget *>(present)})
            layout->addWidget(w);
        auto *presentLayout = new QVBoxLayout(present);
        presentLayout->addWidget(no);
        presentLayout->addWidget(yes);
    }

    bool activate()
    {
        widget.show();
        widget.activateWindow();
        return QTest::qWaitForWindowActive(&widget);
    }

    RecordingScreenReader reader;
    QStringList &announced = reader.announced;
    ScreenReaderFront &front = reader.front;
    QWidget widget;
    QLabel *dateLabel = new QLabel(u"&Datum:"_s);
    QLineEdit *dateField = new QLineEdit;
    QLabel *nameLabel = new QLabel(u"Na&me:"_s);
    QLineEdit *nameField = new QLineEdit;
    QGroupBox *present = new QGroupBox(u"Anwesend"_s);
    QRadioButton *no = new QRadioButton(u"&Nein"_s);
    QRadioButton *yes = new QRadioButton(u"&Ja"_s);
};

} // namespace

class TestAnnounceField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theLabelBecomesTheFieldsCaption();
    void focusingAFieldAnnouncesItsLabelOnce();
    void theCaptionFollowsARewrittenLabel();
    void aGroupIsAnnouncedWhenTheFocusEntersIt();
    void aFieldTheFocusOnlyPassesThroughIsNotAnnounced();
    void aScreenReaderReadingNamesHearsNoLabelTwice();
};

void TestAnnounceField::theLabelBecomesTheFieldsCaption()
{
    Window window;
    announceField(window.dateField, window.dateLabel, &window.front);
    QCOMPARE(window.dateLabel->buddy(), window.dateField);
    QCOMPARE(window.dateField->accessibleName(), u"Datum:"_s);
    QCOMPARE(window.announced, QStringList());
}

void TestAnnounceField::focusingAFieldAnnouncesItsLabelOnce()
{
    Window window;
    announceField(window.dateField, window.dateLabel, &window.front);
    announceField(window.nameField, window.nameLabel, &window.front);
    QVERIFY(window.activate());

    window.dateField->setFocus();
    QTRY_COMPARE(window.announced, QStringList(u"Datum:"_s));
    window.nameField->setFocus();
    QTRY_COMPARE(window.announced.size(), 2);
    window.dateField->setFocus();
    QTRY_COMPARE(window.announced, QStringList({u"Datum:"_s, u"Name:"_s, u"Datum:"_s}));

    // A field without label announcement says nothing.
    window.no->setFocus();
    QTest::qWait(20);
    QCOMPARE(window.announced.size(), 3);
}

void TestAnnounceField::theCaptionFollowsARewrittenLabel()
{
    Window window;
    announceField(window.nameField, window.nameLabel, &window.front);

    // Rewritten before its window shows, the label is current by the time the field is
    // announced.
    window.nameLabel->setText(u"Aktuelle Klasse: (Alle)"_s);
    QVERIFY(window.activate());
    window.nameField->setFocus();
    QCOMPARE(window.nameField->accessibleName(), u"Aktuelle Klasse: (Alle)"_s);
    QTRY_COMPARE(window.announced, QStringList(u"Aktuelle Klasse: (Alle)"_s));

    // Rewritten while it shows, the field's name follows without the field being entered.
    window.nameLabel->setText(u"Aktuelle Klasse: &4b"_s);
    QTRY_COMPARE(window.nameField->accessibleName(), u"Aktuelle Klasse: 4b"_s);
    QCOMPARE(window.announced.size(), 1);

    // A label that is not painted is read again when its field is entered.
    window.nameLabel->hide();
    window.nameLabel->setText(u"Aktuelle Klasse: 5a"_s);
    window.dateField->setFocus();
    window.nameField->setFocus();
    QCOMPARE(window.nameField->accessibleName(), u"Aktuelle Klasse: 5a"_s);
}

void TestAnnounceField::aGroupIsAnnouncedWhenTheFocusEntersIt()
{
    Window window;
    announceGroup(window.present, &window.front);
    QVERIFY(window.activate());

    window.dateField->setFocus();
    window.yes->setFocus();
    QTRY_COMPARE(window.announced, QStringList(u"Anwesend"_s));

    // Moving inside the group is no entering.
    window.no->setFocus();
    QTest::qWait(20);
    QCOMPARE(window.announced.size(), 1);

    window.dateField->setFocus();
    window.no->setFocus();
    QTRY_COMPARE(window.announced, QStringList({u"Anwesend"_s, u"Anwesend"_s}));
}

void TestAnnounceField::aFieldTheFocusOnlyPassesThroughIsNotAnnounced()
{
    // Regression: "Datum:" was heard behind a dialog that took the focus at once.
    Window window;
    announceField(window.dateField, window.dateLabel, &window.front);
    announceField(window.nameField, window.nameLabel, &window.front);
    QVERIFY(window.activate());
    window.dateField->setFocus();
    window.nameField->setFocus();
    QTRY_COMPARE(window.announced, QStringList(u"Name:"_s));
    QTest::qWait(20);
    QCOMPARE(window.announced, QStringList(u"Name:"_s));
}

void TestAnnounceField::aScreenReaderReadingNamesHearsNoLabelTwice()
{
    // Regression: with Orca each label was heard twice, from Orca and from the announcement.
    Window window;
    announceField(window.dateField, window.dateLabel, &window.front);
    announceGroup(window.present, &window.front);
    QVERIFY(window.activate());
    setScreenReaderReadsNamesForTesting(true);
    window.dateField->setFocus();
    window.yes->setFocus();
    QTest::qWait(20);
    setScreenReaderReadsNamesForTesting(std::nullopt);
    QCOMPARE(window.dateField->accessibleName(), u"Datum:"_s);
    QCOMPARE(window.announced, QStringList());
}

QTEST_MAIN(TestAnnounceField)
#include "tst_announcefield.moc"
