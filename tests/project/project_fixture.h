#pragma once

#include "core/project/project.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vireo::test {

// A project folder made from the demo's artwork: the twelve sources and BACK
// imported from a copy of examples/demo/art in DIR/art, and derived.json
// written by a first forced derive. Dithering is off, so that a transparent
// pixel's colour is exactly the background's under it.
struct ProjectFolder {
    ProjectFolder();
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    artwork::QtPictureDecoder decoder;
    std::unique_ptr<project::Project> project;
};

// A 64×64 PNG: a disc of `colour` (radius 28) on transparent corners.
QString writeRoundIcon(const QString& path, QColor colour);
// A 240×160 PNG: a gradient that no demo background holds.
QString writeGradient(const QString& path, int variant);

}  // namespace vireo::test
