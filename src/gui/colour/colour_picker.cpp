#include "gui/colour/colour_picker.h"

#include "core/colour/colour.h"
#include "gui/colour/colour_widgets.h"
#include "gui/widgets/window_style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <optional>

namespace vireo::ui {

namespace {

const QString kCaption = QStringLiteral("调色板 v 1.0 by orrin");
constexpr int kRowTops[3] = {120, 480, 840};  // twips

// Applies a box's character filter to text that arrives whole (pasted,
// dropped, composed by an input method), as if each character were typed.
class TextFilter final : public QValidator {
public:
    TextFilter(std::function<std::string(const std::string&)> filter, QObject* parent)
        : QValidator(parent), filter_(std::move(filter)) {}

    State validate(QString& input, int& pos) const override {
        const QString kept = QString::fromStdString(filter_(input.toStdString()));
        if (kept != input) {
            pos = int(QString::fromStdString(filter_(input.left(pos).toStdString())).size());
            input = kept;
        }
        return Acceptable;
    }

private:
    std::function<std::string(const std::string&)> filter_;
};

// The character code a key press types, as a key filter sees it. Keys that
// type nothing (arrows, Delete, Tab) and shortcuts (Ctrl+C, Ctrl+V, ...) are
// left to the box; a paste still goes through the box's TextFilter.
std::optional<int> typedCode(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) return 8;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return 13;
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return std::nullopt;
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint()) return std::nullopt;
    return text.at(0).unicode();
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int width, int height) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    // Widened where this platform's font needs more room than the given width.
    label->setGeometry(px(left), px(top), std::max(px(width), label->sizeHint().width()),
                       px(height));
    return label;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLineEdit* makeBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                   int width, int height) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(px(left), px(top), px(width), px(height));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192));
    box->setPalette(palette);
    return box;
}

Swatch* makeSwatch(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* swatch = new Swatch(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setGeometry(px(left), px(top), px(width), px(height));
    return swatch;
}

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
    setUpWindow(this, QStringLiteral("Form3"), kCaption);

    makeChannelRows();
    makeColourArea();
    connectControls();

    setFixedSize(kClientWidth, kClientHeight);
}

void ColourPicker::makeChannelRows() {
    setTextColour(makeLabel(this, "RedLabel", QStringLiteral("红"), 120, 120, 180, 180),
                  QColor(255, 0, 0));
    setTextColour(makeLabel(this, "GreenLabel", QStringLiteral("绿"), 120, 480, 180, 180),
                  QColor(0, 128, 0));
    setTextColour(makeLabel(this, "BlueLabel", QStringLiteral("蓝"), 120, 840, 180, 180),
                  QColor(0, 0, 255));

    for (int i = 0; i < 3; ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(QStringLiteral("RGBValue%1").arg(i + 1));
        bar->setGeometry(px(360), px(kRowTops[i]), px(3015), px(255));
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(16);
        // While the thumb is dragged the value changes once, on release.
        bar->setTracking(false);
        channelBars_[i] = bar;

        auto* box = makeBox(this, QStringLiteral("RGBNumber%1").arg(i + 1), QStringLiteral("0"),
                            4560, kRowTops[i], 495, 285);
        box->setValidator(new TextFilter(colour::filterNumberText, box));
        box->installEventFilter(this);
        channelBoxes_[i] = box;
    }
    redSwatch_ = makeSwatch(this, "RedValue", 3600, 120, 735, 255);
    greenSwatch_ = makeSwatch(this, "GreenValue", 3600, 480, 735, 255);
    blueSwatch_ = makeSwatch(this, "BlueValue", 3600, 840, 735, 255);
}

