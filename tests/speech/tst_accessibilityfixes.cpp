// What installAccessibilityFixes() hands on to the platform bridge when Qt reports the focus in a
// list. Offscreen Qt has no active bridge and drops events before any update handler, so the
// installed handler is called directly with the events Qt sends, and a recorder installed before
// the fixes receives what they hand on: what the bridge would send to the screen reader.

#include "speech/accessibilityfixes.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <QVBoxLayout>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Report
{
    QAccessible::Event type = QAccessible::Focus;
    QObject *object = nullptr;
    int child = -1;

    friend bool operator==(const Report &, const Report &) = default;
};

QList<Report> s_reports;
// The text of the last deletion reported.
QString s_removedText;

void recordReport(QAccessibleEvent *event)
{
    s_reports.append({event->type(), event->object(), event->child()});
    if (event->type() == QAccessible::TextRemoved)
        s_removedText = static_cast<QAccessibleTextRemoveEvent *>(event)->textRemoved();
}

// Longer than the time an empty list's report waits for the list's first entry.
constexpr int kLongerThanTheWait = 300;

} // namespace

class TestAccessibilityFixes : public QObject
{
    Q_OBJECT

public:
    enum class WhileWaiting { Nothing, ListFilled, FocusLeft };
    Q_ENUM(WhileWaiting)
    // Where the line edit stands when Qt reports something of its text.
    enum class EditFocus { None, NotReportedYet, Reported };
    Q_ENUM(EditFocus)

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void listFocusReports_data();
    void listFocusReports();
    void otherReportsPassUnchanged();
    void lineEditReports_data();
    void lineEditReports();

private:
    void report(QObject *object, QAccessible::Event type, int child = -1);
    void fillList(int entries, int current);

    QAccessible::UpdateHandler m_handler = nullptr;
    std::unique_ptr<QWidget> m_window;
    QListWidget *m_list = nullptr;
    QLineEdit *m_edit = nullptr;
};

void TestAccessibilityFixes::initTestCase()
{
    QAccessible::installUpdateHandler(recordReport);
    installAccessibilityFixes();
    m_handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(m_handler);
    QVERIFY(m_handler && m_handler != recordReport);
}

void TestAccessibilityFixes::init()
{
    m_window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(m_window.get());
    m_list = new QListWidget;
    m_edit = new QLineEdit;
    layout->addWidget(m_list);
    layout->addWidget(m_edit);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    s_reports.clear();
}

void TestAccessibilityFixes::cleanup()
{
    m_window.reset();
}

void TestAccessibilityFixes::report(QObject *object, QAccessible::Event type, int child)
{
    QAccessibleEvent event(object, type);
    event.setChild(child);
    m_handler(&event);
}

void TestAccessibilityFixes::fillList(int entries, int current)
{
    for (int i = 0; i < entries; ++i)
        m_list->addItem(u"Teilnehmer %1"_s.arg(i));
    m_list->setCurrentRow(current);
}

void TestAccessibilityFixes::listFocusReports_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("listFocused");
    QTest::addColumn<int>("reportedChild");
    QTest::addColumn<WhileWaiting>("whileWaiting");
    // The children of the list reported, at once and after the wait.
    QTest::addColumn<QList<int>>("atOnce");
    QTest::addColumn<QList<int>>("later");

    using W = WhileWaiting;
    QTest::newRow("focused list is reported as its current entry")
        << 3 << 1 << true << -1 << W::Nothing << QList<int>{1} << QList<int>{};
    QTest::newRow("new current entry of the focused list is reported")
        << 3 << 2 << true << 2 << W::Nothing << QList<int>{2} << QList<int>{};
    QTest::newRow("new current entry of a list without the focus is dropped")
        << 3 << 2 << false << 2 << W::Nothing << QList<int>{} << QList<int>{};
    QTest::newRow("list losing the focus is reported as Qt reports it")
        << 3 << 1 << false << -1 << W::Nothing << QList<int>{-1} << QList<int>{};
    QTest::newRow("empty focused list is reported once the wait is over")
        << 0 << -1 << true << -1 << W::Nothing << QList<int>{} << QList<int>{-1};
    QTest::newRow("list filled while its report waits is reported as its first entry")
        << 0 << -1 << true << -1 << W::ListFilled << QList<int>{} << QList<int>{0};
    QTest::newRow("empty list that loses the focus while its report waits is not reported")
        << 0 << -1 << true << -1 << W::FocusLeft << QList<int>{} << QList<int>{};
}

