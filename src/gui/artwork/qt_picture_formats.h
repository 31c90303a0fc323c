#pragma once

#include <QString>

namespace vireo::artwork {

// Tells the artwork core where to learn which picture formats this Qt reads
// (its plugins decide WebP and TIFF). Cheap: the plugins are loaded when an
// extension is first looked up, not here.
void registerQtPictureFormats();

// The open dialog's filter: "图片 (*.png *.jpg …);;所有文件 (*)", listing only
// what this Qt reads.
QString pictureFileFilter();

}  // namespace vireo::artwork
