#include "settings/write.h"

#include "base/binary_file.h"
#include "settings/number.h"

namespace vireo::settings {

namespace {

std::int64_t convert(Group group, const Decimal& number) {
    return group == Group::Colours ? floorOf(number) : roundHalfEvenOf(number);
}

std::optional<WriteFailure> write(const std::string& settingsPath, const ByteTable& table,
                                  const std::vector<FieldValue>& values) {
    if (auto written = writeValues(settingsPath, table, values); !written)
        return WriteFailure{WriteFailure::Cause::SettingsFile, written.error(), std::nullopt};
    return std::nullopt;
}

}  // namespace

const Field* fieldsOf(Group group) {
    return group == Group::Colours ? kColourFields.data() : kPositionFields.data();
}

std::size_t fieldCountOf(Group group) {
    return group == Group::Colours ? kColourFields.size() : kPositionFields.size();
}

std::variant<std::vector<FieldValue>, FieldProblem> convertGroup(
    Group group, const std::vector<std::string>& texts) {
    const Field* fields = fieldsOf(group);
    const std::size_t count = fieldCountOf(group);
    std::vector<FieldValue> values;
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = i < texts.size() ? parseDecimal(texts[i]) : std::nullopt;
        if (!number) return FieldProblem{FieldProblem::Kind::NotANumber, i};
        const std::int64_t value = convert(group, *number);
        if (value < 0 || value > 255) return FieldProblem{FieldProblem::Kind::OutOfRange, i};
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

std::optional<WriteFailure> writeGroup(const std::string& settingsPath,
                                       const std::string& tablePath, Group group,
                                       const std::vector<std::string>& texts) {
    const auto table = readByteTable(tablePath);
    if (!table) return WriteFailure{WriteFailure::Cause::ByteTable, table.error(), std::nullopt};

    auto converted = convertGroup(group, texts);
    if (const auto* problem = std::get_if<FieldProblem>(&converted)) {
        const std::string name = fieldsOf(group)[problem->index].name;
        const char* why =
            problem->kind == FieldProblem::Kind::NotANumber ? "not a number" : "outside 0 to 255";
        return WriteFailure{WriteFailure::Cause::Field,
                            Error{Error::Kind::Invalid, settingsPath, name + ": " + why}, *problem};
    }
    return write(settingsPath, table.value(), std::get<std::vector<FieldValue>>(converted));
}

std::optional<WriteFailure> writeHintFlag(const std::string& settingsPath,
                                          const std::string& tablePath, bool on) {
    const auto table = readByteTable(tablePath);
    if (!table) return WriteFailure{WriteFailure::Cause::ByteTable, table.error(), std::nullopt};
    return write(settingsPath, table.value(), hintFlagValues(on));
}

}  // namespace vireo::settings
