#ifndef TESSARO_MAINWINDOW_INFOLINES_H
#define TESSARO_MAINWINDOW_INFOLINES_H

#include <QStringList>

class QTextDocument;

// The information field's text as it is stored: one line per displayed line, split at every
// paragraph end and at every point where a long paragraph wraps. An empty last line after the
// final paragraph end is left out, and an empty field has no lines.
QStringList displayLines(QTextDocument *document);

#endif
