// What the program hands the screen reader's AT-SPI library of a list, and when. Offscreen Qt
// delivers no accessibility events, so the events Qt sends are handed to the cache directly, after
// the list's interface has taken a model change as Qt lets it; the signals are recorded.

#include "speech/atspilistcache.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAtspiListCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void publishesShownListsAndKeepsThemInStep();
};

void TestAtspiListCache::publishesShownListsAndKeepsThemInStep()
{
    // The list and a field to move the focus to, in a window that is active.
    QWidget window;
    auto *list = new QListWidget(&window);
    auto *edit = new QLineEdit(&window);
    list->setGeometry(0, 0, 200, 150);
    edit->move(0, 160);
    list->setAccessibleName(u"Klasse"_s);
    list->addItems({u"Anton"_s, u"Berta"_s, u"Carl"_s});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    list->setCurrentRow(1);
    QList<QDBusMessage> sent;
    AtspiListCache cache(u":1.42"_s, [&sent](const QDBusMessage &message) { sent << message; });
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(list);
    const auto report = [&](QAccessibleEvent &&event) {
        if (event.type() == QAccessible::TableModelChanged)
            accessible->tableInterface()->modelChange(
                static_cast<QAccessibleTableModelChangeEvent *>(&event));
        cache.update(&event);
    };
    const auto changed = [&](QAccessibleTableModelChangeEvent::ModelChangeType type, int row) {
        QAccessibleTableModelChangeEvent event(list, type);
        event.setFirstRow(row);
        event.setLastRow(row);
        report(std::move(event));
    };
    const auto focus = [&](QObject *object, int child) {
        QAccessibleEvent event(object, QAccessible::Focus);
        event.setChild(child);
        report(std::move(event));
    };
    // The signals in short, by the names of the objects: "+object parent index children role
    // name" and the states focused (F), selected (S), showing (V), transient (T), managing
    // descendants (M); or "-object".
    QHash<QString, QString> names;
    const auto path = [](QAccessibleInterface *object) {
        return u"/org/a11y/atspi/accessible/%1"_s.arg(QAccessible::uniqueId(object));
    };
    const auto nameObjects = [&] {
        names.insert(path(accessible->parent()), u"window"_s);
        names.insert(path(accessible), u"list"_s);
        for (int row = 0; row < accessible->childCount(); ++row)
            names.insert(path(accessible->child(row)), u"e"_s + QString::number(row));
    };
    const auto takeSent = [&] {
        QStringList got;
        for (const QDBusMessage &message : std::exchange(sent, {})) {
            const QVariant argument = message.arguments().at(0);
            if (message.member() == "RemoveAccessible"_L1) {
                got << u"-"_s + names.value(argument.value<AtspiObjectReference>().path.path());
                continue;
            }
            const auto item = argument.value<AtspiCacheItem>();
            QString states;
            for (const auto &[bit, letter] : std::initializer_list<std::pair<int, char>>{
                     {12, 'F'}, {23, 'S'}, {25, 'V'}, {28, 'T'}, {31, 'M'}})
                states += item.states.at(0) & 1u << bit ? QString(QLatin1Char(letter)) : QString();
            got << u"+%1 %2 %3 %4 %5 %6 %7"_s.arg(names.value(item.object.path.path()),
                names.value(item.parent.path.path()), QString::number(item.indexInParent),
                QString::number(item.childCount), QString::number(item.role), item.name, states);
        }
        return got;
    };
    nameObjects();

    // The entries first, then the list with its children, focused, not managing them.
    focus(list, 1);
    const auto listItem = sent.last().arguments().at(0).value<AtspiCacheItem>();
    QCOMPARE(listItem.application.path.path(), u"/org/a11y/atspi/accessible/root"_s);
    QDBusArgument marshalled;
    marshalled << listItem;
    QCOMPARE(marshalled.currentSignature(), u"((so)(so)(so)iiassusau)"_s);
    QCOMPARE(takeSent(),
        QStringList({u"+e0 list 0 0 32 Anton V"_s, u"+e1 list 1 0 32 Berta FSV"_s,
            u"+e2 list 2 0 32 Carl V"_s, u"+list window -1 3 31 Klasse FV"_s}));
    // Moving in the list sends the entries that changed, a new text the entry.
    list->setCurrentRow(2);
    focus(list, 2);
    list->item(0)->setText(u"Anton: abwesend"_s);
    changed(QAccessibleTableModelChangeEvent::DataChanged, 0);
    QCOMPARE(takeSent(),
        QStringList({u"+e1 list 1 0 32 Berta V"_s, u"+e2 list 2 0 32 Carl FSV"_s,
            u"+e0 list 0 0 32 Anton: abwesend V"_s}));
    // The focus leaves the list: the list is sent again without it.
    edit->setFocus();
    focus(edit, -1);
    QCOMPARE(takeSent(), QStringList({u"+list window -1 3 31 Klasse V"_s}));

    // A refill removes the entries Qt dropped, leaves empty places for the new ones, and sends
    // them once the fill is over.
    list->setFocus();
    list->clear();
    changed(QAccessibleTableModelChangeEvent::ModelReset, -1);
    list->addItems({u"Dora"_s, u"Emil"_s});
    changed(QAccessibleTableModelChangeEvent::RowsInserted, 0);
    QCOMPARE(takeSent(),
        QStringList({u"-e0"_s, u"-e1"_s, u"-e2"_s, u"+list window -1 0 31 Klasse FV"_s,
            u"+list window -1 0 31 Klasse FV"_s, u"+list window -1 2 31 Klasse FV"_s}));
    nameObjects();
    QTRY_VERIFY(!sent.isEmpty());
    QCOMPARE(takeSent(),
        QStringList({u"+e0 list 0 0 32 Dora V"_s, u"+e1 list 1 0 32 Emil V"_s,
            u"+list window -1 2 31 Klasse FV"_s}));
}

QTEST_MAIN(TestAtspiListCache)
#include "tst_atspilistcache.moc"
