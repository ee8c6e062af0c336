#ifndef TESSARO_UI_SHORTCUTTEXT_H
#define TESSARO_UI_SHORTCUTTEXT_H

#include <QKeySequence>
#include <QString>

// A shortcut as a German desktop spells it for the user: "Strg+G", "Strg+Rechts".
QString germanShortcutText(const QKeySequence &sequence);

#endif
