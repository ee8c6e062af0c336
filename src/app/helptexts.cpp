#include "app/helptexts.h"

#include "app/singleinstance.h"

#include <QUrlQuery>

using namespace Qt::StringLiterals;

QString aboutText(const MakerContact &contact)
{
    QStringList lines = {kProgramTitle,
        u"Dieses Programm verwaltet an- und abwesende Schüler und kann sie auswerten."_s};
    lines += contact.contactLines;
    lines += u"Dieses Programm wurde mit %1 programmiert."_s.arg(
        u"C++20 und Qt " QT_VERSION_STR ""_s);
    return lines.join(u"\r\n"_s);
}

QUrl homepageUrl(const MakerContact &contact)
{
    return QUrl(contact.homepage, QUrl::StrictMode);
}

QUrl donationUrl(const MakerContact &contact)
{
    if (!contact.donationPage.isEmpty())
        return QUrl(contact.donationPage, QUrl::StrictMode);
    if (contact.homepage.isEmpty())
        return QUrl();
    QString page = contact.homepage;
    if (!page.endsWith(u'/'))
        page += u'/';
    return QUrl(page + u"spenden.htm"_s, QUrl::StrictMode);
}

QUrl mailUrl(const MakerContact &contact)
{
    if (contact.mail.isEmpty())
        return QUrl();
    QUrl url;
    url.setScheme(u"mailto"_s);
    url.setPath(contact.mail);
    QUrlQuery query;
    query.addQueryItem(u"subject"_s, kProgramTitle);
    url.setQuery(query);
    return url;
}
