#include "zip_maker.h"

#include <zlib.h>

namespace vireo::test {

namespace {

void put16(QByteArray& out, std::uint32_t value) {
    out.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

void put32(QByteArray& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// Raw deflate, as zip entries hold it.
QByteArray deflated(const QByteArray& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

}  // namespace

QByteArray makeZip(const QList<ZipEntry>& entries) {
    QByteArray out;
    QByteArray central;
    for (const ZipEntry& entry : entries) {
        const QByteArray stored = entry.deflate ? deflated(entry.data) : entry.data;
        const std::uint32_t crc = entry.crc.value_or(std::uint32_t(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), uInt(entry.data.size()))));
        const std::uint32_t size = entry.declaredSize.value_or(std::uint32_t(entry.data.size()));
        const std::uint32_t offset = std::uint32_t(out.size());
        const auto common = [&](QByteArray& header) {
            put16(header, 20);  // version needed
            put16(header, entry.flags);
            put16(header, entry.deflate ? 8 : 0);
            put16(header, 0);     // time
            put16(header, 0x21);  // date: 1980-01-01
            put32(header, crc);
            put32(header, std::uint32_t(stored.size()));
            put32(header, size);
            put16(header, std::uint16_t(entry.name.size()));
            put16(header, 0);  // extra
        };
        put32(out, 0x04034b50);
        common(out);
        out.append(entry.name).append(stored);

        put32(central, 0x02014b50);
        put16(central, 0x0314);  // made by Unix, 2.0
        common(central);
        put16(central, 0);  // comment
        put16(central, 0);  // disk
        put16(central, 0);  // internal attributes
        put32(central, entry.unixMode << 16);
        put32(central, offset);
        central.append(entry.name);
    }
    const std::uint32_t centralOffset = std::uint32_t(out.size());
    out.append(central);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, std::uint16_t(entries.size()));
    put16(out, std::uint16_t(entries.size()));
    put32(out, std::uint32_t(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

}  // namespace vireo::test
