#include "ZipArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <unzip.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>
#include <utility>

namespace platform {

namespace {

// What minizip reads: bytes in memory, or a file seen through a window of its
// bytes kept in memory. minizip reads a central directory's fields a byte at a
// time, going back and forth; the window turns that into a few large reads of
// the file.
class ArchiveBytes {
public:
    explicit ArchiveBytes(QByteArray bytes)
        : window_(std::move(bytes))
        , windowSize_(quint64(window_.size()))
    {
    }
    explicit ArchiveBytes(std::unique_ptr<QFile> file)
        : file_(std::move(file))
    {
    }

    quint64 read(char* into, quint64 wanted)
    {
        // Most reads are of one byte of the window: a directory's fields are
        // read a byte at a time. Before the window, the offset wraps around.
        const quint64 offset = position_ - windowStart_;
        if (offset < windowSize_ && wanted <= windowSize_ - offset) {
            if (wanted == 1)
                *into = window_.constData()[offset];
            else
                std::memcpy(into, window_.constData() + offset, wanted);
            position_ += wanted;
            return wanted;
        }
        return readAcrossWindows(into, wanted);
    }

    // False, and the position stays, for one before the start or past what a
    // file offset can hold.
    bool seek(quint64 offset, int origin)
    {
        quint64 base = 0;
        if (origin == ZLIB_FILEFUNC_SEEK_CUR)
            base = position_;
        else if (origin == ZLIB_FILEFUNC_SEEK_END)
            base = size();
        if (offset > kMaxPosition - base)
            return false;
        position_ = base + offset;
        return true;
    }

    quint64 position() const { return position_; }
    // Whether a read ever found fewer bytes than it asked for.
    bool ranShort() const { return ranShort_; }

private:
    static constexpr quint64 kMaxPosition = std::numeric_limits<qint64>::max();
    static constexpr qint64 kWindow = 64 * 1024;

    // Kept out of read(), which minizip calls a hundred times an entry.
    Q_NEVER_INLINE quint64 readAcrossWindows(char* into, quint64 wanted)
    {
        quint64 done = 0;
        while (done < wanted) {
            const quint64 at = position_ + done;
            if (!inWindow(at) && !(file_ && fillWindow(at, wanted - done)))
                break;
            const quint64 offset = at - windowStart_;
            const quint64 step = std::min(wanted - done, windowSize_ - offset);
            std::memcpy(into + done, window_.constData() + offset, step);
            done += step;
        }
        position_ += done;
        ranShort_ = ranShort_ || done < wanted;
        return done;
    }

    bool inWindow(quint64 at) const { return at - windowStart_ < windowSize_; }

    quint64 size() const
    {
        return file_ ? quint64(std::max<qint64>(file_->size(), 0)) : windowSize_;
    }

    // Reads the window that holds `at`, reaching back when minizip reads
    // backwards, as it does looking for the directory's end from the file's.
    bool fillWindow(quint64 at, quint64 wanted)
    {
        quint64 start = at;
        if (at < windowStart_) {
            const quint64 end = at + wanted;
            start = std::min(end > quint64(kWindow) ? end - kWindow : 0, at);
        }
        window_.resize(kWindow);
        const qint64 got = file_->seek(qint64(start)) ? file_->read(window_.data(), kWindow) : -1;
        window_.resize(std::max<qint64>(got, 0));
        windowSize_ = quint64(window_.size());
        windowStart_ = start;
        return inWindow(at);
    }

