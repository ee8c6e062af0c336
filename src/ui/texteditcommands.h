#ifndef TESSARO_UI_TEXTEDITCOMMANDS_H
#define TESSARO_UI_TEXTEDITCOMMANDS_H

class QAction;
class QMenu;
class QTextEdit;

// The edit commands of a multi-line text's popup menu: "Kopieren" (Ctrl+C), "Ausschneiden"
// (Ctrl+X), "Einfügen" (Ctrl+V) and "Alles &markieren" (Ctrl+A). The shortcuts are shown in the
// menu; the text edit handles the keys itself.
struct TextEditCommands
{
    QAction *copy = nullptr;
    QAction *cut = nullptr;
    QAction *paste = nullptr;
    QAction *selectAll = nullptr;
};

// Appends the four entries to the menu, acting on the text edit.
TextEditCommands addTextEditCommands(QMenu *menu, QTextEdit *edit);

// Copy and cut need a selection, paste an editable text and text on the clipboard, select all
// a text that is not empty.
void updateTextEditCommands(const TextEditCommands &commands, const QTextEdit *edit);

#endif
