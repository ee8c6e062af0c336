#include "speech/lineeditaccessible.h"

#include <QLineEdit>
#include <QRectF>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QValidator>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace LineEditText {
namespace {

std::optional<QTextBoundaryFinder::BoundaryType> finderType(QAccessible::TextBoundaryType type)
{
    switch (type) {
    case QAccessible::CharBoundary:
        return QTextBoundaryFinder::Grapheme;
    case QAccessible::WordBoundary:
        return QTextBoundaryFinder::Word;
    case QAccessible::SentenceBoundary:
        return QTextBoundaryFinder::Sentence;
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
    case QAccessible::NoBoundary:
        break;
    }
    // A line edit shows one line, so lines, paragraphs and "no boundary" all
    // span the whole text.
    return std::nullopt;
}

// Sorted item boundaries: 0, every interior position where an item starts or
// ends (Qt's own rule in QAccessibleTextInterface), and the text length.
QList<int> itemBounds(const QString &text, QAccessible::TextBoundaryType type)
{
    const int count = int(text.size());
    QList<int> bounds{0};
    if (count == 0)
        return bounds;
    if (const auto finder = finderType(type)) {
        QTextBoundaryFinder boundaries(*finder, text);
        // Visit each interior position once instead of chaining finder moves:
        // Qt 6.4's textAtOffset loops while toNextBoundary() < length, and a
        // finder left at -1 (toNextBoundary() at the end, toPreviousBoundary()
        // at 0) returns -1 for ever.
        for (int position = 1; position < count; ++position) {
            boundaries.setPosition(position);
            if (boundaries.boundaryReasons()
                & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)) {
                bounds.append(position);
            }
        }
    }
    bounds.append(count);
    return bounds;
}

} // namespace

Range boundaryRange(
    const QString &text, QAccessible::TextBoundaryType boundaryType, int offset, Relation relation)
{
    const int count = int(text.size());
    if (offset < 0 || offset > count)
        return {};

    const QList<int> bounds = itemBounds(text, boundaryType);
    const int items = int(bounds.size()) - 1;

    int index = 0;
    if (offset < count) {
        index = int(std::upper_bound(bounds.cbegin(), bounds.cend(), offset) - bounds.cbegin()) - 1;
    } else if (boundaryType == QAccessible::CharBoundary || items == 0) {
        // The caret after the last character stands on no character: the
        // item there is the empty one at the end, the one before it is the
        // last character.
        index = items;
    } else {
        // Words, sentences and lines are read up to the caret at the end, as
        // QTextEdit and GTK do: the item at the end is the last one.
        index = items - 1;
    }

    const int target = relation == Relation::Before ? index - 1
        : relation == Relation::After               ? index + 1
                                                    : index;
    if (relation == Relation::At && target == items)
        return {count, count};
    if (target < 0 || target >= items)
        return {};
    return {bounds.at(target), bounds.at(target + 1)};
}

} // namespace LineEditText

