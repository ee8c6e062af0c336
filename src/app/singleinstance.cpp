#include "app/singleinstance.h"

bool titleEndsWith(QStringView title, QStringView text)
{
    const qsizetype at = title.indexOf(text);
    return !title.isEmpty() && at >= 0 && at + text.size() == title.size();
}
