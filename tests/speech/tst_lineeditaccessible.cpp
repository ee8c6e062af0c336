// In-process tests of LineEditAccessible, the QLineEdit interface installed
// by installLineEditAccessibility().
//
// Qt 6.4's own textAtOffset never returns for a word or sentence query at the
// end of the text. Should the interface under test regress to that code, a
// test function spins; Qt Test's watchdog (QTEST_FUNCTION_TIMEOUT, set by
// CTest) then aborts the run, so a hang shows up as a failed test.

#include "speech/lineeditaccessible.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextBoundaryFinder>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;
using LineEditText::Range;
using LineEditText::Relation;

Q_DECLARE_METATYPE(QAccessible::TextBoundaryType)
Q_DECLARE_METATYPE(LineEditText::Relation)

namespace {

const QList<QAccessible::TextBoundaryType> kAllBoundaryTypes = {
    QAccessible::CharBoundary,
    QAccessible::WordBoundary,
    QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary,
    QAccessible::LineBoundary,
    QAccessible::NoBoundary,
};
const QList<Relation> kAllRelations = {Relation::Before, Relation::At, Relation::After};

const char *boundaryName(QAccessible::TextBoundaryType type)
{
    switch (type) {
    case QAccessible::CharBoundary:
        return "Char";
    case QAccessible::WordBoundary:
        return "Word";
    case QAccessible::SentenceBoundary:
        return "Sentence";
    case QAccessible::ParagraphBoundary:
        return "Paragraph";
    case QAccessible::LineBoundary:
        return "Line";
    case QAccessible::NoBoundary:
        return "NoBoundary";
    }
    return "?";
}

const char *relationName(Relation relation)
{
    return relation == Relation::Before ? "before" : relation == Relation::At ? "at" : "after";
}

struct Answer
{
    QString text;
    int start = -2;
    int end = -2;

    friend bool operator==(const Answer &, const Answer &) = default;
};

QString describe(const Answer &answer)
{
    return u"\"%1\" [%2, %3)"_s.arg(answer.text).arg(answer.start).arg(answer.end);
}

char *toString(const Answer &answer)
{
    return QTest::toString(describe(answer));
}

Answer ask(const QAccessibleTextInterface *text, Relation relation, int offset,
    QAccessible::TextBoundaryType type)
{
    Answer answer;
    switch (relation) {
    case Relation::Before:
        answer.text = text->textBeforeOffset(offset, type, &answer.start, &answer.end);
        break;
    case Relation::At:
        answer.text = text->textAtOffset(offset, type, &answer.start, &answer.end);
        break;
    case Relation::After:
        answer.text = text->textAfterOffset(offset, type, &answer.start, &answer.end);
        break;
    }
    return answer;
}

// The independent expectation: items found by walking QTextBoundaryFinder
// forward with every step bounded, keeping the boundaries where an item
// starts or ends, as Qt's own textAtOffset intends to.
QList<Range> expectedItems(const QString &text, QAccessible::TextBoundaryType type)
{
    const int count = int(text.size());
    if (count == 0)
        return {};
    QTextBoundaryFinder::BoundaryType finderType = QTextBoundaryFinder::Grapheme;
    switch (type) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        finderType = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        finderType = QTextBoundaryFinder::Sentence;
        break;
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
    case QAccessible::NoBoundary:
        return {{0, count}}; // One line in a line edit.
    }
    QTextBoundaryFinder finder(finderType, text);
    QList<int> cuts{0};
    for (int step = 0; step < count; ++step) {
        const qsizetype next = finder.toNextBoundary();
        if (next <= 0 || next >= count)
            break; // -1 past the end is where Qt's loop keeps going.
        if (finder.boundaryReasons()
            & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem))
            cuts.append(int(next));
    }
    cuts.append(count);
    QList<Range> items;
    for (int i = 0; i + 1 < cuts.size(); ++i)
        items.append({cuts.at(i), cuts.at(i + 1)});
    return items;
}

Answer expectedAnswer(
    const QString &text, QAccessible::TextBoundaryType type, int offset, Relation relation)
{
    const int count = int(text.size());
    if (offset < 0 || offset > count)
        return {QString(), -1, -1};
    const QList<Range> items = expectedItems(text, type);
    int at = int(items.size()); // The empty item at the end, after the last character.
    for (int i = 0; i < items.size(); ++i) {
        if (offset >= items.at(i).start && offset < items.at(i).end)
            at = i;
    }
    // The caret at the end reads the last word, sentence or line.
    if (offset == count && type != QAccessible::CharBoundary && !items.isEmpty())
        at = int(items.size()) - 1;
    const int target = relation == Relation::Before ? at - 1
        : relation == Relation::After               ? at + 1
                                                    : at;
    if (relation == Relation::At && target == items.size())
        return {QString(), count, count};
    if (target < 0 || target >= items.size())
        return {QString(), -1, -1};
    const Range item = items.at(target);
    return {text.mid(item.start, item.end - item.start), item.start, item.end};
}