namespace {

QAccessible::UpdateHandler s_previousUpdateHandler = nullptr;

void maskingUpdateHandler(QAccessibleEvent *event);

void forwardEvent(QAccessibleEvent *event)
{
    if (s_previousUpdateHandler) {
        s_previousUpdateHandler(event);
        return;
    }
    // Without a previous handler Qt hands the event to the platform bridge;
    // step aside for this one event so that path runs. The handler put back is
    // the one that was installed, which may be a later one that hands its
    // events on to this one.
    const QAccessible::UpdateHandler installed = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(installed);
}

// QWidgetLineControl puts the clear text of password edits into its
// text-change events and the AT-SPI bridge sends that text on the bus. The
// interface cannot change those events, so they are rewritten here.
void maskingUpdateHandler(QAccessibleEvent *event)
{
    const auto *edit = qobject_cast<const QLineEdit *>(event->object());
    const auto type = event->type();
    const bool textEvent = type == QAccessible::TextInserted || type == QAccessible::TextRemoved
        || type == QAccessible::TextUpdated;
    if (!edit || edit->echoMode() == QLineEdit::Normal || !textEvent) {
        forwardEvent(event);
        return;
    }
    if (edit->echoMode() == QLineEdit::NoEcho)
        return; // Nothing is exposed, so nothing changes for a client.

    const auto mask = [](const QString &text) {
        return QString(text.size(), u'*');
    };
    QObject *object = event->object();
    if (type == QAccessible::TextInserted) {
        const auto *original = static_cast<QAccessibleTextInsertEvent *>(event);
        QAccessibleTextInsertEvent masked(
            object, original->changePosition(), mask(original->textInserted()));
        masked.setCursorPosition(original->cursorPosition());
        forwardEvent(&masked);
    } else if (type == QAccessible::TextRemoved) {
        const auto *original = static_cast<QAccessibleTextRemoveEvent *>(event);
        QAccessibleTextRemoveEvent masked(
            object, original->changePosition(), mask(original->textRemoved()));
        masked.setCursorPosition(original->cursorPosition());
        forwardEvent(&masked);
    } else {
        const auto *original = static_cast<QAccessibleTextUpdateEvent *>(event);
        QAccessibleTextUpdateEvent masked(object, original->changePosition(),
            mask(original->textRemoved()), mask(original->textInserted()));
        masked.setCursorPosition(original->cursorPosition());
        forwardEvent(&masked);
    }
}

// The displayed text laid out as QLineEdit lays it out, in widget
// coordinates. QLineEdit keeps its own layout private, so this one repeats
// its set-up (font, direction, trailing spaces) and takes margins, alignment
// and horizontal scrolling from the caret rectangle, which QLineEdit centres
// on a caret PM_TextCursorWidth wide.
class DisplayedLine
{
public:
    explicit DisplayedLine(const QLineEdit *edit) : m_layout(edit->displayText(), edit->font())
    {
        QTextOption option;
        option.setTextDirection(edit->layoutDirection());
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        m_layout.endLayout();

        const QRectF caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
        const int caretWidth
            = edit->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, edit);
        const qreal caretX = caret.center().x() - (caretWidth - 1) / 2.0;
        m_shift = caretX - m_line.cursorToX(edit->cursorPosition());
        m_top = caret.top();
    }

    int length() const { return int(m_layout.text().size()); }

    QRect cell(int offset) const
    {
        // Rounding both edges (not the width) keeps neighbouring cells
        // adjacent without overlap.
        const int x1 = qRound(m_line.cursorToX(offset) + m_shift);
        const int x2 = qRound(m_line.cursorToX(offset + 1) + m_shift);
        return QRect(std::min(x1, x2), qRound(m_top), std::abs(x2 - x1), qRound(m_line.height()));
    }

    // The character whose cell holds x, or -1 (blank space after the text).
    int offsetAt(int x) const
    {
        for (int offset = 0; offset < length(); ++offset) {
            const QRect c = cell(offset);
            if (x >= c.left() && x <= c.right())
                return offset;
        }
        return -1;
    }

private:
    QTextLayout m_layout;
    QTextLine m_line;
    qreal m_shift = 0;
    qreal m_top = 0;
};

QAccessibleInterface *lineEditFactory(const QString &className, QObject *object)
{
    if (className != "QLineEdit"_L1 || !object || !object->isWidgetType())
        return nullptr;
    auto *edit = qobject_cast<QLineEdit *>(object);
    // Qt leaves a spin box's own line edit to QAccessibleSpinBox; keep that.
    if (!edit || edit->objectName() == "qt_spinbox_lineedit"_L1)
        return nullptr;
    return new LineEditAccessible(edit);
}

} // namespace

void installLineEditAccessibility()
{
    // Factories installed later are asked first, so this one wins over the
    // widgets factory QApplication installed.
    QAccessible::installFactory(lineEditFactory);
    const QAccessible::UpdateHandler previous
        = QAccessible::installUpdateHandler(maskingUpdateHandler);
    if (previous != maskingUpdateHandler)
        s_previousUpdateHandler = previous;
}

