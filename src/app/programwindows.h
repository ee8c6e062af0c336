#ifndef TESSARO_APP_PROGRAMWINDOWS_H
#define TESSARO_APP_PROGRAMWINDOWS_H

#include "app/helptexts.h"
#include "speech/screenreaderfront.h"

#include <memory>

class HelpMenu;
class MainWindow;
struct ProgramPaths;

struct ProgramWindows
{
    // Owns every other window of the program.
    std::unique_ptr<MainWindow> mainWindow;
    HelpMenu *helpMenu = nullptr;
};

// Creates all windows of the program once, in this order: the main window (which creates the
// background colour chooser and the font dialog) with its help menu, the participant list, the
// participant creation dialog, the one-line input dialog, the text view, the backup window, the
// number dialog, the class chooser, the roll and the absence period dialog. All but the main window
// are hidden until a command shows them; none is shown yet. Without a screen-reader front of its
// own the main window makes one over this platform's drivers.
ProgramWindows createProgramWindows(const ProgramPaths &paths,
    std::unique_ptr<ScreenReaderFront> screenReader = nullptr,
    const MakerContact &contact = MakerContact::ofThisBuild());

#endif