    std::unique_ptr<QFile> file_;
    QByteArray window_;
    quint64 windowSize_ = 0;
    quint64 windowStart_ = 0;
    quint64 position_ = 0;
    bool ranShort_ = false;
};

// minizip's I/O, over ArchiveBytes, which the archive's state owns: opening
// hands minizip the bytes it was given, and closing leaves them to their owner.
voidpf ZCALLBACK openBytes(voidpf bytes, const void*, int)
{
    return bytes;
}
uLong ZCALLBACK readBytes(voidpf, voidpf bytes, void* into, uLong size)
{
    return uLong(static_cast<ArchiveBytes*>(bytes)->read(static_cast<char*>(into), size));
}
uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong)
{
    return 0;
}
ZPOS64_T ZCALLBACK tellBytes(voidpf, voidpf bytes)
{
    return static_cast<ArchiveBytes*>(bytes)->position();
}
long ZCALLBACK seekBytes(voidpf, voidpf bytes, ZPOS64_T offset, int origin)
{
    return static_cast<ArchiveBytes*>(bytes)->seek(offset, origin) ? 0 : -1;
}
int ZCALLBACK closeNothing(voidpf, voidpf)
{
    return 0;
}
int ZCALLBACK noError(voidpf, voidpf)
{
    return 0;
}

struct ArchiveClose {
    void operator()(unzFile archive) const { unzClose(archive); }
};
using ArchiveHandle = std::unique_ptr<std::remove_pointer_t<unzFile>, ArchiveClose>;

// Entries are read in steps of this much, so memory follows what the entry
// really holds rather than what its header claims.
constexpr qint64 kReadStep = 64 * 1024;
// A zip entry's name is at most this long.
constexpr uLong kMaxNameBytes = 0xffff;
constexpr uLong kEncrypted = 1;

// The entry minizip has open, closed when this goes; close() also says
// whether its checksum held.
class OpenEntry {
public:
    explicit OpenEntry(unzFile archive)
        : archive_(unzOpenCurrentFile(archive) == UNZ_OK ? archive : nullptr)
    {
    }
    ~OpenEntry()
    {
        if (archive_)
            unzCloseCurrentFile(archive_);
    }
    OpenEntry(const OpenEntry&) = delete;
    OpenEntry& operator=(const OpenEntry&) = delete;

    bool isOpen() const { return archive_ != nullptr; }
    int read(char* into, unsigned size) { return unzReadCurrentFile(archive_, into, size); }
    bool close() { return unzCloseCurrentFile(std::exchange(archive_, nullptr)) == UNZ_OK; }

private:
    unzFile archive_;
};

} // namespace

struct ZipArchive::State {
    // Declared first so they outlive the handle that reads them.
    std::unique_ptr<ArchiveBytes> bytes;
    ArchiveHandle archive;
    // Where the first entry of each name is: of the names a listing meant
    // to read, then, at the first read of another name, of all.
    QHash<QByteArray, unz64_file_pos> places;
    bool placesWhole = false;

    static std::unique_ptr<State> over(std::unique_ptr<ArchiveBytes> bytes);

    // Keeps the place of the entry minizip is at, unless an earlier entry of
    // its name has one.
    void keepPlace(QByteArrayView name)
    {
        QByteArray key = name.toByteArray();
        unz64_file_pos place{};
        if (!places.contains(key) && unzGetFilePos64(archive.get(), &place) == UNZ_OK)
            places.insert(std::move(key), place);
    }

    // Each entry's name, in the archive's order, with minizip at its entry;
    // false when the directory breaks off before its stated end.
    template <typename Visit> bool forEachEntry(Visit visit)
    {
        unzFile handle = archive.get();
        unz_global_info64 global{};
        if (unzGetGlobalInfo64(handle, &global) != UNZ_OK)
            return false;
        if (global.number_entry == 0)
            return true;
        const auto name = std::make_unique_for_overwrite<char[]>(kMaxNameBytes + 1);
        ZPOS64_T seen = 0;
        int status = unzGoToFirstFile(handle);
        for (; status == UNZ_OK; status = unzGoToNextFile(handle)) {
            unz_file_info64 info{};
            if (unzGetCurrentFileInfo64(handle, &info, name.get(), kMaxNameBytes + 1, nullptr, 0,
                                        nullptr, 0) != UNZ_OK)
                return false;
            ++seen;
            visit(QByteArrayView(name.get(), qsizetype(info.size_filename)));
        }
        // An archive of exactly 65,535 entries has no count minizip stops at.
        return status == UNZ_END_OF_LIST_OF_FILE || seen == global.number_entry;
    }
};