LineEditAccessible::LineEditAccessible(QLineEdit *lineEdit)
    : QAccessibleWidget(lineEdit, QAccessible::EditableText)
{
    // Same controlling signals as QAccessibleLineEdit.
    addControllingSignal(u"textChanged(const QString&)"_s);
    addControllingSignal(u"returnPressed()"_s);
}

QLineEdit *LineEditAccessible::lineEdit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString LineEditAccessible::exposedText() const
{
    const QLineEdit *edit = lineEdit();
    // The edit buffer rather than text(): with an input mask text() drops the
    // blanks, and caret and selection offsets count them.
    const QString buffer = edit->inputMethodQuery(Qt::ImSurroundingText).toString();
    switch (edit->echoMode()) {
    case QLineEdit::Normal:
        return buffer;
    case QLineEdit::NoEcho:
        return QString();
    case QLineEdit::Password:
    case QLineEdit::PasswordEchoOnEdit:
        break;
    }
    return QString(buffer.size(), u'*');
}

QString LineEditAccessible::text(QAccessible::Text t) const
{
    // As QAccessibleLineEdit: the value is the text, masked for passwords.
    QString result;
    if (t == QAccessible::Value) {
        const QLineEdit *edit = lineEdit();
        if (edit->echoMode() == QLineEdit::Normal)
            result = edit->text();
        else if (edit->echoMode() != QLineEdit::NoEcho)
            result = QString(edit->text().size(), u'*');
    }
    if (result.isEmpty())
        result = QAccessibleWidget::text(t); // Name from the buddy label.
    if (result.isEmpty() && t == QAccessible::Description)
        result = lineEdit()->placeholderText();
    return result;
}

void LineEditAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    if (!acceptsEdits())
        return;
    QString newText = text;
    if (const QValidator *validator = lineEdit()->validator()) {
        int position = 0;
        if (validator->validate(newText, position) != QValidator::Acceptable)
            return;
    }
    lineEdit()->setText(newText);
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const QLineEdit *edit = lineEdit();
    // Qt reports read-only edits as editable and read only at once; clients
    // rely on that pair, so it is kept.
    state.editable = true;
    if (edit->isReadOnly())
        state.readOnly = true;
    if (edit->echoMode() != QLineEdit::Normal)
        state.passwordEdit = true;
    state.selectableText = true;
    return state;
}

void *LineEditAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

int LineEditAccessible::resolveOffset(int offset, int count) const
{
    if (offset == -1)
        return count;
    if (offset == -2)
        return cursorPosition();
    return offset >= 0 && offset <= count ? offset : -1;
}

int LineEditAccessible::characterCount() const
{
    return int(exposedText().size());
}

int LineEditAccessible::cursorPosition() const
{
    if (lineEdit()->echoMode() == QLineEdit::NoEcho)
        return 0;
    return std::clamp(lineEdit()->cursorPosition(), 0, characterCount());
}

void LineEditAccessible::setCursorPosition(int position)
{
    const int resolved = resolveOffset(position, characterCount());
    if (resolved >= 0 && lineEdit()->echoMode() != QLineEdit::NoEcho)
        lineEdit()->setCursorPosition(resolved);
}

int LineEditAccessible::selectionCount() const
{
    const QLineEdit *edit = lineEdit();
    return edit->echoMode() != QLineEdit::NoEcho && edit->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    // -1 means "no selection"; the AT-SPI bridge then reports the caret.
    *startOffset = *endOffset = -1;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    const QLineEdit *edit = lineEdit();
    *startOffset = edit->selectionStart();
    *endOffset = *startOffset + edit->selectionLength();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    const int count = characterCount();
    const int start = resolveOffset(startOffset, count);
    const int end = resolveOffset(endOffset, count);
    if (selectionIndex != 0 || start < 0 || end < 0 || lineEdit()->echoMode() == QLineEdit::NoEcho)
        return;
    // A negative length selects backwards, leaving the caret at endOffset.
    lineEdit()->setSelection(start, end - start);
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        lineEdit()->deselect();
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    const QString exposed = exposedText();
    const int count = int(exposed.size());
    if (endOffset == -1)
        endOffset = count;
    const int start = std::clamp(startOffset, 0, count);
    const int end = std::clamp(endOffset, start, count);
    return exposed.mid(start, end - start);
}

