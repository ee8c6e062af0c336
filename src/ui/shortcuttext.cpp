#include "ui/shortcuttext.h"

using namespace Qt::StringLiterals;

QString germanShortcutText(const QKeySequence &sequence)
{
    QString text = sequence.toString(QKeySequence::PortableText);
    text.replace("Ctrl+"_L1, "Strg+"_L1);
    text.replace("Shift+"_L1, "Umschalt+"_L1);
    text.replace("+Right"_L1, "+Rechts"_L1);
    text.replace("+Left"_L1, "+Links"_L1);
    return text;
}