void TestAccessibilityFixes::listFocusReports()
{
    QFETCH(int, entries);
    QFETCH(int, current);
    QFETCH(bool, listFocused);
    QFETCH(int, reportedChild);
    QFETCH(WhileWaiting, whileWaiting);
    QFETCH(QList<int>, atOnce);
    QFETCH(QList<int>, later);

    fillList(entries, current);
    (listFocused ? static_cast<QWidget *>(m_list) : m_edit)->setFocus();
    QCOMPARE(m_list->hasFocus(), listFocused);
    s_reports.clear();

    const auto reportsOfTheList = [this](const QList<int> &children) {
        QList<Report> reports;
        for (int child : children)
            reports.append({QAccessible::Focus, m_list, child});
        return reports;
    };
    report(m_list, QAccessible::Focus, reportedChild);
    QCOMPARE(s_reports, reportsOfTheList(atOnce));

    s_reports.clear();
    if (whileWaiting == WhileWaiting::ListFilled) {
        // As the participant list does 25 ms after showing; Qt then reports the new entry.
        fillList(3, 0);
        report(m_list, QAccessible::Focus, 0);
    } else if (whileWaiting == WhileWaiting::FocusLeft) {
        m_edit->setFocus();
        s_reports.clear();
    }
    QTest::qWait(kLongerThanTheWait);
    QCOMPARE(s_reports, reportsOfTheList(later));
}

void TestAccessibilityFixes::otherReportsPassUnchanged()
{
    fillList(3, 1);
    m_list->setFocus();
    s_reports.clear();
    report(m_edit, QAccessible::Focus);
    // The entry's "selected" state for the bridge.
    report(m_list, QAccessible::SelectionAdd, 1);
    QTest::qWait(kLongerThanTheWait);
    QCOMPARE(s_reports,
        (QList<Report>{{QAccessible::Focus, m_edit, -1}, {QAccessible::SelectionAdd, m_list, 1}}));
}

void TestAccessibilityFixes::lineEditReports_data()
{
    QTest::addColumn<EditFocus>("focus");
    QTest::addColumn<bool>("programWrites");
    QTest::addColumn<QAccessible::Event>("reported");
    // What reaches the bridge: nothing, the report itself, or an empty deletion.
    QTest::addColumn<QString>("bridgeGets");

    using F = EditFocus;
    QTest::newRow("selection removed from the field losing the focus is dropped")
        << F::None << false << QAccessible::TextSelectionChanged << u"nothing"_s;
    QTest::newRow("text selected before the focus is reported is dropped")
        << F::NotReportedYet << false << QAccessible::TextSelectionChanged << u"nothing"_s;
    QTest::newRow("caret moved before the focus is reported is dropped")
        << F::NotReportedYet << false << QAccessible::TextCaretMoved << u"nothing"_s;
    QTest::newRow("caret moved by the user is reported")
        << F::Reported << false << QAccessible::TextCaretMoved << u"itself"_s;
    QTest::newRow("typed text is reported")
        << F::Reported << false << QAccessible::TextInserted << u"itself"_s;
    QTest::newRow("text set by the user through the bridge is reported")
        << F::Reported << false << QAccessible::TextUpdated << u"itself"_s;
    QTest::newRow("text the program writes into the focused field is an empty deletion")
        << F::Reported << true << QAccessible::TextUpdated << u"empty deletion"_s;
    QTest::newRow("caret the program moves in the focused field is dropped")
        << F::Reported << true << QAccessible::TextCaretMoved << u"nothing"_s;
    QTest::newRow("text the program writes where the focus is not reported yet is dropped")
        << F::NotReportedYet << true << QAccessible::TextUpdated << u"nothing"_s;
    QTest::newRow("text the program writes into another field is dropped")
        << F::None << true << QAccessible::TextUpdated << u"nothing"_s;
}

void TestAccessibilityFixes::lineEditReports()
{
    QFETCH(EditFocus, focus);
    QFETCH(bool, programWrites);
    QFETCH(QAccessible::Event, reported);
    QFETCH(QString, bridgeGets);

    m_edit->setText(u"Mo., 16. März 2026"_s);
    (focus == EditFocus::None ? static_cast<QWidget *>(m_list) : m_edit)->setFocus();
    // Another object's focus report first, so that the edit's is not the last one reported.
    report(m_list, QAccessible::Focus, 0);
    if (focus == EditFocus::Reported)
        report(m_edit, QAccessible::Focus);
    s_reports.clear();

    std::optional<ProgramTextChange> change;
    if (programWrites)
        change.emplace(m_edit);
    switch (reported) {
    case QAccessible::TextUpdated: {
        QAccessibleTextUpdateEvent event(m_edit, 0, u"Mo., 16. März 2026"_s, u"12.03.2026"_s);
        m_handler(&event);
        break;
    }
    case QAccessible::TextInserted: {
        QAccessibleTextInsertEvent event(m_edit, 0, u"1"_s);
        m_handler(&event);
        break;
    }
    default:
        report(m_edit, reported);
    }

    const QList<Report> expected = bridgeGets == u"nothing"_s ? QList<Report>()
        : bridgeGets == u"itself"_s                           ? QList<Report>({{reported, m_edit}})
                                    : QList<Report>({{QAccessible::TextRemoved, m_edit}});
    QCOMPARE(s_reports, expected);
    if (bridgeGets == u"empty deletion"_s)
        QCOMPARE(s_removedText, QString());
}

QTEST_MAIN(TestAccessibilityFixes)

#include "tst_accessibilityfixes.moc"
