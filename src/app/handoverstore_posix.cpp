#include "app/handoverstore.h"

#include "app/filelock.h"
#include "records/atomicwrite.h"
#include "records/error.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMaxStoreBytes = 64 * 1024;
// A lock held longer than this by a stuck process makes the call fail instead of hang.
constexpr std::chrono::milliseconds kLockPatience(1000);
// How long an unfinished store is taken to be still in writing.
constexpr qint64 kWritingMilliseconds = 1000;

// The position of a request value's name, letter case ignored as in the registry; -1 for a
// foreign name.
int valueIndex(const QByteArray &name)
{
    const QString text = QString::fromUtf8(name).trimmed();
    for (size_t i = 0; i < kHandOverValueNames.size(); ++i) {
        if (text.compare(kHandOverValueNames[i], Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

struct StoredValue
{
    QByteArray line;
    QByteArray name;
    QByteArray value;
};

enum class StoreState {
    Missing,
    Readable,
    // Empty or with its last line unfinished, and changed within the last second: another
    // program that does not write the file at once is still writing it.
    BeingWritten,
    Unusable,
};

// Reads the store without following a link and without waiting on a pipe.
StoreState readStore(const QByteArray &path, QByteArray *bytes)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? StoreState::Missing : StoreState::Unusable;
    struct stat status
    {
    };
    StoreState state = StoreState::Unusable;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes->resize(kMaxStoreBytes + 1);
        qsizetype total = 0;
        for (;;) {
            const ssize_t count = ::read(fd, bytes->data() + total, size_t(bytes->size() - total));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                if (count == 0 && total <= kMaxStoreBytes)
                    state = StoreState::Readable;
                break;
            }
            total += count;
            if (total > kMaxStoreBytes)
                break;
        }
        bytes->resize(total);
        const bool unfinished = bytes->isEmpty() || !bytes->endsWith('\n');
        const qint64 changed
            = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
        if (state == StoreState::Readable && unfinished
            && QDateTime::currentMSecsSinceEpoch() - changed < kWritingMilliseconds)
            state = StoreState::BeingWritten;
    }
    ::close(fd);
    return state;
}

// The lines of the form "name=value"; anything else is no value and is dropped.
QList<StoredValue> parseValues(const QByteArray &bytes)
{
    QList<StoredValue> values;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || line.left(equals).trimmed().isEmpty())
            continue;
        values.append({line, line.left(equals), line.mid(equals + 1)});
    }
    return values;
}

// The value's text; nothing when it is of the wrong type.
std::optional<QString> decodeValue(const QByteArray &raw)
{
    if (raw.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString escaped = decoder(raw);
    if (decoder.hasError())
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        const QChar next = i + 1 < escaped.size() ? escaped[i + 1] : QChar();
        if (c == u'\\' && (next == u'\\' || next == u'n' || next == u'r')) {
            text += next == u'n' ? u'\n' : next == u'r' ? u'\r' : u'\\';
            ++i;
        } else {
            text += c;
        }
    }
    if (text.size() > kMaxHandOverValueLength)
        return std::nullopt;
    return text;
}

QByteArray encodeValue(const QString &text)
{
    QString escaped = text;
    escaped.replace(u"\\"_s, u"\\\\"_s).replace(u"\n"_s, u"\\n"_s).replace(u"\r"_s, u"\\r"_s);
    return escaped.toUtf8();
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + '\n';
    return bytes;
}

bool replaceStore(const QString &path, const QList<QByteArray> &lines)
{
    try {
        writeFileAtomically(path, joinLines(lines));
        return true;
    } catch (const TessaroError &) {
        return false;
    }
}

} // namespace

HandOverStore::HandOverStore(const QString &folder, const QString &keyName)
    : m_path(folder + u'/' + keyName + u".handover"_s), m_lockPath(m_path + u".lock"_s)
{ }

bool HandOverStore::write(const HandOverRequest &request) const
{
    if (request.isEmpty())
        return true;
    FileLock lock(m_lockPath);
    if (lock.lock(kLockPatience) != FileLock::Result::Locked)
        return false;
    const QByteArray path = QFile::encodeName(m_path);
    QByteArray bytes;
    // What cannot be read is replaced; a link is removed, so that its target is never written.
    if (readStore(path, &bytes) == StoreState::Unusable) {
        ::unlink(path.constData());
        bytes.clear();
    }
    QList<QByteArray> lines;
    for (const StoredValue &value : parseValues(bytes)) {
        const int index = valueIndex(value.name);
        if (index < 0 || requestField(request, size_t(index))->isEmpty())
            lines.append(value.line);
    }
    for (size_t i = 0; i < kHandOverValueNames.size(); ++i) {
        if (const QString *text = requestField(request, i); !text->isEmpty())
            lines.append(kHandOverValueNames[i].toUtf8() + '=' + encodeValue(*text));
    }
    return replaceStore(m_path, lines);
}

std::optional<HandOverRequest> HandOverStore::take() const
{
    const QByteArray path = QFile::encodeName(m_path);
    // Polled often: without a store there is nothing to lock.
    struct stat status
    {
    };
    if (::lstat(path.constData(), &status) != 0 && errno == ENOENT)
        return std::nullopt;

    FileLock lock(m_lockPath);
    if (lock.lock(kLockPatience) != FileLock::Result::Locked)
        return std::nullopt;
    QByteArray bytes;
    const StoreState state = readStore(path, &bytes);
    if (state != StoreState::Readable) {
        if (state == StoreState::Unusable)
            ::unlink(path.constData());
        return std::nullopt;
    }

    HandOverRequest request;
    std::array<bool, 3> found = {};
    QList<QByteArray> foreignLines;
    const QList<StoredValue> values = parseValues(bytes);
    for (const StoredValue &value : values) {
        const int index = valueIndex(value.name);
        if (index < 0) {
            foreignLines.append(value.line);
        } else if (!found[size_t(index)]) {
            found[size_t(index)] = true;
            *requestField(request, size_t(index)) = decodeValue(value.value).value_or(QString());
        }
    }
    // A consumed value must not outlive its consumption, or it would act again at every poll:
    // when the foreign values cannot be written back, they go too.
    if (foreignLines.isEmpty()
        || (joinLines(foreignLines) != bytes && !replaceStore(m_path, foreignLines)))
        ::unlink(path.constData());
    if (!found[0] && !found[1] && !found[2])
        return std::nullopt;
    return request;
}
