#include "mainwindow/infolines.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

QStringList displayLines(QTextDocument *document)
{
    QStringList lines;
    if (document->isEmpty())
        return lines;
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out if it was not yet
        const QString text = block.text();
        const QTextLayout *blockLayout = block.layout();
        if (!blockLayout || blockLayout->lineCount() == 0) {
            lines.append(text);
            continue;
        }
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            QString part = text.mid(line.textStart(), line.textLength());
            // A line break typed inside a paragraph ends its display line; it is not text.
            if (part.endsWith(QChar::LineSeparator))
                part.chop(1);
            lines.append(part);
        }
    }
    if (document->blockCount() > 1 && document->lastBlock().text().isEmpty())
        lines.removeLast();
    return lines;
}
