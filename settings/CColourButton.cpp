#include "settings/CColourButton.h"

#include "settings/CColourPopup.h"
#include "settings/ColourRef.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vanemark {

CColourButton::CColourButton(QWidget* parent) : QPushButton(tr("Color"), parent), customText(tr("More Colors..."))
{
    // The colour of an empty workspace: what a button without a colour shows.
    defaultColour = palette().color(QPalette::Mid);
    setAutoDefault(false);
    setAttribute(Qt::WA_Hover);
    connect(this, &QPushButton::clicked, this, &CColourButton::ShowPopup);
}

CColourButton::~CColourButton()
{
    delete popup.data();
}

CColourPopup* CColourButton::Popup() const
{
    return popup.data();
}

void CColourButton::SetColor(std::uint32_t value)
{
    colour = value;
    update();
}

void CColourButton::SetCustomColorsFile(std::string path)
{
    customColorsFile = std::move(path);
}

void CColourButton::SetTrackSelection(bool on)
{
    trackSelection = on;
}

void CColourButton::ShowPopup()
{
    if (popup) {
        return;
    }
    popupOpen = true;
    popup = new CColourPopup(*this, colour, customText, customColorsFile);
    connect(popup, &CColourPopup::SelectionChanged, this, &CColourButton::OnSelChange);
    connect(popup, &CColourPopup::SelectionEnded, this, &CColourButton::OnSelEndOK);
    connect(popup, &CColourPopup::SelectionCancelled, this, &CColourButton::OnSelEndCancel);
    update();
    popup->Open();
}

void CColourButton::OnSelChange(std::uint32_t value)
{
    if (trackSelection) {
        SetColor(value);
    }
}

void CColourButton::OnSelEndOK(std::uint32_t value)
{
    popupOpen = false;
    popup = nullptr; // it deletes itself
    SetColor(value);
    Q_EMIT colourPicked(value);
    setFocus(Qt::PopupFocusReason);
}

void CColourButton::OnSelEndCancel(std::uint32_t value)
{
    popupOpen = false;
    popup = nullptr;
    SetColor(value);
    setFocus(Qt::PopupFocusReason);
}

void CColourButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_F4:
        ShowPopup();
        event->accept();
        return;
    case Qt::Key_Up:
        // Would otherwise move the focus to the previous control.
        event->accept();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

void CColourButton::enterEvent(QEnterEvent* event)
{
    hot = true;
    update();
    QPushButton::enterEvent(event);
}

void CColourButton::leaveEvent(QEvent* event)
{
    hot = false;
    update();
    QPushButton::leaveEvent(event);
}

QSize CColourButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    QStyleOptionButton option;
    initStyleOption(&option);
    const int arrow = style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, this);
    const QSize content(metrics.height() * 2 + arrow + 6, metrics.height() + 2);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

QSize CColourButton::minimumSizeHint() const
{
    return sizeHint();
}

void CColourButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    DrawItem(painter);
}

void CColourButton::DrawItem(QPainter& painter)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    option.features &= ~QStyleOptionButton::HasMenu;
    if (hot && isEnabled()) {
        option.state |= QStyle::State_MouseOver;
    }
    if (popupOpen) {
        option.state |= QStyle::State_Sunken | QStyle::State_On;
    }
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int arrowWidth = style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.state = option.state;
    arrow.rect = QRect(content.right() - arrowWidth + 1, content.top(), arrowWidth, content.height());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);

    QRect swatch(content.left() + 2, content.top() + 2, content.width() - arrowWidth - 6, content.height() - 4);
    if (popupOpen) { // follow the pressed face
        swatch.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                         style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    if (swatch.width() <= 0 || swatch.height() <= 0) {
        return;
    }
    QColor fill = colour == noColour ? defaultColour : ToQColor(colour);
    if (!isEnabled()) {
        fill = palette().color(QPalette::Disabled, QPalette::Button);
    }
    painter.fillRect(swatch, fill);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

} // namespace vanemark
