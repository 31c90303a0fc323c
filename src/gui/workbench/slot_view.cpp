#include "gui/workbench/slot_view.h"

#include "core/artwork/convert.h"
#include "core/messages/role_names.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vireo::workbench::ui {

namespace {

constexpr int kThumbnailWidth = 120;

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
    layout->addWidget(new QLabel(QString::fromUtf8(roleName(source)), this));
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setFixedSize(kThumbnailWidth, 80);
    pictureLabel_->setAlignment(Qt::AlignCenter);
    layout->addWidget(pictureLabel_, 0, Qt::AlignHCenter);
    verdictLabel_ = new QLabel(this);
    layout->addWidget(verdictLabel_);
    verdictLabel_->setWordWrap(false);
    verdictLabel_->setMaximumWidth(kThumbnailWidth + 40);
    auto* buttons = new QHBoxLayout;
    chooseButton_ = new QPushButton(QStringLiteral("选择图片…"), this);
    chooseButton_->setObjectName(QStringLiteral("chooseButton"));
    buttons->addWidget(chooseButton_);
    remapButton_ = new QPushButton(
        artwork::isBackground(source) ? QStringLiteral("映射图标") : QStringLiteral("重新映射"),
        this);
    remapButton_->setObjectName(QStringLiteral("remapButton"));
    // Hidden, it keeps its room, so the slots do not change width when it shows.
    QSizePolicy policy = remapButton_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    remapButton_->setSizePolicy(policy);
    remapButton_->hide();
    buttons->addWidget(remapButton_);
    layout->addLayout(buttons);
    connect(chooseButton_, &QPushButton::clicked, this,
            [this] { emit chooseRequested(static_cast<int>(source_)); });
    connect(remapButton_, &QPushButton::clicked, this,
            [this] { emit remapRequested(static_cast<int>(source_)); });
}

void SlotView::setThumbnail(const QImage& picture) {
    thumbnail_ = picture;
    showPicture();
}

void SlotView::setMarks(const std::vector<bool>& marks) {
    marks_ = marks;
    showPicture();
}

void SlotView::showPicture() {
    shown_ = thumbnail_;
    if (shown_.isNull()) {
        pictureLabel_->setPixmap(QPixmap());
        return;
    }
    if (marks_.size() == std::size_t(shown_.width()) * std::size_t(shown_.height())) {
        // Half red over the player's colour: the pixel stays recognisable.
        for (int y = 0; y < shown_.height(); ++y) {
            for (int x = 0; x < shown_.width(); ++x) {
                if (!marks_[std::size_t(y) * std::size_t(shown_.width()) + std::size_t(x)])
                    continue;
                const QRgb c = shown_.pixel(x, y);
                shown_.setPixel(x, y, qRgb((qRed(c) + 255) / 2, qGreen(c) / 2, qBlue(c) / 2));
            }
        }
    }
    // Whole-number steps keep the pixels sharp: backgrounds halved, small
    // icons enlarged to the size of the large ones.
    const QSize size = shown_.width() > kThumbnailWidth
                           ? shown_.size() / 2
                           : shown_.size() * (images::kIconSide / shown_.width());
    pictureLabel_->setPixmap(
        QPixmap::fromImage(shown_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void SlotView::setVerdict(const QString& text, bool usable, const QString& details) {
    verdictLabel_->setText(verdictLabel_->fontMetrics().elidedText(text, Qt::ElideRight,
                                                                   verdictLabel_->maximumWidth()));
    verdictLabel_->setToolTip(details.isEmpty() ? text : details);
    verdictLabel_->setStyleSheet(usable ? QString() : QStringLiteral("color: #c00000"));
}

void SlotView::offerRemap(bool offered, const QString& explanation) {
    remapButton_->setToolTip(explanation);
    remapButton_->setVisible(offered);
}

QString SlotView::verdict() const {
    return verdictLabel_->toolTip();
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
