#include "app/handoverstore.h"

#include "records/dayformat.h"

using namespace Qt::StringLiterals;

HandOverRequest parametersRequest(const QString &parameters, const QStringList &arguments)
{
    return {joinParameters(parameters, arguments), QString(), QString()};
}

HandOverRequest setFocusRequest(const QString &value)
{
    return {QString(), value.isEmpty() ? u"1"_s : value, QString()};
}

HandOverRequest closeRequest(const QString &value)
{
    return {QString(), QString(), value.isEmpty() ? u"1"_s : value};
}

QString joinParameters(const QString &text, const QStringList &arguments)
{
    if (!text.isEmpty())
        return text;
    QString joined;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString argument = trimmedText(arguments[i]);
        if (argument.isEmpty())
            continue;
        joined += argument;
        if (i + 1 < arguments.size())
            joined += u'|';
    }
    return joined;
}
