#include "settings/CColourPopup.h"

#include "settings/ColourPalette.h"
#include "settings/ColourRef.h"
#include "settings/CustomColours.h"
#include "settings/SaveFailure.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QToolTip>

namespace vanemark {

namespace {

constexpr int kTextMargin = 4;
constexpr int kSwatchInset = 3;

} // namespace

CColourPopup::CColourPopup(QWidget& owner, std::uint32_t start, QString text, std::string colorsFile)
    : QWidget(&owner, Qt::Popup), button(&owner), startColour(start), customText(std::move(text)),
      customColorsFile(std::move(colorsFile)), selection(palette::IndexOf(start)), chosenBox(selection)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Menu colours, as a drop-down palette is a kind of menu.
    setPalette(QApplication::palette("QMenu"));
    setObjectName(QStringLiteral("colourPopup"));
    ComputeLayout();

    // Switching to another application ends the selection, as it closes menus.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible()) {
            Finish(false, startColour);
        }
    });
}

CColourPopup::~CColourPopup() = default;

void CColourPopup::ComputeLayout()
{
    margin = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    margin = std::max(margin, 2);
    const QFontMetrics metrics = fontMetrics();
    const int gridWidth = palette::kColumns * boxSize;
    const int gridHeight = palette::kRows * boxSize;
    const int textWidth = metrics.horizontalAdvance(customText) + 4 * kTextMargin;
    const int innerWidth = std::max(gridWidth, textWidth);
    const int rowHeight = metrics.height() + 2 * kTextMargin;

    gridOrigin = QPoint(margin + (innerWidth - gridWidth) / 2, margin);
    moreRect = QRect(margin, margin + gridHeight + kTextMargin, innerWidth, rowHeight);
    setFixedSize(innerWidth + 2 * margin, moreRect.bottom() + 1 + margin);
}

QRect CColourPopup::EntryRect(int entry) const
{
    if (entry == palette::kMoreColors) {
        return moreRect;
    }
    if (entry < 0 || entry >= palette::kCount) {
        return {};
    }
    return {gridOrigin.x() + (entry % palette::kColumns) * boxSize,
            gridOrigin.y() + (entry / palette::kColumns) * boxSize, boxSize, boxSize};
}

int CColourPopup::EntryAt(const QPoint& point) const
{
    if (moreRect.contains(point)) {
        return palette::kMoreColors;
    }
    const QPoint local = point - gridOrigin;
    if (local.x() < 0 || local.y() < 0) {
        return palette::kNone;
    }
    const int column = local.x() / boxSize;
    const int row = local.y() / boxSize;
    if (column >= palette::kColumns || row >= palette::kRows) {
        return palette::kNone;
    }
    return row * palette::kColumns + column;
}

std::uint32_t CColourPopup::EntryColour(int entry) const
{
    if (entry >= 0 && entry < palette::kCount) {
        return palette::Entries()[static_cast<std::size_t>(entry)].colour;
    }
    return startColour;
}

QPoint CColourPopup::Place(const QSize& popupSize, const QRect& buttonRect, const QRect& workArea)
{
    QPoint pos(buttonRect.left(), buttonRect.top() + buttonRect.height());
    if (pos.x() + popupSize.width() > workArea.left() + workArea.width()) {
        pos.setX(workArea.left() + workArea.width() - popupSize.width());
    }
    if (pos.x() < workArea.left()) {
        pos.setX(workArea.left());
    }
    if (pos.y() + popupSize.height() > workArea.top() + workArea.height()) {
        pos.setY(buttonRect.top() - popupSize.height());
    }
    return pos;
}

void CColourPopup::Open()
{
    const QRect buttonRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    QScreen* screen = QGuiApplication::screenAt(buttonRect.center());
    if (!screen) {
        screen = button->screen();
    }
    const QRect workArea = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), buttonRect.size() * 64);
    move(Place(size(), buttonRect, workArea));
    show();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

void CColourPopup::ChangeSelection(int entry)
{
    if (entry == selection) {
        return;
    }
    const int previous = selection;
    selection = entry;
    update(EntryRect(previous).adjusted(-1, -1, 1, 1));
    update(EntryRect(selection).adjusted(-1, -1, 1, 1));
    Q_EMIT SelectionChanged(EntryColour(selection));
}

void CColourPopup::EndSelection()
{
    if (selection == palette::kMoreColors) {
        // The dialog is modal: run it once this event is done and the
        // popup has let go of mouse and keyboard.
        hide();
        QTimer::singleShot(0, this, [this] { RunColourDialog(); });
        return;
    }
    if (selection >= 0 && selection < palette::kCount) {
        Finish(true, EntryColour(selection));
    } else {
        Finish(false, startColour);
    }
}

