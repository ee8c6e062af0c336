#ifndef TESSARO_APP_HELPTEXTS_H
#define TESSARO_APP_HELPTEXTS_H

#include <QString>
#include <QStringList>
#include <QUrl>

// The maker of this build: contact lines for the about box, homepage, mail address and donation
// page, set by the CMake cache variables TESSARO_CONTACT_LINES, TESSARO_HOMEPAGE, TESSARO_MAIL
// and TESSARO_DONATION_PAGE. Each is empty unless the builder sets it.
struct MakerContact
{
    QStringList contactLines;
    QString homepage;
    QString mail;
    QString donationPage;

    static MakerContact ofThisBuild();
};

// The text of "Programm-&Info", lines separated by CR LF.
QString aboutText(const MakerContact &contact);

// The addresses opened by the help menu; empty where the build names none. The donation page is
// "spenden.htm" below the homepage unless a page of its own is set.
QUrl homepageUrl(const MakerContact &contact);
QUrl donationUrl(const MakerContact &contact);
// A new mail to the maker with the subject "Tessaro V1.01".
QUrl mailUrl(const MakerContact &contact);

#endif
