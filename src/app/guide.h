#ifndef TESSARO_APP_GUIDE_H
#define TESSARO_APP_GUIDE_H

#include <QString>

// The guide "Bedienungsanleitung.txt", a UTF-8 text installed with the program.

inline constexpr char16_t kGuideCaption[] = u"Bedienungsanleitung";

// Where the guide is: in the program folder (ending in "/") where it lies there, as in the build
// tree and an unpacked folder; otherwise where the installation puts it, in the data folder of
// the installation relative to the program's folder ("../share/tessaro/").
QString guidePath(const QString &programFolder);

// The guide's text. Raises TessaroError with the file layer's open error text when it cannot be
// read.
QString readGuide(const QString &path);

#endif
