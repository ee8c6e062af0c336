#include "ui/texteditcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTextEdit>

using namespace Qt::StringLiterals;

TextEditCommands addTextEditCommands(QMenu *menu, QTextEdit *edit)
{
    TextEditCommands commands;
    commands.copy = menu->addAction(u"Kopieren"_s, edit, &QTextEdit::copy);
    commands.cut = menu->addAction(u"Ausschneiden"_s, edit, &QTextEdit::cut);
    commands.paste = menu->addAction(u"Einfügen"_s, edit, &QTextEdit::paste);
    commands.selectAll = menu->addAction(u"Alles &markieren"_s, edit, &QTextEdit::selectAll);
    commands.copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    commands.cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    commands.paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    commands.selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    return commands;
}

void updateTextEditCommands(const TextEditCommands &commands, const QTextEdit *edit)
{
    const bool hasSelection = edit->textCursor().hasSelection();
    commands.copy->setEnabled(hasSelection);
    commands.cut->setEnabled(hasSelection && !edit->isReadOnly());
    commands.paste->setEnabled(!edit->isReadOnly() && !QApplication::clipboard()->text().isEmpty());
    commands.selectAll->setEnabled(!edit->document()->isEmpty());
}
