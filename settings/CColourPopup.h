#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>

namespace vanemark {

// The palette that drops down from a CColourButton: 8 x 5 named colour boxes
// and a "More Colors..." row that opens the colour dialog. It tells its button
// about every change of selection and about how it ended, then deletes itself.
class CColourPopup : public QWidget {
    Q_OBJECT

public:
    static constexpr int boxSize = 18;

    CColourPopup(QWidget& owner, std::uint32_t start, QString text, std::string colorsFile);
    ~CColourPopup() override;

    // Shows the popup under the button (or above it when there is no room below).
    void Open();

    std::uint32_t StartColour() const { return startColour; }
    // A box 0 .. 39, palette::kMoreColors or palette::kNone.
    int Selection() const { return selection; }
    // The rectangle of a box or of the "More Colors..." row, in popup coordinates.
    QRect EntryRect(int entry) const;
    int EntryAt(const QPoint& point) const;

    // Where a popup of this size goes for a button at buttonRect (both global):
    // below its lower-left corner, shifted to stay inside the work area, and
    // above the button when it would stick out at the bottom.
    static QPoint Place(const QSize& popupSize, const QRect& buttonRect, const QRect& workArea);

Q_SIGNALS:
    // The selected entry changed; carries its colour (the start colour for
    // the "More Colors..." row and for no entry).
    void SelectionChanged(std::uint32_t colour);
    // Selection ended with a choice.
    void SelectionEnded(std::uint32_t colour);
    // Selection cancelled; carries the start colour.
    void SelectionCancelled(std::uint32_t colour);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ComputeLayout();
    void ChangeSelection(int entry);
    // Ends with the selected entry: a box ends with its colour, the
    // "More Colors..." row runs the colour dialog, nothing selected cancels.
    void EndSelection();
    void Finish(bool chosen, std::uint32_t colour);
    void RunColourDialog();
    std::uint32_t EntryColour(int entry) const;

    QWidget* button;
    std::uint32_t startColour;
    QString customText;
    std::string customColorsFile;
    int selection;
    int chosenBox; // the box showing the start colour, if any
    bool finished = false;

    int margin = 2;
    QPoint gridOrigin;
    QRect moreRect;
};

} // namespace vanemark
