#include "mainwindow/settingsstore.h"

using namespace Qt::StringLiterals;

QString settingsLocationForThisUser()
{
    return u"HKEY_CURRENT_USER\\Software\\Tessaro"_s;
}