QString LineEditAccessible::boundaryText(int offset, QAccessible::TextBoundaryType boundaryType,
    LineEditText::Relation relation, int *startOffset, int *endOffset) const
{
    const QString exposed = exposedText();
    const int resolved = resolveOffset(offset, int(exposed.size()));
    const LineEditText::Range range = resolved < 0
        ? LineEditText::Range{}
        : LineEditText::boundaryRange(exposed, boundaryType, resolved, relation);
    *startOffset = range.start;
    *endOffset = range.end;
    return range.start < 0 ? QString() : exposed.mid(range.start, range.end - range.start);
}

QString LineEditAccessible::textBeforeOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return boundaryText(
        offset, boundaryType, LineEditText::Relation::Before, startOffset, endOffset);
}

QString LineEditAccessible::textAtOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return boundaryText(offset, boundaryType, LineEditText::Relation::At, startOffset, endOffset);
}

QString LineEditAccessible::textAfterOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return boundaryText(
        offset, boundaryType, LineEditText::Relation::After, startOffset, endOffset);
}

QString LineEditAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // A line edit has one format, so one attribute run spans the whole text.
    // Qt 6.4 reports the empty run [offset, offset) instead; Orca joins the
    // runs it gets for offsets 0..count-1 and reads only up to the last run's
    // end, count - 1, which is why the last character went missing.
    const int count = characterCount();
    if (resolveOffset(offset, count) < 0) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = count;
    return QString();
}

QRect LineEditAccessible::characterRect(int offset) const
{
    const int count = characterCount();
    const int resolved = resolveOffset(offset, count);
    if (resolved < 0 || resolved >= count)
        return QRect();
    const DisplayedLine line(lineEdit());
    if (line.length() != count)
        return QRect();
    const QRect local = line.cell(resolved);
    return QRect(lineEdit()->mapToGlobal(local.topLeft()), local.size());
}

int LineEditAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = lineEdit()->mapFromGlobal(point);
    if (!lineEdit()->rect().contains(local))
        return -1;
    const DisplayedLine line(lineEdit());
    if (line.length() != characterCount())
        return -1;
    return line.offsetAt(local.x());
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    // As QAccessibleLineEdit: moving the caret is how a line edit scrolls.
    const int count = characterCount();
    const int start = resolveOffset(startIndex, count);
    const int end = resolveOffset(endIndex, count);
    if (start < 0 || end < 0)
        return;
    lineEdit()->setCursorPosition(end);
    lineEdit()->setCursorPosition(start);
}

bool LineEditAccessible::acceptsEdits() const
{
    // Qt 6.4 edits read-only line edits through this interface; a client must
    // not be able to change what the user cannot.
    const QLineEdit *edit = lineEdit();
    return edit->isEnabled() && !edit->isReadOnly() && edit->echoMode() != QLineEdit::NoEcho;
}

void LineEditAccessible::replaceRange(int startOffset, int endOffset, const QString &text)
{
    if (!acceptsEdits())
        return;
    const int count = characterCount();
    const int start = resolveOffset(startOffset, count);
    const int end = resolveOffset(endOffset, count);
    if (start < 0 || end < start)
        return;
    // QLineEdit's own editing path applies input mask, validator, maximum
    // length and undo history exactly as for typed text.
    QLineEdit *edit = lineEdit();
    edit->setSelection(start, end - start);
    edit->insert(text);
}

void LineEditAccessible::deleteText(int startOffset, int endOffset)
{
    replaceRange(startOffset, endOffset, QString());
}

void LineEditAccessible::insertText(int offset, const QString &text)
{
    replaceRange(offset, offset, text);
}

void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    replaceRange(startOffset, endOffset, text);
}
