#include "settings/CommandRow.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace vanemark {

using settings::ButtonBinding;

namespace {

constexpr std::array<const char*, settings::kCommandCount> kNames = {
    QT_TRANSLATE_NOOP("CommandRow", "Show or hide the window"),
    QT_TRANSLATE_NOOP("CommandRow", "Lock or unlock"),
    QT_TRANSLATE_NOOP("CommandRow", "Start or stop recording"),
    QT_TRANSLATE_NOOP("CommandRow", "Scale up"),
    QT_TRANSLATE_NOOP("CommandRow", "Scale down"),
    QT_TRANSLATE_NOOP("CommandRow", "Show or hide hand markers"),
};

// Wide enough for "Thrustmaster T.16000M, hat 0 right" without the dialog
// jumping each time another one is learnt.
constexpr int kButtonChars = 30;

// Each key press the pilot makes here is a whole new combination, never the
// next part of a chord: a global hotkey is one combination.
class CombinationEdit final : public QKeySequenceEdit {
public:
    using QKeySequenceEdit::QKeySequenceEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        static constexpr std::array kModifiers{Qt::Key_Control, Qt::Key_Shift,   Qt::Key_Alt,    Qt::Key_Meta,
                                               Qt::Key_AltGr,   Qt::Key_Super_L, Qt::Key_Super_R};
        const bool modifier = std::find(kModifiers.begin(), kModifiers.end(), event->key()) != kModifiers.end();
        if (!modifier && !keySequence().isEmpty()) {
            clear();
        }
        QKeySequenceEdit::keyPressEvent(event);
    }
};

QPushButton* NewButton(QWidget& page, const QString& text, const QString& name)
{
    auto* button = new QPushButton(text, &page);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CommandRow::CommandRow(QWidget& page, QGridLayout& grid, int row, settings::Command shown) : command(shown)
{
    const QString key = QString::fromLatin1(settings::CommandKeyName(command));
    auto* nameLabel = new QLabel(Name(), &page);

    keysEdit = new CombinationEdit(&page);
    keysEdit->setObjectName(key + QStringLiteral(" hotkey"));
    nameLabel->setBuddy(keysEdit);
    auto* keysLearn = NewButton(page, tr("Learn"), key + QStringLiteral(" hotkey learn"));
    keysLearn->setToolTip(tr("Press the key combination now."));
    auto* keysClear = NewButton(page, tr("Clear"), key + QStringLiteral(" hotkey clear"));

    buttonField = new QLineEdit(&page);
    buttonField->setObjectName(key + QStringLiteral(" button"));
    buttonField->setReadOnly(true);
    buttonField->setMinimumWidth(page.fontMetrics().averageCharWidth() * kButtonChars);
    buttonLearn = NewButton(page, tr("Learn"), key + QStringLiteral(" button learn"));
    buttonLearn->setToolTip(tr("Press the joystick button now."));
    auto* buttonClear = NewButton(page, tr("Clear"), key + QStringLiteral(" button clear"));

    grid.addWidget(nameLabel, row, 0);
    grid.addWidget(keysEdit, row, 1);
    grid.addWidget(keysLearn, row, 2);
    grid.addWidget(keysClear, row, 3);
    grid.addWidget(buttonField, row, 4);
    grid.addWidget(buttonLearn, row, 5);
    grid.addWidget(buttonClear, row, 6);

    QObject::connect(keysLearn, &QPushButton::clicked, keysEdit, [this] {
        keysEdit->clear();
        keysEdit->setFocus(Qt::OtherFocusReason);
    });
    QObject::connect(keysClear, &QPushButton::clicked, keysEdit, [this] { keysEdit->clear(); });
    QObject::connect(buttonClear, &QPushButton::clicked, buttonField, [this] { SetButton({}); });
    SetButton({});
}

QString CommandRow::Name() const
{
    return tr(kNames[static_cast<std::size_t>(command)]);
}

QString CommandRow::ButtonText(const ButtonBinding& binding)
{
    if (!binding.Bound()) {
        return tr("None");
    }
    const QString name = QString::fromStdString(binding.device.name);
    switch (binding.hat) {
    case ButtonBinding::Up:
        return tr("%1, hat %2 up").arg(name).arg(binding.index);
    case ButtonBinding::Right:
        return tr("%1, hat %2 right").arg(name).arg(binding.index);
    case ButtonBinding::Down:
        return tr("%1, hat %2 down").arg(name).arg(binding.index);
    case ButtonBinding::Left:
        return tr("%1, hat %2 left").arg(name).arg(binding.index);
    case ButtonBinding::NoHat:
        break;
    }
    return tr("%1, button %2").arg(name).arg(binding.index);
}

std::string CommandRow::Hotkey() const
{
    return keysEdit->keySequence().toString(QKeySequence::PortableText).toStdString();
}

void CommandRow::SetHotkey(const std::string& keys)
{
    keysEdit->setKeySequence(QKeySequence::fromString(QString::fromStdString(keys), QKeySequence::PortableText));
}

void CommandRow::SetButton(const ButtonBinding& binding)
{
    button = binding;
    buttonField->setText(ButtonText(binding));
    buttonField->setToolTip(buttonField->text());
}

} // namespace vanemark
