#pragma once

#include "core/base/binary_file.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <optional>

class QWidget;

namespace vireo::test {

// A data row named `name` of two text columns, for tables of strings.
void textRow(const char* name, const char* first, const char* second);

QByteArray randomBytes(int length, quint32 key);
Bytes toBytes(const QByteArray& bytes);
QByteArray fromBytes(const Bytes& bytes);

// Every name in `dir`, hidden ones included: a stray temporary file shows up here.
QStringList entries(const QString& dir);

// Writes `bytes` to `path` whole; fails the calling test on error.
void writeFile(const QString& path, const QByteArray& bytes);
// The whole file, or a null QByteArray when it cannot be read.
QByteArray readFile(const QString& path);

// Every entry under `dir`, subfolders included, with its bytes ("not a regular
// file" for the rest): equal snapshots show that nothing was added, removed or changed.
std::map<QString, QByteArray> snapshot(const QString& dir);

// The byte table that stores each value as itself.
QByteArray identityTable();

// What a program printed and the status it exited with (-1: it crashed or hung).
struct Run {
    int status = -1;
    QString out;
    QString err;
};
// Runs `program` with `arguments`; a last argument ">FILE" sends standard output to FILE, as a
// shell would.
Run runProgram(const QString& program, QStringList arguments, const QString& workingDir = {});

// Drags the file at `path` onto the middle of `target` and drops it there, as
// from a file manager; true when the target accepted the drag.
bool dropFile(QWidget* target, const QString& path);

// A complete 8-bit BMP: 54 header bytes, `palette` (1,024 bytes) and
// `pixels` (width × height bytes), stored bottom-up as usual.
QByteArray bmp8(int width, int height, const QByteArray& palette, const QByteArray& pixels);

// The colour the player shows for pixel (x, y) of an 8-bit BMP source, rows
// as it shows them (the first stored row on top), drawn with the colour table
// of `palette` (the picture's own when empty), read straight from the bytes.
QColor pixelOf(const QByteArray& bmp, int width, int x, int y, const QByteArray& palette = {});

// A folder holding the twelve source pictures, each a valid BMP of its size
// with random palette and pixels, and a 32-byte BACK of random bytes.
// `files` maps each file name to its bytes.
struct SourceFolder {
    explicit SourceFolder(quint32 key = 1);

    QString path(const QString& name) const { return dir.filePath(name); }
    // The folder with its trailing separator.
    QString folder() const { return dir.path() + QLatin1Char('/'); }

    QTemporaryDir dir;
    std::map<QString, QByteArray> files;
};

}  // namespace vireo::test

namespace vireo::test {

// Runs this test program again as the user `nobody` with `args` and returns
// what it printed, for checks that root would pass whatever the permissions.
// Empty optional when this machine cannot run it as another user (not root,
// no setpriv, or the program out of nobody's reach): the caller skips. A child
// that runs but fails returns its error output, so the caller's check fails.
// Folders the child must reach need mode 0755 (see openToOthers).
std::optional<QByteArray> runSelfAsNobody(const QStringList& args);

// Lets other users traverse `dir` and read its files, as a normal user's home would.
void openToOthers(const QString& dir);

}  // namespace vireo::test
