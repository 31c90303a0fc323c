#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vireo::ui {

class PaletteGrid;
class Swatch;

// The colour picker, Form3. Its whole state is the values of the three scroll
// bars (red, green, blue); every other control shows them and sets them.
//
// The displays stay consistent through change events alone: QScrollBar emits
// valueChanged and QLineEdit textChanged only when the value or text really
// changes, also when the program sets it, so setting a control to what it
// already shows ends a chain of updates.
class ColourPicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 345;
    static constexpr int kClientHeight = 220;

    explicit ColourPicker(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The parts of the window, made once by the constructor.
    void makeChannelRows();  // the red, green and blue bars, boxes and swatches
    void makeColourArea();   // the palette, the colour swatch, the HEX box and the exit button
    void connectControls();
    void refresh();                 // RGBValue change
    void numberChanged(int index);  // RGBNumber change
    void setChannel(int index, int value);
    void isolateChannel(int kept);  // RedValue, GreenValue, BlueValue click
    void palettePressed(QPointF position);
    void applyHexText();  // Enter in ColorValue

    // Index 0, 1, 2 are red, green, blue, as members 1, 2, 3 of the control
    // arrays RGBValue and RGBNumber.
    QScrollBar* channelBars_[3] = {};     // RGBValue1 to 3: the state itself
    QLineEdit* channelBoxes_[3] = {};     // RGBNumber1 to 3
    Swatch* redSwatch_ = nullptr;         // RedValue
    Swatch* greenSwatch_ = nullptr;       // GreenValue
    Swatch* blueSwatch_ = nullptr;        // BlueValue
    PaletteGrid* paletteGrid_ = nullptr;  // Palette
    Swatch* colourSwatch_ = nullptr;      // Color
    QLineEdit* hexBox_ = nullptr;         // ColorValue
    QPushButton* exitButton_ = nullptr;   // OkButton
};

}  // namespace vireo::ui
