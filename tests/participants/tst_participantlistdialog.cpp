#include "participants/classfilterdialog.h"
#include "participants/itemtexts.h"
#include "participants/participantlistdialog.h"
#include "participants/participantlisting.h"
#include "support/testfiles.h"

#include "participantdialogtesting.h"

#include "records/error.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QStringList upperCasedAll(const QStringList &texts)
{
    QStringList upper;
    for (const QString &text : texts)
        upper.append(upperCased(text));
    return upper;
}

const QStringList kAll{u"anton"_s, u"Äpfel"_s, u"Berta"_s, u"Cäsar"_s};

} // namespace

class TestParticipantListDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listsAndPreselects_data();
    void listsAndPreselects();
    void showingEmptiesTheListUntilTheTimer();
    void classTestRecordsTheClassUnderTheFilter();
    void noParticipants_data();
    void noParticipants();
    void classChooser_data();
    void classChooser();
    void unreadableFileEndsTheListing();
    void closingBeforeTheTimerReadsNothing();
    void keys_data();
    void keys();
    void layout_data();
    void layout();
    void theListIsAnnouncedByTheClassLabel();

private:
    QString folder() const { return m_dir->path() + u'/'; }
    void writeFolder();
    void showList(const QString &filter, const QString &open);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogEnvironment> m_env;
    ClassFilterDialog *m_classFilterDialog = nullptr;
    ParticipantListDialog *m_list = nullptr;
};

void TestParticipantListDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_env = std::make_unique<DialogEnvironment>();
    m_list = new ParticipantListDialog(&m_env->mainWindow, &m_env->reader.front);
    m_classFilterDialog = new ClassFilterDialog(&m_env->mainWindow);
    m_list->setClassFilterDialog(m_classFilterDialog);
}

void TestParticipantListDialog::cleanup()
{
    m_env.reset();
    m_dir.reset();
}

void TestParticipantListDialog::writeFolder()
{
    QVERIFY(writeBytes(folder() + u"anton.dat"_s, "1a|x\r\n"));
    QVERIFY(writeBytes(folder() + u"Äpfel.dat"_s, "2b|y\r\n"));
    QVERIFY(writeBytes(folder() + u"Berta.dat"_s, "2b\r\n"));
    QVERIFY(writeBytes(folder() + u"Cäsar.dat"_s, "1A|z\r\n"));
}

// Shows the list as the main window does and waits for the timer to fill it.
void TestParticipantListDialog::showList(const QString &filter, const QString &open)
{
    m_list->applyAppearance();
    m_list->setClassFilter(filter);
    m_list->participantPath = folder() + open;
    m_list->open();
    QTRY_VERIFY(!m_list->ui().fillTimer->isActive());
}

void TestParticipantListDialog::listsAndPreselects_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("label");
    QTest::newRow("all, open participant in other case")
        << QString() << u"berta.dat"_s << kAll << 2 << u"Aktuelle Klasse: (Alle)"_s;
    QTest::newRow("all, none open")
        << QString() << QString() << kAll << 0 << u"Aktuelle Klasse: (Alle)"_s;
    QTest::newRow("all, open participant missing")
        << QString() << u"Zora.dat"_s << kAll << 0 << u"Aktuelle Klasse: (Alle)"_s;
    QTest::newRow("class in other case")
        << u"2B"_s << u"Berta.dat"_s << QStringList{u"Äpfel"_s, u"Berta"_s} << 1
        << u"Aktuelle Klasse: 2B"_s;
    QTest::newRow("filter hides the open participant")
        << u"1a"_s << u"Berta.dat"_s << QStringList{u"anton"_s, u"Cäsar"_s} << 0
        << u"Aktuelle Klasse: 1a"_s;
}

void TestParticipantListDialog::listsAndPreselects()
{
    QFETCH(QString, filter);
    QFETCH(QString, open);
    QFETCH(QStringList, names);
    QFETCH(int, selected);
    QFETCH(QString, label);
    writeFolder();
    showList(filter, open);
    QCOMPARE(itemTexts(m_list->ui().list), names);
    QCOMPARE(m_list->ui().list->currentRow(), selected);
    QVERIFY(m_list->ui().okButton->isEnabled());
    QCOMPARE(m_list->ui().classLabel->text(), label);
    // Every class once, whatever the filter hid; "1a" or "1A" as the folder gave them first.
    QCOMPARE(upperCasedAll(m_list->classes), (QStringList{u"1A"_s, u"2B"_s}));
    QVERIFY(m_env->messages.shown().isEmpty());
}

void TestParticipantListDialog::showingEmptiesTheListUntilTheTimer()
{
    writeFolder();
    // The main window's test whether there is any participant, before it sets the filter.
    m_list->participantPath = folder();
    QVERIFY(m_list->readParticipants(QString()));
    QCOMPARE(m_list->ui().list->count(), 4);
    // Nothing preselected in the hidden list: a screen reader would make Qt lay out every entry.
    QCOMPARE(m_list->ui().list->currentRow(), -1);

    m_list->setClassFilter(u"1a"_s);
    m_list->open();
    QCOMPARE(m_list->ui().list->count(), 0);
    QCOMPARE(m_list->focusWidget(), m_list->ui().list);
    QVERIFY(m_list->ui().fillTimer->isActive());
    QCOMPARE(m_list->ui().fillTimer->interval(), 25);
    QTRY_COMPARE(itemTexts(m_list->ui().list), (QStringList{u"anton"_s, u"Cäsar"_s}));
}

