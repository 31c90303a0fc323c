#pragma once

#include <QString>

namespace vireo::ui {

// The folder the tool's own data files are installed in: share/vireo-skin-builder
// beside the bin/ folder that holds the running program, whatever the prefix.
QString installedDataDir();

// The folder the data file `name` (the byte table ASCII, a BMP header template,
// the fallback BACK) is taken from: `currentDir`, the folder the tool was
// started in, when something stands there under that name, as it always has;
// else the installed data folder when it holds the file; else `currentDir`, so
// that a refusal names the first place looked in.
QString dataFolderFor(const QString& currentDir, const char* name);

// The same folder with `name` joined to it.
QString dataFilePath(const QString& currentDir, const char* name);

}  // namespace vireo::ui