// What Orca 43 speaks for a focused entry: it joins the attribute runs it gets
// for offsets 0..count-1 (getAllTextAttributesForObject) and reads the text
// those runs cover (splitSubstringByLanguage).
QString orcaReading(const QAccessibleTextInterface *text)
{
    const int count = text->characterCount();
    int first = -1;
    int last = -1;
    for (int offset = 0; offset < count;) {
        int start = -1;
        int end = -1;
        text->attributes(offset, &start, &end);
        if (first < 0)
            first = std::max(start, offset);
        last = end;
        offset = std::max(end, offset + 1);
    }
    if (first < 0 || last <= first)
        return QString();
    return text->text(first, std::min(last, count));
}

struct RecordedEvent
{
    QAccessible::Event type;
    QObject *object;
    QString inserted;
    QString removed;
    int changePosition = -1;
    int cursorPosition = -1;
};

QList<RecordedEvent> s_events;

// Installed before installLineEditAccessibility(), so it receives what the
// masking handler forwards: the events a platform bridge would send.
void recordEvent(QAccessibleEvent *event)
{
    RecordedEvent recorded{event->type(), event->object(), {}, {}};
    switch (event->type()) {
    case QAccessible::TextInserted: {
        const auto *insert = static_cast<QAccessibleTextInsertEvent *>(event);
        recorded.inserted = insert->textInserted();
        recorded.changePosition = insert->changePosition();
        break;
    }
    case QAccessible::TextRemoved: {
        const auto *remove = static_cast<QAccessibleTextRemoveEvent *>(event);
        recorded.removed = remove->textRemoved();
        recorded.changePosition = remove->changePosition();
        break;
    }
    case QAccessible::TextUpdated: {
        const auto *update = static_cast<QAccessibleTextUpdateEvent *>(event);
        recorded.inserted = update->textInserted();
        recorded.removed = update->textRemoved();
        recorded.changePosition = update->changePosition();
        break;
    }
    default:
        break;
    }
    if (event->type() == QAccessible::TextCaretMoved || recorded.changePosition >= 0)
        recorded.cursorPosition
            = static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition();
    s_events.append(recorded);
}

} // namespace

// A QLineEdit subclass has its own class name; the factory must still apply.
class DateLineEdit : public QLineEdit
{
    Q_OBJECT
};

class TestLineEditAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void boundariesAtEveryOffset_data();
    void boundariesAtEveryOffset();
    void keyCases_data();
    void keyCases();
    void focusedEditReportsFullValue_data();
    void focusedEditReportsFullValue();
    void selectionAndCaret_data();
    void selectionAndCaret();
    void passwordTextNeverExposed_data();
    void passwordTextNeverExposed();
    void passwordEventsMasked_data();
    void passwordEventsMasked();
    void editing_data();
    void editing();
    void interfaceBasics_data();
    void interfaceBasics();
    void spinBoxEditKeepsQtInterface();
    void geometry_data();
    void geometry();

private:
    QAccessibleInterface *interfaceFor(QLineEdit *edit);
    void addTextRows();

    // Created before the factory is installed, so it keeps Qt's own
    // QAccessibleLineEdit: the fault the checks must be able to see.
    std::unique_ptr<QLineEdit> m_qtOwnEdit;
};

QAccessibleInterface *TestLineEditAccessible::interfaceFor(QLineEdit *edit)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(edit);
    if (!dynamic_cast<LineEditAccessible *>(iface))
        return nullptr;
    return iface;
}

void TestLineEditAccessible::initTestCase()
{
    QAccessible::setActive(true);
    m_qtOwnEdit = std::make_unique<QLineEdit>();
    QAccessibleInterface *qtOwn = QAccessible::queryAccessibleInterface(m_qtOwnEdit.get());
    QVERIFY(qtOwn);
    QVERIFY(!dynamic_cast<LineEditAccessible *>(qtOwn));

    QAccessible::installUpdateHandler(recordEvent);
    installLineEditAccessibility();
    installLineEditAccessibility(); // A second call must not chain the handler to itself.
}

void TestLineEditAccessible::init()
{
    s_events.clear();
}

void TestLineEditAccessible::addTextRows()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("one letter") << u"x"_s;
    QTest::newRow("form 4A") << u"4A"_s;
    QTest::newRow("date") << u"15.03.2026"_s;
    QTest::newRow("plain") << u"Hello world"_s;
    QTest::newRow("umlauts") << u"Jäger Jürgen"_s;
    QTest::newRow("appointment") << u"Mi., 9. Dezember 2026"_s;
    QTest::newRow("blanks around") << u"  Hallo Welt!  "_s;
    QTest::newRow("ends with punctuation") << u"Ende."_s;
    QTest::newRow("only punctuation") << u"..., !"_s;
    QTest::newRow("two sentences") << u"Er kam. Sie ging? Ja!"_s;
    QTest::newRow("combining diaeresis") << u"Ja\u0308ger"_s;
}

void TestLineEditAccessible::boundariesAtEveryOffset_data()
{
    addTextRows();
}