void CColourPopup::RunColourDialog()
{
    CustomColourSet custom = LoadCustomColours(customColorsFile);
    for (std::size_t i = 0; i < custom.size(); ++i) {
        QColorDialog::setCustomColor(static_cast<int>(i), ToQColor(custom[i]));
    }

    // Qt's own dialog on every platform: native ones may ignore the custom colours.
    QColorDialog dialog(ToQColor(startColour), button->window());
    dialog.setObjectName(QStringLiteral("moreColorsDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;

    // Kept also when the dialog was cancelled: custom colours are edited in place.
    for (std::size_t i = 0; i < custom.size(); ++i) {
        custom[i] = FromQColor(QColorDialog::customColor(static_cast<int>(i)));
    }
    std::string reason;
    if (SaveCustomColours(customColorsFile, custom, &reason) != 0) {
        ShowSaveFailure(button->window(), customColorsFile, reason);
    }

    if (accepted) {
        Finish(true, FromQColor(dialog.selectedColor()));
    } else {
        Finish(false, startColour);
    }
}

void CColourPopup::Finish(bool chosen, std::uint32_t colour)
{
    if (finished) {
        return;
    }
    finished = true;
    if (chosen) {
        Q_EMIT SelectionEnded(colour);
    } else {
        Q_EMIT SelectionCancelled(startColour);
    }
    close();
}

bool CColourPopup::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int entry = EntryAt(help->pos());
        if (entry >= 0) {
            const auto name = palette::Entries()[static_cast<std::size_t>(entry)].name;
            QToolTip::showText(help->globalPos(), QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                               this, EntryRect(entry));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void CColourPopup::mouseMoveEvent(QMouseEvent* event)
{
    ChangeSelection(EntryAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CColourPopup::mouseReleaseEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint())) {
        Finish(false, startColour);
        return;
    }
    ChangeSelection(EntryAt(event->position().toPoint()));
    EndSelection();
}

void CColourPopup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        ChangeSelection(palette::Step(selection, palette::Move::Left));
        break;
    case Qt::Key_Right:
        ChangeSelection(palette::Step(selection, palette::Move::Right));
        break;
    case Qt::Key_Up:
        ChangeSelection(palette::Step(selection, palette::Move::Up));
        break;
    case Qt::Key_Down:
        ChangeSelection(palette::Step(selection, palette::Move::Down));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        EndSelection();
        break;
    case Qt::Key_Escape:
        Finish(false, startColour);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CColourPopup::closeEvent(QCloseEvent* event)
{
    // Qt closes a popup by itself on a click outside it; that cancels.
    if (!finished && isVisible()) {
        finished = true;
        Q_EMIT SelectionCancelled(startColour);
    }
    QWidget::closeEvent(event);
}

void CColourPopup::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));

    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_FrameMenu, &frame, &painter, this);

    const QColor highlight = colours.color(QPalette::Highlight);
    QColor highlightFill = highlight;
    highlightFill.setAlpha(70);
    const QColor swatchFrame = colours.color(QPalette::Dark);

    for (int entry = 0; entry < palette::kCount; ++entry) {
        const QRect box = EntryRect(entry);
        if (entry == selection) {
            painter.fillRect(box, highlightFill);
            painter.setPen(highlight);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        } else if (entry == chosenBox) {
            // The colour the button holds, pressed in.
            painter.setPen(colours.color(QPalette::Shadow));
            painter.drawLine(box.topLeft(), box.topRight());
            painter.drawLine(box.topLeft(), box.bottomLeft());
            painter.setPen(colours.color(QPalette::Light));
            painter.drawLine(box.bottomLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomRight());
        }
        const QRect swatch = box.adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
        painter.fillRect(swatch, ToQColor(palette::Entries()[static_cast<std::size_t>(entry)].colour));
        painter.setPen(swatchFrame);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }

    // The separator and the "More Colors..." row.
    const int lineY = moreRect.top() - kTextMargin / 2 - 1;
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(moreRect.left() + 1, lineY, moreRect.right() - 1, lineY);
    QColor textColour = colours.color(QPalette::WindowText);
    if (selection == palette::kMoreColors) {
        painter.fillRect(moreRect, highlight);
        textColour = colours.color(QPalette::HighlightedText);
    }
    painter.setPen(textColour);
    painter.drawText(moreRect, Qt::AlignCenter, customText);
}

} // namespace vanemark
