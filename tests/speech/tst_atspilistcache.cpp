// What the program hands the screen reader's AT-SPI library of a list, and when. Offscreen Qt has
// no active bridge and delivers no accessibility events, so the events Qt sends are handed to the
// cache directly, after the list's accessible interface has taken a model change as Qt lets it;
// the signals are recorded instead of sent.

#include "speech/atspilistcache.h"

#include "listwindow.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr quint64 kFocused = quint64(1) << 12;
constexpr quint64 kSelected = quint64(1) << 23;
constexpr quint64 kShowing = quint64(1) << 25;
constexpr quint64 kTransient = quint64(1) << 28;
constexpr quint64 kManagesDescendants = quint64(1) << 31;

quint64 states(const AtspiCacheItem &item)
{
    return item.states.at(0) | quint64(item.states.at(1)) << 32;
}

} // namespace

class TestAtspiListCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void publishesEntriesBeforeTheFocusReport();
    void refillRemovesTheEntriesAndPublishesTheNewOnes();
    void keepsStatesAndTextsInStep();

private:
    void changeModel(QAccessibleTableModelChangeEvent::ModelChangeType type, int row = -1);
    void reportFocus(QObject *object, int child = -1);
    QList<AtspiCacheItem> added() const;
    QStringList removed() const;
    QString path(int row) const;

    std::unique_ptr<ListWindow> m_window;
    QListWidget *m_list = nullptr;
    QLineEdit *m_edit = nullptr;
    std::unique_ptr<AtspiListCache> m_cache;
    QList<QDBusMessage> m_sent;
};

void TestAtspiListCache::init()
{
    m_window = std::make_unique<ListWindow>();
    m_list = m_window->list;
    m_edit = m_window->edit;
    m_list->setAccessibleName(u"Aktuelle Klasse: (Alle)"_s);
    m_list->addItems({u"Anton Berger"_s, u"Berta Blau"_s, u"Carl Christ"_s});
    QVERIFY(m_window->show());
    m_list->setFocus();
    m_list->setCurrentRow(1);
    m_cache = std::make_unique<AtspiListCache>(
        u":1.42"_s, [this](const QDBusMessage &message) { m_sent.append(message); });
}

void TestAtspiListCache::cleanup()
{
    m_cache.reset();
    m_window.reset();
    m_sent.clear();
}

void TestAtspiListCache::changeModel(
    QAccessibleTableModelChangeEvent::ModelChangeType type, int row)
{
    QAccessibleTableModelChangeEvent event(m_list, type);
    event.setFirstRow(row);
    event.setLastRow(row);
    QAccessible::queryAccessibleInterface(m_list)->tableInterface()->modelChange(&event);
    m_cache->update(&event);
}

void TestAtspiListCache::reportFocus(QObject *object, int child)
{
    QAccessibleEvent event(object, QAccessible::Focus);
    event.setChild(child);
    m_cache->update(&event);
}

QList<AtspiCacheItem> TestAtspiListCache::added() const
{
    QList<AtspiCacheItem> items;
    for (const QDBusMessage &message : m_sent) {
        if (message.member() == "AddAccessible"_L1)
            items.append(qvariant_cast<AtspiCacheItem>(message.arguments().at(0)));
    }
    return items;
}

QStringList TestAtspiListCache::removed() const
{
    QStringList paths;
    for (const QDBusMessage &message : m_sent) {
        if (message.member() == "RemoveAccessible"_L1)
            paths.append(
                qvariant_cast<AtspiObjectReference>(message.arguments().at(0)).path.path());
    }
    return paths;
}

QString TestAtspiListCache::path(int row) const
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_list);
    QAccessibleInterface *object = row < 0 ? list : list->child(row);
    return u"/org/a11y/atspi/accessible/%1"_s.arg(QAccessible::uniqueId(object));
}