void TestLineEditAccessible::boundariesAtEveryOffset()
{
    QFETCH(QString, text);
    QLineEdit edit(text);
    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    const QAccessibleTextInterface *textIface = iface->textInterface();
    QVERIFY(textIface);
    const int count = int(text.size());
    QCOMPARE(textIface->characterCount(), count);

    // The oracle must tile the text, or it proves nothing.
    for (const auto type : kAllBoundaryTypes) {
        QString joined;
        for (const Range &item : expectedItems(text, type))
            joined += text.mid(item.start, item.end - item.start);
        QCOMPARE(joined, text);
    }

    for (const auto type : kAllBoundaryTypes) {
        for (const auto relation : kAllRelations) {
            // -3 and count + 1.. are invalid, -1 is the end of the text, -2
            // the caret.
            for (int offset = -3; offset <= count + 2; ++offset) {
                const int resolved = offset == -1 ? count
                    : offset == -2                ? edit.cursorPosition()
                                                  : offset;
                const Answer expected = expectedAnswer(text, type, resolved, relation);
                const Answer actual = ask(textIface, relation, offset, type);
                QVERIFY2(actual == expected,
                    qPrintable(u"%1 %2 offset %3: got %4, expected %5"_s
                                   .arg(QLatin1StringView(boundaryName(type)),
                                       QLatin1StringView(relationName(relation)))
                                   .arg(offset)
                                   .arg(describe(actual), describe(expected))));
            }
            for (const int caret : {0, count / 2, count}) {
                edit.setCursorPosition(caret);
                QCOMPARE(ask(textIface, relation, -2, type),
                    expectedAnswer(text, type, caret, relation));
            }
        }
    }
}

void TestLineEditAccessible::keyCases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QAccessible::TextBoundaryType>("type");
    QTest::addColumn<Relation>("relation");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");

    const auto word = QAccessible::WordBoundary;
    const auto character = QAccessible::CharBoundary;
    const auto sentence = QAccessible::SentenceBoundary;
    const auto line = QAccessible::LineBoundary;
    const QString names = u"Jäger Jürgen"_s; // 12 characters, blank at 5.
    const QString appointment = u"Mi., 9. Dezember 2026"_s; // 21 characters.
    const QString blanks = u"  Hallo Welt!  "_s; // 15 characters.

    // The cases Qt 6.4 hangs on: the caret after the last word.
    QTest::newRow("word at end") << names << word << Relation::At << 12 << u"Jürgen"_s << 6 << 12;
    QTest::newRow("word at -1") << names << word << Relation::At << -1 << u"Jürgen"_s << 6 << 12;
    QTest::newRow("sentence at end") << names << sentence << Relation::At << 12 << names << 0 << 12;
    QTest::newRow("date word at end")
        << u"15.03.2026"_s << word << Relation::At << 10 << u"15.03.2026"_s << 0 << 10;
    QTest::newRow("form word at end") << u"4A"_s << word << Relation::At << 2 << u"4A"_s << 0 << 2;
    QTest::newRow("appointment word at end")
        << appointment << word << Relation::At << 21 << u"2026"_s << 17 << 21;
    QTest::newRow("appointment sentence at end")
        << appointment << sentence << Relation::At << 21 << u"Dezember 2026"_s << 8 << 21;

    QTest::newRow("word at start") << names << word << Relation::At << 0 << u"Jäger"_s << 0 << 5;
    QTest::newRow("word inside") << names << word << Relation::At << 4 << u"Jäger"_s << 0 << 5;
    QTest::newRow("blank between words") << names << word << Relation::At << 5 << u" "_s << 5 << 6;
    QTest::newRow("word before end") << names << word << Relation::Before << 12 << u" "_s << 5 << 6;
    QTest::newRow("word before second word")
        << names << word << Relation::Before << 6 << u" "_s << 5 << 6;
    QTest::newRow("no word before first")
        << names << word << Relation::Before << 3 << QString() << -1 << -1;
    QTest::newRow("word after first") << names << word << Relation::After << 0 << u" "_s << 5 << 6;
    QTest::newRow("word after blank")
        << names << word << Relation::After << 5 << u"Jürgen"_s << 6 << 12;
    QTest::newRow("no word after end")
        << names << word << Relation::After << 12 << QString() << -1 << -1;
    QTest::newRow("word past end") << names << word << Relation::At << 13 << QString() << -1 << -1;
    QTest::newRow("word at -3") << names << word << Relation::At << -3 << QString() << -1 << -1;

    QTest::newRow("char umlaut") << names << character << Relation::At << 1 << u"ä"_s << 1 << 2;
    QTest::newRow("char at end") << names << character << Relation::At << 12 << QString() << 12
                                 << 12;
    QTest::newRow("char before end")
        << names << character << Relation::Before << 12 << u"n"_s << 11 << 12;
    QTest::newRow("no char after last")
        << names << character << Relation::After << 11 << QString() << -1 << -1;
    QTest::newRow("combining char")
        << u"Ja\u0308ger"_s << character << Relation::At << 2 << u"a\u0308"_s << 1 << 3;
    QTest::newRow("after combining char")
        << u"Ja\u0308ger"_s << character << Relation::After << 1 << u"g"_s << 3 << 4;

    QTest::newRow("punctuation between words")
        << appointment << word << Relation::At << 2 << u"., "_s << 2 << 5;
    QTest::newRow("number") << appointment << word << Relation::At << 5 << u"9"_s << 5 << 6;
    QTest::newRow("blank before last word")
        << appointment << word << Relation::Before << 21 << u" "_s << 16 << 17;
    // Qt's sentence rules also break after "Mi., ".
    QTest::newRow("first sentence")
        << appointment << sentence << Relation::At << 0 << u"Mi., "_s << 0 << 5;
    QTest::newRow("sentence before end")
        << appointment << sentence << Relation::Before << 21 << u"9. "_s << 5 << 8;
    QTest::newRow("sentence after first")
        << appointment << sentence << Relation::After << 3 << u"9. "_s << 5 << 8;
    const QString sentences = u"Er kam. Sie ging? Ja!"_s; // Sentences start at 8 and 18.
    QTest::newRow("sentence inside")
        << sentences << sentence << Relation::At << 10 << u"Sie ging? "_s << 8 << 18;
    QTest::newRow("sentence before")
        << sentences << sentence << Relation::Before << 10 << u"Er kam. "_s << 0 << 8;
    QTest::newRow("sentence after")
        << sentences << sentence << Relation::After << 10 << u"Ja!"_s << 18 << 21;
    QTest::newRow("last sentence at end")
        << sentences << sentence << Relation::At << 21 << u"Ja!"_s << 18 << 21;

    QTest::newRow("leading blanks") << blanks << word << Relation::At << 0 << u"  "_s << 0 << 2;
    QTest::newRow("trailing punctuation at end")
        << blanks << word << Relation::At << 15 << u"!  "_s << 12 << 15;
    QTest::newRow("word before trailing")
        << blanks << word << Relation::Before << 15 << u"Welt"_s << 8 << 12;

    QTest::newRow("line at end") << names << line << Relation::At << 12 << names << 0 << 12;
    QTest::newRow("line at start") << names << line << Relation::At << 0 << names << 0 << 12;
    QTest::newRow("no line before")
        << names << line << Relation::Before << 12 << QString() << -1 << -1;
    QTest::newRow("no line after")
        << names << line << Relation::After << 0 << QString() << -1 << -1;
    QTest::newRow("paragraph") << names << QAccessible::ParagraphBoundary << Relation::At << 7
                               << names << 0 << 12;
    QTest::newRow("no boundary") << names << QAccessible::NoBoundary << Relation::At << 3 << names
                                 << 0 << 12;
    QTest::newRow("nothing after no boundary")
        << names << QAccessible::NoBoundary << Relation::After << 3 << QString() << -1 << -1;

    QTest::newRow("empty word") << QString() << word << Relation::At << 0 << QString() << 0 << 0;
    QTest::newRow("empty char") << QString() << character << Relation::At << 0 << QString() << 0
                                << 0;
    QTest::newRow("empty line") << QString() << line << Relation::At << 0 << QString() << 0 << 0;
    QTest::newRow("empty before") << QString() << word << Relation::Before << 0 << QString() << -1
                                  << -1;
    QTest::newRow("empty past end")
        << QString() << word << Relation::At << 1 << QString() << -1 << -1;
}

