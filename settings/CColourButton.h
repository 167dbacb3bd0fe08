#pragma once

#include <QColor>
#include <QPointer>
#include <QPushButton>

#include <cstdint>
#include <string>

namespace vanemark {

class CColourPopup;

// A push button that shows a colour swatch with a drop-down arrow and, when
// pressed, drops down the palette popup. Colours are 0x00BBGGRR.
class CColourButton : public QPushButton {
    Q_OBJECT

public:
    // A colour value that stands for "no colour of its own": shown in defaultColour.
    static constexpr std::uint32_t noColour = 0xFF000000u;

    explicit CColourButton(QWidget* parent = nullptr);
    ~CColourButton() override;

    virtual std::uint32_t GetColor() const { return colour; }
    // Stores the colour and repaints.
    virtual void SetColor(std::uint32_t value);
    // The file that keeps the colour dialog's 16 custom colours; empty keeps none.
    virtual void SetCustomColorsFile(std::string path);
    // With track selection on, the button follows the popup's selection while it is open.
    virtual void SetTrackSelection(bool on);

    const std::string& CustomColorsFile() const { return customColorsFile; }
    bool PopupOpen() const { return popupOpen; }
    // The open popup, or nullptr.
    CColourPopup* Popup() const;

    // Drops the popup down with the current colour as its start.
    void ShowPopup();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The colour changed through the popup (not through SetColor alone).
    void colourPicked(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // Draws the face: a push button with the swatch and the drop-down arrow.
    virtual void DrawItem(QPainter& painter);

private:
    void OnSelChange(std::uint32_t value);
    void OnSelEndOK(std::uint32_t value);
    void OnSelEndCancel(std::uint32_t value);

    std::uint32_t colour = 0;
    QColor defaultColour;
    QString customText;
    bool popupOpen = false;
    bool trackSelection = false;
    bool hot = false;
    std::string customColorsFile;
    QPointer<CColourPopup> popup;
};

} // namespace vanemark