void TestParticipantListDialog::classTestRecordsTheClassUnderTheFilter()
{
    writeFolder();
    m_list->setClassFilter(u"1A"_s);
    QVERIFY(m_list->passesClassFilter(folder() + u"anton.dat"_s));
    QVERIFY(!m_list->passesClassFilter(folder() + u"Äpfel.dat"_s));
    QVERIFY(m_list->passesClassFilter(folder() + u"Cäsar.dat"_s));
    QCOMPARE(m_list->classes, (QStringList{u"1a"_s, u"2b"_s}));
}

void TestParticipantListDialog::noParticipants_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QByteArray>("datFile"); // the file ".dat", when not empty
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("empty folder") << QString() << QByteArray() << QStringList{u"(Alle)"_s};
    QTest::newRow("missing folder") << u"fehlt/"_s << QByteArray() << QStringList{u"(Alle)"_s};
    QTest::newRow("only \".dat\"")
        << QString() << QByteArray("3c|x") << QStringList{u"(Alle)"_s, u"3c"_s};
}

void TestParticipantListDialog::noParticipants()
{
    QFETCH(QString, subfolder);
    QFETCH(QByteArray, datFile);
    QFETCH(QStringList, offered);
    if (!datFile.isEmpty())
        QVERIFY(writeBytes(folder() + u".dat"_s, datFile));
    m_list->participantPath = folder() + subfolder;
    QVERIFY(!m_list->readParticipants(QString()));
    QCOMPARE(m_list->ui().list->count(), 0);
    QVERIFY(!m_list->ui().okButton->isEnabled());

    showList(QString(), subfolder);
    QStringList chooserEntries;
    whenShown(
        *m_classFilterDialog, [&] { chooserEntries = itemTexts(m_classFilterDialog->ui().list); });
    m_list->ui().classesButton->click();
    QCOMPARE(chooserEntries, offered);
}

void TestParticipantListDialog::classChooser_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("preselected");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("newFilter");
    QTest::addColumn<QStringList>("names");
    const QStringList twoB{u"Äpfel"_s, u"Berta"_s};
    QTest::newRow("Escape keeps the filter")
        << u"2b"_s << 2 << 0 << int(Qt::Key_Escape) << u"2b"_s << twoB;
    QTest::newRow("(Alle) clears the filter")
        << u"2B"_s << 2 << 0 << int(Qt::Key_Return) << QString() << kAll;
    QTest::newRow("a class filters")
        << QString() << 0 << 2 << int(Qt::Key_Return) << u"2b"_s << twoB;
    QTest::newRow("unknown filter preselects (Alle)")
        << u"9z"_s << 0 << 0 << int(Qt::Key_Return) << QString() << kAll;
}

void TestParticipantListDialog::classChooser()
{
    QFETCH(QString, filter);
    QFETCH(int, preselected);
    QFETCH(int, chosen);
    QFETCH(int, key);
    QFETCH(QString, newFilter);
    QFETCH(QStringList, names);
    writeFolder();
    showList(filter, u"Berta.dat"_s);
    const QStringList classes = m_list->classes;

    QStringList offered;
    int preselection = -1;
    whenShown(*m_classFilterDialog, [&] {
        offered = itemTexts(m_classFilterDialog->ui().list);
        preselection = m_classFilterDialog->ui().list->currentRow();
        m_classFilterDialog->ui().list->setCurrentRow(chosen);
        QTest::keyClick(m_classFilterDialog->ui().list, Qt::Key(key));
    });
    m_list->ui().classesButton->click();
    QCOMPARE(offered, QStringList{u"(Alle)"_s} + classes);
    QCOMPARE(preselection, preselected);

    QCOMPARE(m_list->classFilter(), newFilter);
    QCOMPARE(m_list->ui().classLabel->text(),
        u"Aktuelle Klasse: %1"_s.arg(newFilter.isEmpty() ? u"(Alle)"_s : newFilter));
    QCOMPARE(itemTexts(m_list->ui().list), names);
    QCOMPARE(m_list->ui().list->currentItem()->text(), u"Berta"_s);
    QCOMPARE(m_list->focusWidget(), m_list->ui().list);
}