void TestLineEditAccessible::keyCases()
{
    QFETCH(QString, text);
    QFETCH(QAccessible::TextBoundaryType, type);
    QFETCH(Relation, relation);
    QFETCH(int, offset);
    QFETCH(QString, expected);
    QFETCH(int, start);
    QFETCH(int, end);

    QLineEdit edit(text);
    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    const Answer actual = ask(iface->textInterface(), relation, offset, type);
    QCOMPARE(actual.text, expected);
    QCOMPARE(actual.start, start);
    QCOMPARE(actual.end, end);
}

void TestLineEditAccessible::focusedEditReportsFullValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("date") << u"15.03.2026"_s;
    QTest::newRow("form 4A") << u"4A"_s;
    QTest::newRow("umlauts") << u"Jäger Jürgen"_s;
    QTest::newRow("appointment") << u"Mi., 9. Dezember 2026"_s;
    QTest::newRow("trailing blank") << u"Aula "_s;
}

void TestLineEditAccessible::focusedEditReportsFullValue()
{
    // Fault 2: Orca read "15.03.202" for "15.03.2026".
    QFETCH(QString, text);
    const int count = int(text.size());
    QWidget window;
    auto *layout = new QFormLayout(&window);
    auto *edit = new QLineEdit(text);
    layout->addRow(u"&Datum:"_s, edit);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::TabFocusReason); // Tab selects all, caret at the end.
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();

    QAccessibleInterface *iface = interfaceFor(edit);
    QVERIFY(iface);
    const QAccessibleTextInterface *textIface = iface->textInterface();
    QVERIFY(iface->state().focused);
    QCOMPARE(iface->text(QAccessible::Value), text);
    QCOMPARE(textIface->characterCount(), count);
    QCOMPARE(textIface->text(0, count), text);
    QCOMPARE(textIface->text(0, -1), text);
    QCOMPARE(textIface->cursorPosition(), count);
    QCOMPARE(textIface->selectionCount(), 1);
    int start = -2;
    int end = -2;
    textIface->selection(0, &start, &end);
    QCOMPARE(start, 0);
    QCOMPARE(end, count);
    // The line at the caret, and at count - 1 where Orca asks when the caret
    // is at the end.
    QCOMPARE(
        ask(textIface, Relation::At, count, QAccessible::LineBoundary), (Answer{text, 0, count}));
    QCOMPARE(ask(textIface, Relation::At, count - 1, QAccessible::LineBoundary),
        (Answer{text, 0, count}));
    QCOMPARE(ask(textIface, Relation::At, -2, QAccessible::LineBoundary), (Answer{text, 0, count}));
    for (int offset = 0; offset <= count; ++offset) {
        QCOMPARE(textIface->attributes(offset, &start, &end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, count);
    }
    QCOMPARE(orcaReading(textIface), text);

    // The same reading on Qt 6.4's own interface loses the last character:
    // proof that the check above catches the fault.
    m_qtOwnEdit->setText(text);
    const QAccessibleTextInterface *qtOwn
        = QAccessible::queryAccessibleInterface(m_qtOwnEdit.get())->textInterface();
    QCOMPARE(orcaReading(qtOwn), text.chopped(1));
}