void ColourPicker::makeColourArea() {
    paletteGrid_ = new PaletteGrid(this);
    paletteGrid_->setObjectName(QStringLiteral("Palette"));
    paletteGrid_->move(px(120), px(1200));

    makeLabel(this, "Label1", QStringLiteral("颜色...."), 3120, 1440, 720, 180);
    colourSwatch_ = makeSwatch(this, "Color", 4080, 1320, 975, 975);
    makeLabel(this, "Label2", QStringLiteral("对应值HEX"), 3120, 2520, 810, 180);
    hexBox_ =
        makeBox(this, QStringLiteral("ColorValue"), QStringLiteral("000000"), 4080, 2400, 975, 285);
    hexBox_->setValidator(new TextFilter(colour::filterHexText, hexBox_));
    hexBox_->installEventFilter(this);

    exitButton_ = new QPushButton(QStringLiteral("退出(&X)"), this);
    exitButton_->setObjectName(QStringLiteral("OkButton"));
    exitButton_->setGeometry(px(3120), px(2880), px(1935), px(375));
}

void ColourPicker::connectControls() {
    for (int i = 0; i < 3; ++i) {
        connect(channelBars_[i], &QScrollBar::valueChanged, this, &ColourPicker::refresh);
        connect(channelBoxes_[i], &QLineEdit::textChanged, this, [this, i] { numberChanged(i); });
    }
    connect(redSwatch_, &Swatch::clicked, this, [this] { isolateChannel(0); });
    connect(greenSwatch_, &Swatch::clicked, this, [this] { isolateChannel(1); });
    connect(blueSwatch_, &Swatch::clicked, this, [this] { isolateChannel(2); });
    connect(paletteGrid_, &PaletteGrid::pressed, this, &ColourPicker::palettePressed);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
}

bool ColourPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* box = qobject_cast<QLineEdit*>(watched);
    const auto code = typedCode(static_cast<QKeyEvent*>(event));
    if (box == nullptr || !code) return QWidget::eventFilter(watched, event);

    int passed = 0;
    if (box == hexBox_) {
        if (*code == 13) {
            applyHexText();
            return true;
        }
        passed = colour::filterHexKey(*code);
    } else {
        passed = colour::filterNumberKey(*code);
    }
    if (passed == 0) return true;         // discarded
    if (passed == *code) return false;    // typed as is
    box->insert(QString(QChar(passed)));  // replaced
    return true;
}

void ColourPicker::refresh() {
    const int red = channelBars_[0]->value();
    const int green = channelBars_[1]->value();
    const int blue = channelBars_[2]->value();
    for (int i = 0; i < 3; ++i)
        channelBoxes_[i]->setText(QString::number(channelBars_[i]->value()));
    redSwatch_->setColour(QColor(red, 0, 0));
    greenSwatch_->setColour(QColor(0, green, 0));
    blueSwatch_->setColour(QColor(0, 0, blue));
    colourSwatch_->setColour(QColor(red, green, blue));
    const QColor shown = colourSwatch_->colour();
    const auto packed = colour::pack({shown.red(), shown.green(), shown.blue()});
    hexBox_->setText(QString::fromStdString(colour::hexText(packed)));
}

void ColourPicker::numberChanged(int index) {
    QLineEdit* box = channelBoxes_[index];
    if (box->text().isEmpty()) {
        setChannel(index, 0);
        return;
    }
    // Rewriting the text raises this handler again, which sets the channel.
    if (const auto clamped = colour::clampedNumberText(box->text().toStdString()))
        box->setText(QString::fromStdString(*clamped));
    setChannel(index, colour::numberBoxValue(box->text().toStdString()));
}

void ColourPicker::setChannel(int index, int value) {
    channelBars_[index]->setValue(value);
}

void ColourPicker::isolateChannel(int kept) {
    for (int i = 0; i < 3; ++i)
        if (i != kept) setChannel(i, 0);
}

void ColourPicker::palettePressed(QPointF position) {
    const auto picked = colour::paletteColour(colour::paletteKey(position.x(), position.y()));
    setChannel(0, picked.red);
    setChannel(1, picked.green);
    setChannel(2, picked.blue);
}

void ColourPicker::applyHexText() {
    const auto entry = colour::applyHexText(hexBox_->text().toStdString());
    hexBox_->setText(QString::fromStdString(entry.text));
    setChannel(0, entry.colour.red);
    setChannel(1, entry.colour.green);
    setChannel(2, entry.colour.blue);
}

}  // namespace vireo::ui
