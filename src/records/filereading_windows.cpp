#include "records/filereading.h"

#include "records/error.h"
#include "records/temporaryfiles_windows.h"

using namespace Qt::StringLiterals;

namespace {

// Reads past the cache go in whole blocks, at offsets that are multiples of the medium's sector
// size, into memory aligned as strictly; a page-aligned block of 64 KiB meets every sector size.
constexpr DWORD kUncachedBlock = 64 * 1024;

HANDLE openForReading(const QString &path, DWORD flags)
{
    return CreateFileW(nativePath(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags,
        nullptr);
}

HANDLE handleOf(qintptr file)
{
    return reinterpret_cast<HANDLE>(file);
}

[[noreturn]] void throwOpenError(const QString &path, DWORD error)
{
    throw TessaroError(openErrorText(path, windowsErrorReason(error)));
}

} // namespace

// The file opened anew without the system's cache, with the block last read from it.
struct RegularFileReader::UncachedReads
{
    UncachedReads()
        : block(static_cast<char *>(
            VirtualAlloc(nullptr, kUncachedBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)))
    { }
    ~UncachedReads() { VirtualFree(block, 0, MEM_RELEASE); }
    UncachedReads(const UncachedReads &) = delete;
    UncachedReads &operator=(const UncachedReads &) = delete;

    char *block;
    DWORD filled = 0;
    DWORD taken = 0;
    bool atEnd = false;
};

RegularFileReader::RegularFileReader(const QString &path)
    : m_path(path), m_file(reinterpret_cast<qintptr>(openForReading(path, FILE_ATTRIBUTE_NORMAL)))
{
    if (handleOf(m_file) == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw TessaroError(openErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
        throwOpenError(path, error);
    }
    LARGE_INTEGER size = {};
    BY_HANDLE_FILE_INFORMATION status;
    if (GetFileType(handleOf(m_file)) != FILE_TYPE_DISK
        || !GetFileInformationByHandle(handleOf(m_file), &status)
        || (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        || !GetFileSizeEx(handleOf(m_file), &size)) {
        CloseHandle(handleOf(m_file));
        throw TessaroError(openErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
    }
    m_size = size.QuadPart;
}

RegularFileReader::~RegularFileReader()
{
    CloseHandle(handleOf(m_file));
}

bool RegularFileReader::readChunk(QByteArray &bytes, qsizetype maxBytes)
{
    if (m_uncached) {
        UncachedReads &reads = *m_uncached;
        if (reads.taken == reads.filled && !reads.atEnd) {
            reads.taken = reads.filled = 0;
            if (!ReadFile(handleOf(m_file), reads.block, kUncachedBlock, &reads.filled, nullptr))
                throwOpenError(m_path, GetLastError());
            // A short block is the file's last: a read after it would start at an offset
            // that is no multiple of the sector size.
            reads.atEnd = reads.filled < kUncachedBlock;
        }
        const qsizetype count = qMin<qsizetype>(maxBytes, reads.filled - reads.taken);
        bytes.append(reads.block + reads.taken, count);
        reads.taken += DWORD(count);
        return count > 0;
    }
    const qsizetype before = bytes.size();
    const DWORD wanted = DWORD(qMin<qsizetype>(maxBytes, 1 << 30));
    bytes.resize(before + wanted);
    DWORD got = 0;
    if (!ReadFile(handleOf(m_file), bytes.data() + before, wanted, &got, nullptr)) {
        const DWORD error = GetLastError();
        bytes.resize(before);
        throwOpenError(m_path, error);
    }
    bytes.resize(before + got);
    return got > 0;
}

void RegularFileReader::dropCachedPages()
{
    auto reads = std::make_unique<UncachedReads>();
    const HANDLE uncached = openForReading(m_path, FILE_FLAG_NO_BUFFERING);
    // Where the file cannot be read so, it is read through the cache as before.
    if (!reads->block || uncached == INVALID_HANDLE_VALUE) {
        if (uncached != INVALID_HANDLE_VALUE)
            CloseHandle(uncached);
        return;
    }
    CloseHandle(handleOf(m_file));
    m_file = reinterpret_cast<qintptr>(uncached);
    m_uncached = std::move(reads);
}
