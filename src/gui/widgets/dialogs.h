#pragma once

#include "core/artwork/fit.h"
#include "core/images/picture.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vireo::ui {

// How a picture is brought to its slot's size and, for a covering fit, the part shown.
struct Framing {
    artwork::Fit fit = artwork::Fit::Cover;
    artwork::Frame frame;
};

// The question of a picture's framing in a slot.
struct FramingQuestion {
    QString text;     // what is asked, the two sizes named
    QSize target;     // the slot's size
    bool background;  // contained, its margins take the picture's edge colour, not transparency
    Framing initial;  // where the choice starts
};

// The platform's open-file dialog and message box. Windows ask through this
// seam so that every action can be driven headless with scripted replies.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows an open-file dialog. `filter` is in Qt's "Description (patterns)"
    // form; `initialPath` is a file name, with or without a folder.
    // Returns the chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                            const QString& initialPath) = 0;

    // Shows a save-file dialog, as openFile does, with `caption` saying what
    // the path is for; the chosen path may not exist yet.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                            const QString& filter, const QString& initialPath) = 0;

    // A modal message with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;

    // A modal question with one button per answer, the first the default.
    // Returns the index of the answer chosen, or nothing when the box was
    // closed without one (which counts as cancelling).
    virtual std::optional<int> ask(QWidget* parent, const QString& text,
                                   const QStringList& answers) = 0;

    // A modal form of one line of text per label, filled with `values`.
    // Returns the texts as edited, or nothing when the user cancelled.
    virtual std::optional<QStringList> fillIn(QWidget* parent, const QString& title,
                                              const QStringList& labels,
                                              const QStringList& values) = 0;

    // Shows `picture` (decoded, maybe scaled down) with the part of it the
    // slot will show, to be moved and zoomed, and asks how to fit it.
    // Returns the choice, or nothing when the user cancelled.
    virtual std::optional<Framing> chooseFraming(QWidget* parent, const images::RgbaImage& picture,
                                                 const FramingQuestion& question) = 0;

    // A colour chooser with an eyedropper on the screen, starting at `initial`.
    // Returns the colour chosen, or nothing when the user cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QString& title,
                                               const QColor& initial) = 0;
};

// Where a file dialog given `initialPath` starts: a path with a folder as it
// is; a bare name (or nothing) in `lastFolder`, the folder of the last choice,
// else in `home`, joined with a separator. Never in the current folder, which
// for a program started from a menu is wherever the menu put it.
QString dialogStartPath(const QString& initialPath, const QString& lastFolder, const QString& home);

// The real dialogs, QFileDialog and QMessageBox. Each file dialog starts in
// the folder of the last file chosen in any of them.
class QtDialogs final : public Dialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialPath) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& initialPath) override;
    void message(QWidget* parent, const QString& text) override;
    std::optional<int> ask(QWidget* parent, const QString& text,
                           const QStringList& answers) override;
    std::optional<QStringList> fillIn(QWidget* parent, const QString& title,
                                      const QStringList& labels,
                                      const QStringList& values) override;
    std::optional<Framing> chooseFraming(QWidget* parent, const images::RgbaImage& picture,
                                         const FramingQuestion& question) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QString& title,
                                       const QColor& initial) override;

private:
    QString startPath(const QString& initialPath) const;
    std::optional<QString> chosen(const QString& path);

    QString lastFolder_;
};

// The title of every message box.
QString applicationTitle();

}  // namespace vireo::ui
