#include "workbench/ui/slot_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vireo::workbench::ui {

namespace {

// The one local file a drop carries, if it carries exactly that.
QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

SlotView::SlotView(images::Source source, QWidget* parent) : QFrame(parent), source_(source) {
    const auto& image = images::sourceImage(source);
    setObjectName(QStringLiteral("slot_") + QString::fromLatin1(image.pathLabel));
    setFrameShape(QFrame::StyledPanel);
    setAcceptDrops(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(QString::fromUtf8(image.role), this));
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setFixedSize(120, 80);
    pictureLabel_->setAlignment(Qt::AlignCenter);
    layout->addWidget(pictureLabel_);
    verdictLabel_ = new QLabel(this);
    layout->addWidget(verdictLabel_);
    chooseButton_ = new QPushButton(QStringLiteral("选择图片…"), this);
    layout->addWidget(chooseButton_);
    connect(chooseButton_, &QPushButton::clicked, this, [this] { emit chooseRequested(static_cast<int>(source_)); });
}

void SlotView::setThumbnail(const QImage& picture) {
    thumbnail_ = picture;
    if (picture.isNull()) {
        pictureLabel_->setPixmap(QPixmap());
        return;
    }
    // Halved backgrounds and whole icons keep the pixels sharp.
    const int scale = picture.width() > 120 ? 2 : 1;
    pictureLabel_->setPixmap(QPixmap::fromImage(
        picture.scaled(picture.width() / scale, picture.height() / scale, Qt::IgnoreAspectRatio,
                       Qt::FastTransformation)));
}

void SlotView::setVerdict(const QString& text, bool usable) {
    verdictLabel_->setText(text);
    verdictLabel_->setStyleSheet(usable ? QString() : QStringLiteral("color: #c00000"));
}

QString SlotView::verdict() const {
    return verdictLabel_->text();
}

void SlotView::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void SlotView::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    emit fileOffered(static_cast<int>(source_), path);
}

}  // namespace vireo::workbench::ui