void TestParticipantListDialog::unreadableFileEndsTheListing()
{
    writeFolder();
    showList(QString(), QString());
    QVERIFY(m_list->ui().okButton->isEnabled());
    m_list->reject();

    const QString pipe = folder() + u"Zora.dat"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString error
        = u"Datei %1 kann nicht geöffnet werden. Die Datei ist keine gewöhnliche Datei."_s.arg(
            pipe);
    QVERIFY_THROWS_EXCEPTION(TessaroError, m_list->readParticipants(QString()));

    // The listing of the timer reports the error and the window stays usable.
    showList(QString(), QString());
    QCOMPARE(m_env->messages.takeShown(), (QList<ShownMessage>{{MessageKind::Error, error}}));
    QCOMPARE(m_list->ui().list->count(), 0);
    QVERIFY(m_list->ui().okButton->isEnabled());
    QVERIFY(m_list->isVisible());

    // So does the listing after a class was chosen.
    whenShown(*m_classFilterDialog,
        [this] { QTest::keyClick(m_classFilterDialog->ui().list, Qt::Key_Return); });
    m_list->ui().classesButton->click();
    QCOMPARE(m_env->messages.takeShown(), (QList<ShownMessage>{{MessageKind::Error, error}}));
    QCOMPARE(m_list->ui().list->count(), 0);
}

void TestParticipantListDialog::closingBeforeTheTimerReadsNothing()
{
    writeFolder();
    m_list->open();
    QTest::keyClick(m_list->ui().list, Qt::Key_Escape);
    QCOMPARE(m_list->result(), int(QDialog::Rejected));
    QVERIFY(!m_list->ui().fillTimer->isActive());
    QCOMPARE(m_list->ui().list->count(), 0);
}

void TestParticipantListDialog::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter chooses") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void TestParticipantListDialog::keys()
{
    QFETCH(int, key);
    QFETCH(int, result);
    writeFolder();
    showList(QString(), u"Cäsar.dat"_s);

    const QListWidgetItem *anton = m_list->ui().list->item(0);
    QTest::mouseDClick(m_list->ui().list->viewport(), Qt::LeftButton, {},
        m_list->ui().list->visualItemRect(anton).center());
    QVERIFY(m_list->isVisible());
    QCOMPARE(m_list->ui().list->currentRow(), 0);

    QTest::keyClick(m_list->ui().list, Qt::Key(key));
    QVERIFY(!m_list->isVisible());
    QCOMPARE(m_list->result(), result);
}

void TestParticipantListDialog::layout_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("12 points") << 12;
    QTest::newRow("24 points") << 24;
}

void TestParticipantListDialog::layout()
{
    QFETCH(int, points);
    const DisplayFont font = fontOfSize(points);
    const int b = textLineHeight(font.font, ControlKind::Button);
    writeFolder();

    m_list->applyAppearance(font, Qt::white);
    m_list->open();
    QCOMPARE(m_list->width(), 767);
    QCOMPARE(m_list->ui().list->height(), 5 * b);
    QCOMPARE(m_list->ui().okButton->geometry(),
        QRect(10 + 187 + 93, m_list->ui().list->geometry().bottom() + 11, 187, b));
    QCOMPARE(m_list->height(), m_list->ui().okButton->geometry().bottom() + 11);
    QCOMPARE(m_list->ui().classLabel->font().pointSize(), points);
    QCOMPARE(m_list->ui().classesButton->font().pointSize(), points);

    // The label is centred again when its text changes; one wider than the window widens it.
    m_list->setClassFilter(u"4b"_s);
    QCOMPARE(m_list->ui().classLabel->size(), m_list->ui().classLabel->sizeHint());
    QCOMPARE(m_list->ui().classLabel->x(), (767 - m_list->ui().classLabel->width()) / 2);
    m_list->setClassFilter(u"eine sehr lange Klassenbezeichnung"_s);
    QCOMPARE(m_list->ui().classLabel->size(), m_list->ui().classLabel->sizeHint());
    QCOMPARE(m_list->width(), qMax(767, m_list->ui().classLabel->width() + 20));
    QCOMPARE(
        m_list->ui().classLabel->x(), (m_list->width() - m_list->ui().classLabel->width()) / 2);
    m_list->reject();

    m_classFilterDialog->applyAppearance(font, Qt::white);
    m_classFilterDialog->open();
    QCOMPARE(m_classFilterDialog->width(), 10 + 187 + 93 + 187 + 10);
    QCOMPARE(m_classFilterDialog->ui().list->height(), 5 * b);
    QCOMPARE(m_classFilterDialog->ui().list->font().pointSize(), points);
    m_classFilterDialog->reject();
}

void TestParticipantListDialog::theListIsAnnouncedByTheClassLabel()
{
    writeFolder();
    showList(u"2b"_s, QString());
    QVERIFY(QTest::qWaitForWindowActive(m_list));
    QCOMPARE(m_list->ui().list->accessibleName(), u"Aktuelle Klasse: 2b"_s);
    m_env->reader.announced.clear();

    m_list->ui().okButton->setFocus();
    QTest::qWait(20);
    QVERIFY(m_env->reader.announced.isEmpty());
    m_list->setClassFilter(QString());
    m_list->ui().list->setFocus();
    QTRY_COMPARE(m_env->reader.announced, QStringList{u"Aktuelle Klasse: (Alle)"_s});
    QCOMPARE(m_list->ui().list->accessibleName(), u"Aktuelle Klasse: (Alle)"_s);
}

QTEST_MAIN(TestParticipantListDialog)
#include "tst_participantlistdialog.moc"
