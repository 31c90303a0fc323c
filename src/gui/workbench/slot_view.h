#pragma once

#include "core/images/source_set.h"

#include <QFrame>
#include <QImage>

#include <vector>

class QLabel;
class QPushButton;

namespace vireo::workbench::ui {

// One of the twelve source pictures: its thumbnail as the player shows it,
// a one-line verdict, and the ways to put another picture in: drop a file on
// it or choose one.
class SlotView : public QFrame {
    Q_OBJECT

public:
    SlotView(images::Source source, QWidget* parent = nullptr);

    images::Source source() const { return source_; }
    void setThumbnail(const QImage& picture);
    const QImage& thumbnail() const { return thumbnail_; }
    // Pixels, row by row like the thumbnail, that the player draws in another
    // colour than the picture's own; drawn marked over the thumbnail.
    void setMarks(const std::vector<bool>& marks);
    // The thumbnail as shown, marks included.
    const QImage& shown() const { return shown_; }
    void setVerdict(const QString& text, bool usable, const QString& details);
    // The verdict in full: the line shown, or every finding with its fix.
    QString verdict() const;
    // Shows or hides the remap button: an icon's own, a background's for
    // the icons drawn with it.
    void offerRemap(bool offered, const QString& explanation);

signals:
    // The slot travels as its index in images::kSourceSet.
    void fileOffered(int slot, const QString& path);
    void chooseRequested(int slot);
    void remapRequested(int slot);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showPicture();

    images::Source source_;
    QImage thumbnail_;
    std::vector<bool> marks_;
    QImage shown_;
    QLabel* pictureLabel_;
    QLabel* verdictLabel_;
    QPushButton* chooseButton_;
    QPushButton* remapButton_;
};

}  // namespace vireo::workbench::ui
