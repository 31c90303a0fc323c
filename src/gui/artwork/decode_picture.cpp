#include "core/artwork/picture_limits.h"
#include "core/artwork/webp_picture.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>

namespace vireo::artwork {

namespace {

// What a decoder said on this thread while a picture was read. Qt's readers
// report damage (a short JPEG, a broken PNG chunk) only as warnings.
thread_local QStringList* heardWarnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void keepDecoderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (heardWarnings && type != QtDebugMsg && type != QtInfoMsg) {
        heardWarnings->append(text);
        return;
    }
    if (previousHandler) previousHandler(type, context, text);
}

// Collects the warnings of one read instead of printing them in English.
class WarningCapture {
public:
    WarningCapture() {
        static std::once_flag installed;
        std::call_once(installed,
                       [] { previousHandler = qInstallMessageHandler(keepDecoderWarnings); });
        heardWarnings = &warnings_;
    }
    ~WarningCapture() { heardWarnings = nullptr; }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;
    bool heardAny() const { return !warnings_.isEmpty(); }
    // Qt refuses to allocate past the limit and says so only in a warning.
    bool heardAllocationRefusal() const {
        return std::any_of(warnings_.begin(), warnings_.end(), [](const QString& warning) {
            return warning.contains(QLatin1String("allocation limit"));
        });
    }

private:
    QStringList warnings_;
};

// Qt's reasons are English; the user reads Chinese.
std::string readerFailure(QImageReader::ImageReaderError error) {
    switch (error) {
    case QImageReader::UnsupportedFormatError: return "无法解码图片（不支持此图片格式）";
    case QImageReader::InvalidDataError: return "图片不完整或已损坏";
    default: return "无法解码图片";
    }
}

// The size to decode at: the file's own, or within kDecodePixels with its
// shape kept.
QSize decodeSize(const QSize& full) {
    const double pixels = static_cast<double>(full.width()) * full.height();
    if (pixels <= static_cast<double>(kDecodePixels)) return full;
    const double scale = std::sqrt(static_cast<double>(kDecodePixels) / pixels);
    return {std::max(1, static_cast<int>(full.width() * scale)),
            std::max(1, static_cast<int>(full.height() * scale))};
}

// `shownFull` is the file's size as shown (turned by its orientation).
RgbaImage toRgbaImage(QImage image, bool scaled, const QSize& shownFull) {
    image = image.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage out{image.width(), image.height(), {}};
    if (scaled) {
        out.fileWidth = shownFull.width();
        out.fileHeight = shownFull.height();
    }
    const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
    out.pixels.resize(stride * static_cast<std::size_t>(out.height));
    for (int row = 0; row < out.height; ++row)
        std::memcpy(out.pixels.data() + stride * static_cast<std::size_t>(row),
                    image.constScanLine(row), stride);
    return out;
}

// A refusal for a picture too large to decode: its own reason, not damage.
Error tooLarge(const std::string& path, std::string sentence) {
    Error error{Error::Kind::Invalid, path, std::move(sentence)};
    error.cause = Error::Cause::TooLarge;
    return error;
}

}  // namespace

// Alone in its file: the command line's module links this and nothing else of
// the artwork libraries.
Result<RgbaImage> decodePictureBytes(const unsigned char* bytes, std::size_t size,
                                     const std::string& path) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Error{Error::Kind::Invalid, path, "图片文件过大"};
    if (auto damage = bmpDamage(bytes, size)) return Error{Error::Kind::Invalid, path, *damage};
    if (auto damage = gifDamage(bytes, size)) return Error{Error::Kind::Invalid, path, *damage};
    if (auto decoded = decodeWebpPicture(bytes, size, path)) return std::move(*decoded);
    const QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<int>(size));
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly)) return Error{Error::Kind::Read, path, {}};
    WarningCapture warnings;
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kDecodeAllocationMiB);
    const QSize full = reader.size();
    if (!full.isValid()) return Error{Error::Kind::Invalid, path, readerFailure(reader.error())};
    const qint64 limit = reader.supportsOption(QImageIOHandler::ScaledSize)
                             ? kMaxScaledPicturePixels
                             : kMaxWholePicturePixels;
    if (static_cast<qint64>(full.width()) * full.height() > limit)
        return tooLarge(path, oversizeSentence(full.width(), full.height(), limit));
    const QSize wanted = decodeSize(full);
    if (wanted != full) reader.setScaledSize(wanted);
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QImage image = reader.read();
    // Some readers (16-bit PNG) decode at full size whatever was asked: such a
    // picture is too large for the memory allowed, not damaged.
    if (image.isNull() && warnings.heardAllocationRefusal())
        return tooLarge(path, memorySentence(full.width(), full.height(), kDecodeAllocationMiB));
    if (image.isNull()) return Error{Error::Kind::Invalid, path, readerFailure(reader.error())};
    if (warnings.heardAny()) return Error{Error::Kind::Invalid, path, "图片不完整或已损坏"};
    return toRgbaImage(image, wanted != full, turned ? full.transposed() : full);
}

}  // namespace vireo::artwork