void TestLineEditAccessible::selectionAndCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("argStart");
    QTest::addColumn<int>("argEnd");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionEnd");
    QTest::addColumn<int>("caret");

    // Each row starts with the caret at 1 and nothing selected.
    QTest::newRow("all") << u"15.03.2026"_s << 0 << 10 << 0 << 10 << 10;
    QTest::newRow("backwards") << u"15.03.2026"_s << 10 << 0 << 0 << 10 << 0;
    QTest::newRow("to end via -1") << u"Jäger Jürgen"_s << 6 << -1 << 6 << 12 << 12;
    QTest::newRow("from caret via -2") << u"Jäger Jürgen"_s << -2 << 5 << 1 << 5 << 5;
    QTest::newRow("empty range") << u"Jäger Jürgen"_s << 3 << 3 << -1 << -1 << 3;
    QTest::newRow("past end ignored") << u"4A"_s << 0 << 3 << -1 << -1 << 1;
    QTest::newRow("negative ignored") << u"4A"_s << -5 << 1 << -1 << -1 << 1;
}

void TestLineEditAccessible::selectionAndCaret()
{
    QFETCH(QString, text);
    QFETCH(int, argStart);
    QFETCH(int, argEnd);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionEnd);
    QFETCH(int, caret);

    QLineEdit edit(text);
    edit.setCursorPosition(1);
    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    QAccessibleTextInterface *textIface = iface->textInterface();
    textIface->setSelection(0, argStart, argEnd);

    // What the widget did, read through QLineEdit's own API...
    const bool selected = selectionStart >= 0;
    QCOMPARE(edit.hasSelectedText(), selected);
    if (selected) {
        QCOMPARE(edit.selectionStart(), selectionStart);
        QCOMPARE(edit.selectionLength(), selectionEnd - selectionStart);
    }
    QCOMPARE(edit.cursorPosition(), caret);
    // ...and what the interface reports.
    QCOMPARE(textIface->selectionCount(), selected ? 1 : 0);
    int start = -2;
    int end = -2;
    textIface->selection(0, &start, &end);
    QCOMPARE(start, selectionStart);
    QCOMPARE(end, selectionEnd);
    textIface->selection(1, &start, &end);
    QCOMPARE(start, -1);
    QCOMPARE(end, -1);
    QCOMPARE(textIface->cursorPosition(), caret);

    textIface->removeSelection(0);
    QVERIFY(!edit.hasSelectedText());
    QCOMPARE(textIface->selectionCount(), 0);
    textIface->setCursorPosition(-1);
    QCOMPARE(edit.cursorPosition(), int(text.size()));
    textIface->setCursorPosition(int(text.size()) + 1);
    QCOMPARE(edit.cursorPosition(), int(text.size()));
    textIface->addSelection(0, 1);
    QCOMPARE(edit.selectedText(), text.left(1));
}

void TestLineEditAccessible::passwordTextNeverExposed_data()
{
    QTest::addColumn<QLineEdit::EchoMode>("echoMode");
    QTest::addColumn<QString>("exposed");
    QTest::addColumn<QString>("value");

    // Normal is the control row: it shows the checks see clear text at all.
    QTest::newRow("normal") << QLineEdit::Normal << u"geheim"_s << u"geheim"_s;
    QTest::newRow("password") << QLineEdit::Password << u"******"_s << u"******"_s;
    QTest::newRow("echo on edit") << QLineEdit::PasswordEchoOnEdit << u"******"_s << u"******"_s;
    QTest::newRow("no echo") << QLineEdit::NoEcho << QString() << QString();
}

void TestLineEditAccessible::passwordTextNeverExposed()
{
    QFETCH(QLineEdit::EchoMode, echoMode);
    QFETCH(QString, exposed);
    QFETCH(QString, value);

    const QString secret = u"geheim"_s;
    QLineEdit edit;
    edit.setEchoMode(echoMode);
    edit.setText(secret);
    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    const QAccessibleTextInterface *textIface = iface->textInterface();

    QCOMPARE(iface->state().passwordEdit, echoMode != QLineEdit::Normal);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QCOMPARE(textIface->characterCount(), int(exposed.size()));
    QCOMPARE(textIface->text(0, -1), exposed);
    const int count = textIface->characterCount();
    for (const auto type : kAllBoundaryTypes) {
        for (const auto relation : kAllRelations) {
            for (int offset = -2; offset <= count + 1; ++offset) {
                const int resolved = offset == -1 ? count
                    : offset == -2                ? textIface->cursorPosition()
                                                  : offset;
                QCOMPARE(ask(textIface, relation, offset, type),
                    expectedAnswer(exposed, type, resolved, relation));
            }
        }
    }

    // Editing through the interface works on the same offsets, unseen.
    iface->editableTextInterface()->insertText(-1, u"x"_s);
    QCOMPARE(edit.text(), echoMode == QLineEdit::NoEcho ? secret : secret + u"x"_s);
    const QString exposedAfter = echoMode == QLineEdit::Normal ? exposed + u"x"_s
        : echoMode == QLineEdit::NoEcho                        ? QString()
                                                               : exposed + u"*"_s;
    QCOMPARE(textIface->text(0, -1), exposedAfter);
}

