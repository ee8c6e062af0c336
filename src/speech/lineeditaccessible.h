#ifndef TESSARO_SPEECH_LINEEDITACCESSIBLE_H
#define TESSARO_SPEECH_LINEEDITACCESSIBLE_H

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>

class QLineEdit;

// Replaces Qt 6.4's QAccessibleLineEdit for every QLineEdit of the process.
// Call once after the QApplication exists and before any line edit has been
// queried by an assistive technology: Qt caches one interface per object, so
// an interface created earlier stays Qt's own. Also installs an update
// handler that masks the text carried by text-change events of password edits.
void installLineEditAccessibility();

namespace LineEditText {

enum class Relation { Before, At, After };

struct Range
{
    int start = -1;
    int end = -1;

    friend bool operator==(const Range &, const Range &) = default;
};

// The item of boundaryType before, at or after offset in text. Items are
// Qt's: graphemes, QTextBoundaryFinder words (a word, or the blanks and
// punctuation between two words) and sentences, and one line. Before the end
// the result equals Qt's default QAccessibleTextInterface code; at the end
// (offset == text.size()) the item is the last word, sentence or line, or
// for characters the empty range {size, size}. offset must be resolved
// already (no -1/-2); an offset outside 0..size, or no item before/after,
// gives {-1, -1}.
Range boundaryRange(
    const QString &text, QAccessible::TextBoundaryType boundaryType, int offset, Relation relation);

} // namespace LineEditText

class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit LineEditAccessible(QLineEdit *lineEdit);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
        int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
        int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
        int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

    QLineEdit *lineEdit() const;

    // What the text interface exposes: the edit buffer in Normal echo mode,
    // one '*' per character in the password modes, nothing for NoEcho.
    QString exposedText() const;

private:
    QString boundaryText(int offset, QAccessible::TextBoundaryType boundaryType,
        LineEditText::Relation relation, int *startOffset, int *endOffset) const;
    // Maps the -1 (end of text) and -2 (caret) conventions; -1 when invalid.
    int resolveOffset(int offset, int count) const;
    bool acceptsEdits() const;
    void replaceRange(int startOffset, int endOffset, const QString &text);
};

#endif
