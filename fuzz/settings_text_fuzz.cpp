// The settings record and the panel's texts. The first 32 bytes are a record
// as a BACK file holds it; the rest, split at newlines, are the texts typed
// into a group's boxes. A plain whole number from 0 to 255 must be stored as
// itself by either group's rounding; no text may be stored outside 0 to 255.
#include "core/settings/number.h"
#include "core/settings/record.h"
#include "core/settings/write.h"
#include "core/unpack/skin_info.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

using namespace vireo;

namespace {

// A decimal number 0 to 255 with no sign, point, spaces or leading zeros.
bool plainByte(const std::string& text, int& value) {
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0')) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < settings::kRecordLength) return 0;
    settings::Record record;
    std::copy(data, data + settings::kRecordLength, record.begin());
    for (std::uint8_t byte : record)
        if (settings::byteText(byte) != std::to_string(unsigned(byte))) std::abort();
    (void)settings::hintFlagOn(record);
    const auto decoded = unpack::decodeRecord(Bytes(record.begin(), record.end()));
    if (!decoded || decoded.value().hintOn != settings::hintFlagOn(record)) std::abort();

    std::vector<std::string> texts(1);
    for (std::size_t i = settings::kRecordLength; i < size; ++i) {
        if (data[i] == '\n')
            texts.emplace_back();
        else
            texts.back().push_back(char(data[i]));
    }
    for (const std::string& text : texts) {
        const auto number = settings::parseDecimal(text);
        if (number) {
            (void)settings::floorOf(*number);
            (void)settings::roundHalfEvenOf(*number);
            (void)settings::toDouble(*number);
        }
        if (settings::parseNumber(text).has_value() != number.has_value()) std::abort();
    }

    for (auto group : {settings::Group::Colours, settings::Group::Positions}) {
        const auto converted = settings::convertGroup(group, texts);
        const std::size_t count = settings::fieldCountOf(group);
        if (converted) {
            const auto& values = converted.value();
            if (values.size() != count) std::abort();
            for (std::size_t i = 0; i < count; ++i) {
                int plain;
                if (plainByte(texts[i], plain) && values[i].value != plain) std::abort();
                if (values[i].offset != settings::fieldsOf(group)[i].offset) std::abort();
            }
        } else {
            const std::size_t index = converted.error().field.value();
            if (index >= count) std::abort();
            int plain;
            if (index < texts.size() && plainByte(texts[index], plain)) std::abort();
        }
    }
    return 0;
}