void TestLineEditAccessible::passwordEventsMasked_data()
{
    QTest::addColumn<QLineEdit::EchoMode>("echoMode");
    QTest::addColumn<QAccessible::Event>("type");
    QTest::addColumn<bool>("forwarded");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("removed");

    // The events QWidgetLineControl sends: TextInserted when typing,
    // TextRemoved for backspace, TextUpdated from setText(), each with the
    // clear text. The normal rows show the recorder sees that text at all.
    const auto normal = QLineEdit::Normal;
    const auto password = QLineEdit::Password;
    QTest::newRow("normal insert")
        << normal << QAccessible::TextInserted << true << u"geheim"_s << QString();
    QTest::newRow("normal update")
        << normal << QAccessible::TextUpdated << true << u"geheim"_s << u"alt"_s;
    QTest::newRow("password insert")
        << password << QAccessible::TextInserted << true << u"******"_s << QString();
    QTest::newRow("password remove")
        << password << QAccessible::TextRemoved << true << QString() << u"***"_s;
    QTest::newRow("password update")
        << password << QAccessible::TextUpdated << true << u"******"_s << u"***"_s;
    QTest::newRow("echo on edit insert")
        << QLineEdit::PasswordEchoOnEdit << QAccessible::TextInserted << true << u"******"_s
        << QString();
    QTest::newRow("password caret")
        << password << QAccessible::TextCaretMoved << true << QString() << QString();
    QTest::newRow("no echo insert")
        << QLineEdit::NoEcho << QAccessible::TextInserted << false << QString() << QString();
    QTest::newRow("no echo update")
        << QLineEdit::NoEcho << QAccessible::TextUpdated << false << QString() << QString();
    QTest::newRow("no echo caret")
        << QLineEdit::NoEcho << QAccessible::TextCaretMoved << true << QString() << QString();
}

void TestLineEditAccessible::passwordEventsMasked()
{
    // Offscreen has no active platform bridge, so QAccessible drops events
    // before any handler; the installed handler is therefore called directly
    // with the events a line edit would send.
    QFETCH(QLineEdit::EchoMode, echoMode);
    QFETCH(QAccessible::Event, type);
    QFETCH(bool, forwarded);
    QFETCH(QString, inserted);
    QFETCH(QString, removed);

    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    QVERIFY(handler && handler != recordEvent);

    QLineEdit edit;
    edit.setEchoMode(echoMode);
    edit.setText(u"geheim"_s);
    std::unique_ptr<QAccessibleTextCursorEvent> event;
    int changePosition = -1;
    if (type == QAccessible::TextInserted) {
        event = std::make_unique<QAccessibleTextInsertEvent>(&edit, 0, u"geheim"_s);
        changePosition = 0;
    } else if (type == QAccessible::TextRemoved) {
        event = std::make_unique<QAccessibleTextRemoveEvent>(&edit, 3, u"alt"_s);
        changePosition = 3;
    } else if (type == QAccessible::TextUpdated) {
        event = std::make_unique<QAccessibleTextUpdateEvent>(&edit, 0, u"alt"_s, u"geheim"_s);
        changePosition = 0;
    } else {
        event = std::make_unique<QAccessibleTextCursorEvent>(&edit, 4);
    }
    event->setCursorPosition(5);
    handler(event.get());

    QCOMPARE(s_events.size(), forwarded ? 1 : 0);
    if (forwarded) {
        const RecordedEvent &recorded = s_events.first();
        QCOMPARE(recorded.type, type);
        QCOMPARE(recorded.object, static_cast<QObject *>(&edit));
        QCOMPARE(recorded.inserted, inserted);
        QCOMPARE(recorded.removed, removed);
        // Positions are kept: the masked text has the same length.
        QCOMPARE(recorded.changePosition, changePosition);
        QCOMPARE(recorded.cursorPosition, 5);
    }

    // Events of other objects pass untouched.
    s_events.clear();
    QLabel label;
    QAccessibleTextInsertEvent labelEvent(&label, 0, u"geheim"_s);
    handler(&labelEvent);
    QCOMPARE(s_events.size(), 1);
    QCOMPARE(s_events.first().inserted, u"geheim"_s);
}