void TestAtspiListCache::publishesEntriesBeforeTheFocusReport()
{
    reportFocus(m_list, 1);
    const QList<AtspiCacheItem> items = added();
    QCOMPARE(items.size(), 4);
    QCOMPARE(m_sent.first().path(), u"/org/a11y/atspi/cache"_s);
    QCOMPARE(m_sent.first().interface(), u"org.a11y.atspi.Cache"_s);
    for (int row = 0; row < 3; ++row) {
        const AtspiCacheItem &entry = items.at(row);
        QCOMPARE(entry.object.path.path(), path(row));
        QCOMPARE(entry.parent.path.path(), path(-1));
        QCOMPARE(entry.indexInParent, row);
        QCOMPARE(entry.name, m_list->item(row)->text());
        QCOMPARE(entry.role, 32u);
        QCOMPARE(states(entry) & (kFocused | kSelected | kShowing | kTransient),
            row == 1 ? kFocused | kSelected | kShowing : kShowing);
    }
    // The list last, with its children, focused, and without managing its descendants.
    const AtspiCacheItem &list = items.last();
    QCOMPARE(list.object.path.path(), path(-1));
    QCOMPARE(list.application.path.path(), u"/org/a11y/atspi/accessible/root"_s);
    QCOMPARE(list.object.service, u":1.42"_s);
    QCOMPARE(list.childCount, 3);
    QCOMPARE(list.name, u"Aktuelle Klasse: (Alle)"_s);
    QCOMPARE(list.role, 31u);
    QCOMPARE(states(list) & (kFocused | kManagesDescendants | kTransient), kFocused);

    QDBusArgument argument;
    argument << list;
    QCOMPARE(argument.currentSignature(), u"((so)(so)(so)iiassusau)"_s);

    // Moving in a published list sends only what changed: the two entries.
    m_sent.clear();
    m_list->setCurrentRow(2);
    reportFocus(m_list, 2);
    QCOMPARE(added().size(), 2);
}

void TestAtspiListCache::refillRemovesTheEntriesAndPublishesTheNewOnes()
{
    reportFocus(m_list, 1);
    const QStringList oldEntries{path(0), path(1), path(2)};
    m_sent.clear();
    m_list->clear();
    changeModel(QAccessibleTableModelChangeEvent::ModelReset);
    QCOMPARE(removed(), oldEntries);
    QCOMPARE(added().size(), 1);
    QCOMPARE(added().last().childCount, 0);

    // The new entries are empty places first, and published once the fill is over.
    m_sent.clear();
    m_list->addItems({u"Dora Dach"_s, u"Emil Eck"_s});
    changeModel(QAccessibleTableModelChangeEvent::RowsInserted, 0);
    QCOMPARE(added().size(), 2);
    QCOMPARE(added().last().childCount, 2);
    m_sent.clear();
    QTRY_COMPARE(added().size(), 3);
    QCOMPARE(added().at(1).name, u"Emil Eck"_s);
    QCOMPARE(added().at(1).object.path.path(), path(1));

    // A hidden list is left to the screen reader's questions.
    m_window->window->hide();
    m_sent.clear();
    m_list->addItem(u"Franz Fink"_s);
    changeModel(QAccessibleTableModelChangeEvent::RowsInserted, 2);
    QTest::qWait(50);
    QCOMPARE(added().size(), 2);
    QVERIFY(removed().isEmpty());
}

void TestAtspiListCache::keepsStatesAndTextsInStep()
{
    reportFocus(m_list, 1);
    m_sent.clear();
    m_list->item(2)->setText(u"Carl Christ: abwesend"_s);
    changeModel(QAccessibleTableModelChangeEvent::DataChanged, 2);
    QCOMPARE(added().size(), 1);
    QCOMPARE(added().first().object.path.path(), path(2));
    QCOMPARE(added().first().name, u"Carl Christ: abwesend"_s);

    // The focus leaves the list: the list is sent again without it, its entries are not.
    m_sent.clear();
    m_edit->setFocus();
    reportFocus(m_edit);
    QCOMPARE(added().size(), 1);
    QCOMPARE(added().first().object.path.path(), path(-1));
    QCOMPARE(states(added().first()) & kFocused, 0u);
}

QTEST_MAIN(TestAtspiListCache)
#include "tst_atspilistcache.moc"
