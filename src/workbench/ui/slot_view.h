#pragma once

#include "images/source_set.h"

#include <QFrame>
#include <QImage>

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
    void setVerdict(const QString& text, bool usable);
    QString verdict() const;

signals:
    // The slot travels as its index in images::kSourceSet.
    void fileOffered(int slot, const QString& path);
    void chooseRequested(int slot);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    images::Source source_;
    QImage thumbnail_;
    QLabel* pictureLabel_;
    QLabel* verdictLabel_;
    QPushButton* chooseButton_;
};

}  // namespace vireo::workbench::ui
