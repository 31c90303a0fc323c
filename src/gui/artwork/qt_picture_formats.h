#pragma once

#include <QString>

namespace vireo::artwork {

// Tells the artwork core which picture formats this Qt reads (its plugins
// decide WebP and TIFF). Cheap after the first call.
void registerQtPictureFormats();

// The open dialog's filter: "图片 (*.png *.jpg …);;所有文件 (*)", listing only
// what this Qt reads.
QString pictureFileFilter();

}  // namespace vireo::artwork
