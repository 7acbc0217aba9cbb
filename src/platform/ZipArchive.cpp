#include "ZipArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <zip.h>

namespace platform {

namespace {

struct ArchiveDiscard {
    // Read-only: nothing to write back, so discarding is closing.
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryClose {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using ArchiveHandle = std::unique_ptr<zip_t, ArchiveDiscard>;
using EntryHandle = std::unique_ptr<zip_file_t, EntryClose>;

// Entries are read in steps of this much, so memory follows what the entry
// really holds rather than what its header claims.
constexpr qint64 readStep = 64 * 1024;

QByteArray libzipPath(const QString& path)
{
#ifdef Q_OS_WIN
    // libzip turns its char path from UTF-8 into the wide path Windows opens.
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

} // namespace

struct ZipArchive::State {
    // Declared first so it outlives the archive that reads it in place.
    QByteArray bytes;
    ArchiveHandle archive;
    // The index of the first entry of each name, made at the first read:
    // listing an archive needs none. Looking names up here rather than
    // through libzip finds every name entryNames() gives, even one whose
    // bytes QString could not keep as they were.
    std::optional<QHash<QString, zip_uint64_t>> indexes;

    static std::unique_ptr<State> over(ArchiveHandle archive, QByteArray bytes = {});

    // Each entry's index and name as libzip gives it, UTF-8, skipping the
    // names it cannot give.
    template <typename Visit> void forEachName(Visit visit) const
    {
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        for (zip_int64_t at = 0; at < count; ++at) {
            const auto index = static_cast<zip_uint64_t>(at);
            // The default encoding guess hands every name over as UTF-8.
            if (const char* name = zip_get_name(archive.get(), index, ZIP_FL_ENC_GUESS))
                visit(index, QByteArrayView(name));
        }
    }
};

std::unique_ptr<ZipArchive::State> ZipArchive::State::over(ArchiveHandle archive, QByteArray bytes)
{
    auto state = std::make_unique<State>();
    state->bytes = std::move(bytes);
    state->archive = std::move(archive);
    return state;
}

ZipArchive::ZipArchive(std::unique_ptr<State> state)
    : state_(std::move(state))
{
}

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

void ZipArchive::prepareProcess()
{
#ifdef __GLIBC__
    // libzip turns each entry's DOS time into a time_t with mktime(), and
    // glibc, with TZ unset, looks at /etc/localtime again at every call: a
    // system call per entry, most of the time it takes to list an archive.
    // TZ naming that same file, as it means nothing else, lets glibc read it
    // once.
    static const bool prepared = [] {
        if (!qEnvironmentVariableIsSet("TZ"))
            qputenv("TZ", ":/etc/localtime");
        return true;
    }();
    Q_UNUSED(prepared);
#endif
}

std::optional<ZipArchive> ZipArchive::open(const QString& path)
{
    // libzip would wait on a pipe for a writer that may never come, and an
    // empty file is no archive, as for fromBytes(): only a regular file with
    // bytes in it can hold one.
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0)
        return std::nullopt;
    prepareProcess();
    int error = 0;
    ArchiveHandle archive(zip_open(libzipPath(path).constData(), ZIP_RDONLY, &error));
    if (!archive)
        return std::nullopt;
    return ZipArchive(State::over(std::move(archive)));
}

std::optional<ZipArchive> ZipArchive::fromBytes(const QByteArray& bytes)
{
    // libzip takes no bytes for an archive without entries; no zip tool
    // writes one that way.
    if (bytes.isEmpty())
        return std::nullopt;
    // The archive shares the caller's bytes and never changes them, so they
    // stay where libzip reads them for as long as the archive lives.
    QByteArray kept = bytes;
    prepareProcess();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        kept.constData(), static_cast<zip_uint64_t>(kept.size()), 0, &error);
    zip_t* opened = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (opened == nullptr) {
        // Only an archive that opened owns its source.
        zip_source_free(source);
        return std::nullopt;
    }
    return ZipArchive(State::over(ArchiveHandle(opened), std::move(kept)));
}

QStringList ZipArchive::entryNames() const
{
    QStringList names;
    forEachEntryName([&names](QByteArrayView name) { names.append(QString::fromUtf8(name)); });
    return names;
}

void ZipArchive::forEachEntryName(const std::function<void(QByteArrayView)>& visit) const
{
    if (state_)
        state_->forEachName([&visit](zip_uint64_t, QByteArrayView name) { visit(name); });
}

std::optional<QByteArray> ZipArchive::read(const QString& entryName, qint64 maxBytes) const
{
    if (!state_ || maxBytes < 0)
        return std::nullopt;
    if (!state_->indexes) {
        auto& indexes = state_->indexes.emplace();
        state_->forEachName([&indexes](zip_uint64_t index, QByteArrayView name) {
            const QString text = QString::fromUtf8(name);
            if (!indexes.contains(text))
                indexes.insert(text, index);
        });
    }
    const auto found = state_->indexes->constFind(entryName);
    if (found == state_->indexes->constEnd())
        return std::nullopt;
    zip_t* archive = state_->archive.get();

    // A declared size over the limit needs no reading; one under it proves
    // nothing, so the loop below keeps its own count.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, *found, 0, &stat) != 0)
        return std::nullopt;
    const bool sized = (stat.valid & ZIP_STAT_SIZE) != 0;
    if (sized && stat.size > static_cast<zip_uint64_t>(maxBytes))
        return std::nullopt;

    const EntryHandle entry(zip_fopen_index(archive, *found, 0));
    if (!entry)
        return std::nullopt;
    QByteArray bytes;
    qint64 total = 0;
    // One byte past the limit is enough to know the entry is too big; reading
    // on to the end lets libzip check the entry's CRC.
    while (total <= maxBytes) {
        const qint64 room = maxBytes - total;
        const qint64 step = room < readStep ? room + 1 : readStep;
        bytes.resize(total + step);
        const zip_int64_t got =
            zip_fread(entry.get(), bytes.data() + total, static_cast<zip_uint64_t>(step));
        if (got < 0)
            return std::nullopt;
        if (got == 0) {
            // libzip checks the CRC at the end but, before 1.8, not the size.
            if (sized && stat.size != static_cast<zip_uint64_t>(total))
                return std::nullopt;
            bytes.resize(total);
            return bytes;
        }
        total += got;
    }
    return std::nullopt;
}

} // namespace platform