void TestLineEditAccessible::editing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QString>("inputMask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("insert") << u"Jäger"_s << u"insert"_s << 5 << 5 << u" Jürgen"_s << false
                            << QString() << QString() << u"Jäger Jürgen"_s;
    QTest::newRow("insert at -1") << u"4"_s << u"insert"_s << -1 << -1 << u"A"_s << false
                                  << QString() << QString() << u"4A"_s;
    QTest::newRow("insert past end")
        << u"4A"_s << u"insert"_s << 3 << 3 << u"B"_s << false << QString() << QString() << u"4A"_s;
    QTest::newRow("delete") << u"15.03.2026x"_s << u"delete"_s << 10 << 11 << QString() << false
                            << QString() << QString() << u"15.03.2026"_s;
    QTest::newRow("delete to -1") << u"Jäger Jürgen"_s << u"delete"_s << 5 << -1 << QString()
                                  << false << QString() << QString() << u"Jäger"_s;
    QTest::newRow("delete reversed") << u"Jäger"_s << u"delete"_s << 3 << 1 << QString() << false
                                     << QString() << QString() << u"Jäger"_s;
    QTest::newRow("replace") << u"4A"_s << u"replace"_s << 1 << 2 << u"B"_s << false << QString()
                             << QString() << u"4B"_s;
    QTest::newRow("replace all") << u"4A"_s << u"replace"_s << 0 << -1 << u"neu"_s << false
                                 << QString() << QString() << u"neu"_s;
    QTest::newRow("value") << u"4A"_s << u"value"_s << 0 << 0 << u"5B"_s << false << QString()
                           << QString() << u"5B"_s;
    QTest::newRow("read-only insert")
        << u"4A"_s << u"insert"_s << 2 << 2 << u"X"_s << true << QString() << QString() << u"4A"_s;
    QTest::newRow("read-only delete") << u"4A"_s << u"delete"_s << 0 << 2 << QString() << true
                                      << QString() << QString() << u"4A"_s;
    QTest::newRow("read-only value")
        << u"4A"_s << u"value"_s << 0 << 0 << u"5B"_s << true << QString() << QString() << u"4A"_s;
    QTest::newRow("validator accepts") << u"12"_s << u"replace"_s << 1 << 2 << u"3"_s << false
                                       << u"[0-9]{0,2}"_s << QString() << u"13"_s;
    QTest::newRow("validator rejects") << u"12"_s << u"insert"_s << 2 << 2 << u"a"_s << false
                                       << u"[0-9]{0,2}"_s << QString() << u"12"_s;
    QTest::newRow("validator rejects value") << u"12"_s << u"value"_s << 0 << 0 << u"123"_s << false
                                             << u"[0-9]{0,2}"_s << QString() << u"12"_s;
    QTest::newRow("input mask") << u"15.03.202"_s << u"insert"_s << 9 << 9 << u"6"_s << false
                                << QString() << u"99.99.9999"_s << u"15.03.2026"_s;
}

void TestLineEditAccessible::editing()
{
    QFETCH(QString, text);
    QFETCH(QString, operation);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, argument);
    QFETCH(bool, readOnly);
    QFETCH(QString, validator);
    QFETCH(QString, inputMask);
    QFETCH(QString, expected);

    QLineEdit edit;
    if (!inputMask.isEmpty())
        edit.setInputMask(inputMask);
    edit.setText(text);
    edit.setReadOnly(readOnly);
    QRegularExpressionValidator regexValidator{QRegularExpression(validator)};
    if (!validator.isEmpty())
        edit.setValidator(&regexValidator);
    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    QAccessibleEditableTextInterface *editable = iface->editableTextInterface();
    QVERIFY(editable);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);

    if (operation == u"insert")
        editable->insertText(start, argument);
    else if (operation == u"delete")
        editable->deleteText(start, end);
    else if (operation == u"replace")
        editable->replaceText(start, end, argument);
    else
        iface->setText(QAccessible::Value, argument);

    QCOMPARE(edit.text(), expected);
    QCOMPARE(changed.isEmpty(), expected == text);
    // The interface reports the new text at once.
    QCOMPARE(iface->text(QAccessible::Value), expected);
    if (inputMask.isEmpty())
        QCOMPARE(iface->textInterface()->text(0, -1), expected);
}

void TestLineEditAccessible::interfaceBasics_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QLineEdit::EchoMode>("echoMode");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<bool>("subclass");

    QTest::newRow("editable") << false << QLineEdit::Normal << QString() << false;
    QTest::newRow("read-only") << true << QLineEdit::Normal << QString() << false;
    QTest::newRow("password") << false << QLineEdit::Password << QString() << false;
    QTest::newRow("placeholder") << false << QLineEdit::Normal << u"TT.MM.JJJJ"_s << false;
    QTest::newRow("subclass") << false << QLineEdit::Normal << QString() << true;
}

void TestLineEditAccessible::interfaceBasics()
{
    QFETCH(bool, readOnly);
    QFETCH(QLineEdit::EchoMode, echoMode);
    QFETCH(QString, placeholder);
    QFETCH(bool, subclass);

    QWidget window;
    auto *layout = new QFormLayout(&window);
    QLineEdit *edit = subclass ? new DateLineEdit : new QLineEdit;
    edit->setText(u"15.03.2026"_s);
    edit->setReadOnly(readOnly);
    edit->setEchoMode(echoMode);
    edit->setPlaceholderText(placeholder);
    auto *label = new QLabel(u"&Datum:"_s);
    label->setBuddy(edit);
    layout->addRow(label, edit);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QAccessibleInterface *iface = interfaceFor(edit);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    const QAccessible::State state = iface->state();
    QVERIFY(state.editable);
    QVERIFY(state.selectableText);
    QVERIFY(state.focusable);
    QCOMPARE(state.readOnly, readOnly);
    QCOMPARE(state.passwordEdit, echoMode != QLineEdit::Normal);
    QCOMPARE(iface->text(QAccessible::Name), u"Datum:"_s); // Buddy label, '&' stripped.
    QCOMPARE(iface->text(QAccessible::Description), placeholder);
    QVERIFY(iface->textInterface());
    QVERIFY(iface->editableTextInterface());
    QVERIFY(iface->actionInterface());

    const auto labels = iface->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->object(), label);

    edit->setFocus();
    QTRY_VERIFY(iface->state().focused);
}

