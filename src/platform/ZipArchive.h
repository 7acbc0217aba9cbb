#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// A zip archive, such as the game's .pk3 files, read through zlib's minizip,
// the unzip code the game itself reads them with. Opening it reads its end
// record and nothing else; its central directory is read as it is listed, an
// entry's bytes only when asked for. Damaged, truncated or foreign bytes give
// nothing rather than a crash or a hang. Reads share one minizip handle, so
// an archive serves one thread at a time.
class ZipArchive {
public:
    // Nothing when the file cannot be read or holds no zip archive.
    static std::optional<ZipArchive> open(const QString& path);
    // The same over bytes in memory.
    static std::optional<ZipArchive> fromBytes(const QByteArray& bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Every entry's name read as UTF-8, folders ending in "/", in the
    // archive's order; nothing when its directory breaks off before its end.
    std::optional<QStringList> entryNames() const;
    // The names as the archive stores them, bytes in no known encoding, each
    // shown to `visit` for as long as the call lasts: an archive of thousands
    // of textures then makes no text of the names nobody wants. `visit` says
    // whether the entry is to be read: read() then finds it without another
    // pass over the directory. False when the directory breaks off before its
    // stated end, or claims more entries than it holds: the names shown are
    // then not the archive's and it is best taken as damaged.
    bool forEachEntryName(const std::function<bool(QByteArrayView)>& visit) const;

    // The bytes of the first entry whose name is exactly this name in UTF-8;
    // nothing when there is none, when it cannot be read whole, or when it
    // holds more than maxBytes.
    std::optional<QByteArray> read(const QString& entryName, qint64 maxBytes) const;

private:
    struct State;
    explicit ZipArchive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace platform
