#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace vireo::test {

// One entry of a zip written byte by byte, so that a test can make every
// lie a hostile package tells: names, attributes, sizes and CRCs as given.
struct ZipEntry {
    ZipEntry(QByteArray name, QByteArray data, bool deflate = false,
             std::optional<std::uint32_t> declaredSize = std::nullopt,
             std::uint32_t unixMode = 0100644)
        : name(std::move(name)),
          data(std::move(data)),
          deflate(deflate),
          declaredSize(declaredSize),
          unixMode(unixMode) {}
    QByteArray name;
    QByteArray data;
    bool deflate = false;
    std::optional<std::uint32_t> declaredSize;  // the inflated size the headers claim
    std::optional<std::uint32_t> crc;
    std::uint16_t flags = 0;
    std::uint32_t unixMode = 0100644;
};

QByteArray makeZip(const QList<ZipEntry>& entries);

}  // namespace vireo::test
