#include "core/settings/write.h"

#include "core/base/binary_file.h"
#include "core/settings/number.h"

namespace vireo::settings {

namespace {

std::int64_t convert(Group group, const Decimal& number) {
    return group == Group::Colours ? floorOf(number) : roundHalfEvenOf(number);
}

}  // namespace

const Field* fieldsOf(Group group) {
    return group == Group::Colours ? kColourFields.data() : kPositionFields.data();
}

std::optional<std::uint8_t> storedValueOf(std::uint8_t offset, const std::string& text) {
    for (const Group group : {Group::Colours, Group::Positions}) {
        const Field* fields = fieldsOf(group);
        for (std::size_t i = 0; i < fieldCountOf(group); ++i) {
            if (fields[i].offset != offset) continue;
            const auto number = parseDecimal(text);
            if (!number) return std::nullopt;
            const std::int64_t value = convert(group, *number);
            if (value < 0 || value > 255) return std::nullopt;
            return static_cast<std::uint8_t>(value);
        }
    }
    return std::nullopt;
}

std::size_t fieldCountOf(Group group) {
    return group == Group::Colours ? kColourFields.size() : kPositionFields.size();
}

Result<std::vector<FieldValue>> convertGroup(Group group, const std::vector<std::string>& texts) {
    const Field* fields = fieldsOf(group);
    const std::size_t count = fieldCountOf(group);
    const auto refuse = [&](std::size_t i, const char* why) {
        Error error{Error::Kind::Invalid, {}, why};
        error.field = i;
        return error;
    };
    std::vector<FieldValue> values;
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = i < texts.size() ? parseDecimal(texts[i]) : std::nullopt;
        if (!number) return refuse(i, "not a number");
        const std::int64_t value = convert(group, *number);
        if (value < 0 || value > 255) return refuse(i, "outside 0 to 255");
        values.push_back({fields[i].offset, static_cast<std::uint8_t>(value)});
    }
    return values;
}

std::vector<FieldValue> hintFlagValues(bool on) {
    const std::uint8_t value = on ? kHintOn : kHintOff;
    return {{kHintFlagOffset, value}, {kHintFlagCopyOffset, value}};
}

Result<void> writeValues(const std::string& settingsPath, const ByteTable& table,
                         const std::vector<FieldValue>& values) {
    std::vector<Patch> patches;
    for (const FieldValue& field : values) {
        if (field.offset >= kRecordLength)
            return Error{Error::Kind::Invalid, settingsPath,
                         "offset " + std::to_string(field.offset) + " outside the record"};
        patches.push_back({field.offset, Bytes{table[field.value]}});
    }
    return patchFile(settingsPath, kRecordLength, patches);
}

Result<void> writeGroup(const std::string& settingsPath, const std::string& tablePath, Group group,
                        const std::vector<std::string>& texts) {
    const auto table = readByteTable(tablePath);
    if (!table) return table.error();
    auto converted = convertGroup(group, texts);
    if (!converted) {
        Error error = converted.error();
        error.path = settingsPath;
        return error;
    }
    return writeValues(settingsPath, table.value(), converted.value());
}

Result<void> writeHintFlag(const std::string& settingsPath, const std::string& tablePath, bool on) {
    const auto table = readByteTable(tablePath);
    if (!table) return table.error();
    return writeValues(settingsPath, table.value(), hintFlagValues(on));
}

}  // namespace vireo::settings