void TestLineEditAccessible::spinBoxEditKeepsQtInterface()
{
    // Qt gives a spin box's line edit no interface of its own (the spin box
    // speaks for it); the factory must not change that.
    QSpinBox spinBox;
    auto *edit = spinBox.findChild<QLineEdit *>();
    QVERIFY(edit);
    QVERIFY(!dynamic_cast<LineEditAccessible *>(QAccessible::queryAccessibleInterface(edit)));
    QLineEdit plain;
    QVERIFY(dynamic_cast<LineEditAccessible *>(QAccessible::queryAccessibleInterface(&plain)));
}

void TestLineEditAccessible::geometry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<int>("width");
    QTest::addColumn<QLineEdit::EchoMode>("echoMode");

    QTest::newRow("left") << u"Jäger Jürgen"_s << Qt::Alignment(Qt::AlignLeft) << 300
                          << QLineEdit::Normal;
    QTest::newRow("right") << u"4A"_s << Qt::Alignment(Qt::AlignRight) << 300 << QLineEdit::Normal;
    QTest::newRow("centred") << u"15.03.2026"_s << Qt::Alignment(Qt::AlignHCenter) << 300
                             << QLineEdit::Normal;
    QTest::newRow("scrolled")
        << u"Mi., 9. Dezember 2026, Elternabend in der Aula der Grundschule am Markt"_s
        << Qt::Alignment(Qt::AlignLeft) << 120 << QLineEdit::Normal;
    QTest::newRow("password") << u"geheim"_s << Qt::Alignment(Qt::AlignLeft) << 300
                              << QLineEdit::Password;
}

void TestLineEditAccessible::geometry()
{
    QFETCH(QString, text);
    QFETCH(Qt::Alignment, alignment);
    QFETCH(int, width);
    QFETCH(QLineEdit::EchoMode, echoMode);

    QLineEdit edit(text);
    edit.setAlignment(alignment);
    edit.setEchoMode(echoMode);
    edit.setFixedWidth(width);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setCursorPosition(int(text.size()));
    edit.repaint(); // QLineEdit updates its horizontal scroll when painting.

    QAccessibleInterface *iface = interfaceFor(&edit);
    QVERIFY(iface);
    const QAccessibleTextInterface *textIface = iface->textInterface();
    const int count = textIface->characterCount();
    const QRect widgetRect(edit.mapToGlobal(QPoint(0, 0)), edit.size());
    int visible = 0;
    int hitTested = 0;
    for (int offset = 0; offset < count; ++offset) {
        const QRect cell = textIface->characterRect(offset);
        QVERIFY2(cell.width() > 1 && cell.height() > 1, qPrintable(QString::number(offset)));
        if (offset > 0) // Adjacent, no overlap.
            QCOMPARE(cell.left(), textIface->characterRect(offset - 1).right() + 1);
        if (!widgetRect.contains(cell.center()))
            continue; // Scrolled out of view.
        ++visible;
        // QLineEdit's own hit test (private layout and scroll offset) puts the
        // caret before a character for its left quarter, after it for its
        // right one; narrow cells are too close to call after rounding.
        if (cell.width() >= 6) {
            ++hitTested;
            const int y = edit.mapFromGlobal(cell.center()).y();
            const int leftQuarter
                = edit.mapFromGlobal(QPoint(cell.left() + cell.width() / 4, 0)).x();
            const int rightQuarter
                = edit.mapFromGlobal(QPoint(cell.right() - cell.width() / 4, 0)).x();
            QCOMPARE(edit.cursorPositionAt(QPoint(leftQuarter, y)), offset);
            QCOMPARE(edit.cursorPositionAt(QPoint(rightQuarter, y)), offset + 1);
        }
        QCOMPARE(textIface->offsetAtPoint(cell.center()), offset);
        QCOMPARE(textIface->offsetAtPoint(cell.topLeft()), offset);
        QCOMPARE(textIface->offsetAtPoint(cell.bottomRight()), offset);
    }
    QVERIFY(visible > 0);
    QVERIFY(hitTested > 0);
    QCOMPARE(textIface->characterRect(count), QRect());
    QCOMPARE(textIface->characterRect(-3), QRect());
    QCOMPARE(textIface->offsetAtPoint(widgetRect.topLeft() - QPoint(5, 5)), -1);

    // Scrolling to the start brings the first character into view.
    iface->textInterface()->scrollToSubstring(0, 1);
    QCOMPARE(edit.cursorPosition(), 0);
    edit.repaint();
    QVERIFY(widgetRect.contains(textIface->characterRect(0).center()));
}

QTEST_MAIN(TestLineEditAccessible)
#include "tst_lineeditaccessible.moc"