std::unique_ptr<ZipArchive::State> ZipArchive::State::over(std::unique_ptr<ArchiveBytes> bytes)
{
    zlib_filefunc64_def io{&openBytes, &readBytes,    &writeNothing, &tellBytes,
                           &seekBytes, &closeNothing, &noError,      bytes.get()};
    auto state = std::make_unique<State>();
    state->archive.reset(unzOpen2_64(bytes.get(), &io));
    state->bytes = std::move(bytes);
    // minizip takes an end record cut short as if its last field were there.
    if (!state->archive || state->bytes->ranShort())
        return nullptr;
    return state;
}

ZipArchive::ZipArchive(std::unique_ptr<State> state)
    : state_(std::move(state))
{
}

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::optional<ZipArchive> ZipArchive::open(const QString& path)
{
    // Reading would wait on a pipe for a writer that may never come, and an
    // empty file is no archive: only a regular file with bytes in it can
    // hold one.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return std::nullopt;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    auto state = State::over(std::make_unique<ArchiveBytes>(std::move(file)));
    if (!state)
        return std::nullopt;
    return ZipArchive(std::move(state));
}

std::optional<ZipArchive> ZipArchive::fromBytes(const QByteArray& bytes)
{
    // As for a file: no bytes, no archive. The archive shares the caller's
    // bytes, which no one changes while it lives.
    if (bytes.isEmpty())
        return std::nullopt;
    auto state = State::over(std::make_unique<ArchiveBytes>(bytes));
    if (!state)
        return std::nullopt;
    return ZipArchive(std::move(state));
}

std::optional<QStringList> ZipArchive::entryNames() const
{
    QStringList names;
    if (!forEachEntryName([&names](QByteArrayView name) {
            names.append(QString::fromUtf8(name));
            return false;
        }))
        return std::nullopt;
    return names;
}

bool ZipArchive::forEachEntryName(const std::function<bool(QByteArrayView)>& visit) const
{
    if (!state_)
        return false;
    State& state = *state_;
    return state.forEachEntry([&state, &visit](QByteArrayView name) {
        if (visit(name))
            state.keepPlace(name);
    });
}

std::optional<QByteArray> ZipArchive::read(const QString& entryName, qint64 maxBytes) const
{
    if (!state_ || maxBytes < 0)
        return std::nullopt;
    unzFile archive = state_->archive.get();
    const QByteArray name = entryName.toUtf8();
    if (!state_->places.contains(name) && !state_->placesWhole) {
        state_->forEachEntry([this](QByteArrayView each) { state_->keepPlace(each); });
        state_->placesWhole = true;
    }
    const auto found = state_->places.constFind(name);
    if (found == state_->places.constEnd() || unzGoToFilePos64(archive, &*found) != UNZ_OK)
        return std::nullopt;

    // A stated size over the limit needs no reading; one under it proves
    // nothing, so the loop below keeps its own count. Without the key no
    // encrypted entry reads as anything but noise.
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        (info.flag & kEncrypted) != 0 || info.uncompressed_size > quint64(maxBytes))
        return std::nullopt;

    OpenEntry entry(archive);
    if (!entry.isOpen())
        return std::nullopt;
    QByteArray bytes;
    qint64 total = 0;
    // One byte past the limit is enough to know the entry is too big; reading
    // on to the end lets minizip check the entry's checksum.
    while (total <= maxBytes) {
        const qint64 room = maxBytes - total;
        const qint64 step = room < kReadStep ? room + 1 : kReadStep;
        bytes.resize(total + step);
        const int got = entry.read(bytes.data() + total, unsigned(step));
        if (got < 0)
            return std::nullopt;
        if (got == 0) {
            // minizip stops at the stated size, and checks the checksum only
            // when it got there: an entry that ends sooner is cut short.
            if (quint64(total) != info.uncompressed_size || !entry.close())
                return std::nullopt;
            bytes.resize(total);
            return bytes;
        }
        total += got;
    }
    return std::nullopt;
}

} // namespace platform
