#ifndef TESSARO_RECORDS_CONCURRENTWORK_H
#define TESSARO_RECORDS_CONCURRENTWORK_H

#include <QtGlobal>

#include <functional>

// Runs work(0) to work(count - 1), up to kConcurrentWorkers of them at a time, and returns once
// all have ended. For writes of many files: each atomic write waits until its file and its
// folder entry are on the medium, and writes waiting at the same time share the medium's
// commits instead of queueing for one each. The atomic writer serves concurrent writers of one
// folder (its temporary files are locked by their writer). An exception that leaves work is
// raised again here once all have ended; work should catch what it expects itself.
inline constexpr int kConcurrentWorkers = 8;
void runConcurrently(qsizetype count, const std::function<void(qsizetype)> &work);

#endif
