#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace platform {

// A zip archive, such as the game's .pk3 files, read through libzip: opening
// it reads its central directory and nothing else; an entry's bytes are read
// only when asked for. Damaged, truncated or foreign bytes give nothing rather
// than a crash or a hang. Reads share one libzip handle, so an archive serves
// one thread at a time.
class ZipArchive {
public:
    // Nothing when the file cannot be read or holds no zip archive.
    static std::optional<ZipArchive> open(const QString& path);
    // The same over bytes in memory.
    static std::optional<ZipArchive> fromBytes(const QByteArray& bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Every entry's name as the archive stores it, folders ending in "/", in
    // the archive's order.
    QStringList entryNames() const;

    // The bytes of the entry of exactly this name; nothing when there is none,
    // when it cannot be read whole, or when it holds more than maxBytes.
    std::optional<QByteArray> read(const QString& entryName, qint64 maxBytes) const;

private:
    struct State;
    explicit ZipArchive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace platform
