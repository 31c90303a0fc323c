#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace vireo::test {

// One entry of a zip written byte by byte, so that a test can make every
// lie a hostile package tells: names, attributes, sizes and CRCs as given.
struct ZipEntry {
    QByteArray name;
    QByteArray data;
    bool deflate = false;
    std::optional<std::uint32_t> declaredSize =
        std::nullopt;  // the inflated size the headers claim
    std::uint32_t unixMode = 0100644;
    std::optional<std::uint32_t> crc = std::nullopt;
    std::uint16_t flags = 0;
};

QByteArray makeZip(const QList<ZipEntry>& entries);

}  // namespace vireo::test
