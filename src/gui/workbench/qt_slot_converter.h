#pragma once

#include "core/workbench/slots.h"
#include "gui/artwork/qt_picture_decoder.h"

namespace vireo::workbench {

// Any picture Qt can read, converted into the slot's exact file.
class QtSlotConverter final : public SlotConverter {
public:
    Result<Bytes> convert(images::Source slot, const std::string& inputPath, const SlotFiles& files,
                          const settings::Record& record) override {
        return convertIntoSlot(slot, inputPath, decoder_, files, record);
    }

private:
    artwork::QtPictureDecoder decoder_;
};

}  // namespace vireo::workbench
