// Feeds arbitrary bytes as the hand-over store's file, which any program of the user may write,
// through consuming and writing requests, and checks what holds between them: a consumed request
// is gone, a request written over whatever the file held is taken back as written, and so is a
// request that was taken from it.

#include "app/handoverstore.h"

#include "invariant.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Puts the bytes in the store's place, changed a minute ago: a file that ends in an unfinished
// line is then read at once instead of being left to a writer that is still at it.
void plant(const HandOverStore &store, const QByteArray &bytes)
{
    QFile file(store.path());
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the store can be planted");
    require(file.write(bytes) == bytes.size(), "the store is planted whole");
    file.close();
    const timespec minuteAgo{::time(nullptr) - 60, 0};
    const timespec times[2] = {minuteAgo, minuteAgo};
    ::utimensat(AT_FDCWD, QFile::encodeName(store.path()).constData(), times, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const HandOverStore store(folder.path(), u"Tessaro"_s);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    plant(store, bytes);
    const std::optional<HandOverRequest> taken = store.take();
    require(!store.take(), "a consumed request is gone");

    // Written over what the file held, a request replaces the values of its names.
    const HandOverRequest request{u"a\\b\nc\r=|Ä"_s, u"1"_s, QString()};
    plant(store, bytes);
    require(store.write(request), "a request can be written over any content");
    const std::optional<HandOverRequest> back = store.take();
    require(back && back->parameters == request.parameters && back->setFocus == request.setFocus,
        "a written request is taken back as written");

    if (taken && !taken->isEmpty()) {
        require(store.write(*taken), "a taken request can be written again");
        require(store.take() == taken, "a taken request survives writing");
    }
    QFile::remove(store.path());
    return 0;
}
