#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
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

    // Readies the process for opening archives quickly, once; opening does
    // it too. It changes the environment, so a program that opens archives
    // on other threads calls it on its main thread first.
    static void prepareProcess();

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Every entry's name as the archive stores it, folders ending in "/", in
    // the archive's order.
    QStringList entryNames() const;
    // The same names in UTF-8, each shown to `visit` for as long as the call
    // lasts: an archive of thousands of textures then makes no text of the
    // names nobody wants.
    void forEachEntryName(const std::function<void(QByteArrayView)>& visit) const;

    // The bytes of the entry of exactly this name; nothing when there is none,
    // when it cannot be read whole, or when it holds more than maxBytes.
    std::optional<QByteArray> read(const QString& entryName, qint64 maxBytes) const;

private:
    struct State;
    explicit ZipArchive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace platform
