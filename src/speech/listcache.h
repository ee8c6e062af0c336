#ifndef TESSARO_SPEECH_LISTCACHE_H
#define TESSARO_SPEECH_LISTCACHE_H

class QAccessibleEvent;

// Keeps what a screen reader knows of the program's lists in step with an accessibility event that
// is about to go to the platform bridge. To be called for every such event, before the bridge
// sends it.
//
// On Linux, Orca counts a list's entries by asking the program for every entry and its role, and
// each question travels over the accessibility bus to the user-interface thread and back: 1.8 s
// of silence for a list of 1,000 participants. The AT-SPI library inside Orca can answer those
// questions itself when the program hands it the list and its entries through the bus's cache
// signals, which Qt 6.4 never sends. The program therefore sends them for every shown list,
// after each fill and before the focus is reported in it (see AtspiListCache). On Windows the
// screen readers keep no such copy, and nothing is done.
void updateListCache(QAccessibleEvent *event);

#endif
