#include "settings/CommandRow.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace vanemark {

using settings::ButtonBinding;

namespace {

// The rows' texts belong to the page that shows them.
constexpr const char* kContext = "vanemark::CCommandsPage";
constexpr std::array<const char*, settings::kCommandCount> kNames = {
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Show or hide the window"),
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Lock or unlock"),
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Start or stop recording"),
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Scale up"),
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Scale down"),
    QT_TRANSLATE_NOOP("vanemark::CCommandsPage", "Show or hide hand markers"),
};

// Wide enough for "Thrustmaster T.16000M, hat 0 right" without the dialog
// jumping each time another one is learnt.
constexpr int kButtonChars = 30;

QString Tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

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

    keysEdit = new QKeySequenceEdit(&page);
    keysEdit->setObjectName(key + QStringLiteral(" hotkey"));
    nameLabel->setBuddy(keysEdit);
    auto* keysLearn = NewButton(page, Tr("Learn"), key + QStringLiteral(" hotkey learn"));
    keysLearn->setToolTip(Tr("Press the key combination now."));
    auto* keysClear = NewButton(page, Tr("Clear"), key + QStringLiteral(" hotkey clear"));

    buttonField = new QLineEdit(&page);
    buttonField->setObjectName(key + QStringLiteral(" button"));
    buttonField->setReadOnly(true);
    buttonField->setMinimumWidth(page.fontMetrics().averageCharWidth() * kButtonChars);
    buttonLearn = NewButton(page, Tr("Learn"), key + QStringLiteral(" button learn"));
    buttonLearn->setToolTip(Tr("Press the joystick button now."));
    auto* buttonClear = NewButton(page, Tr("Clear"), key + QStringLiteral(" button clear"));

    grid.addWidget(nameLabel, row, 0);
    grid.addWidget(keysEdit, row, 1);
    grid.addWidget(keysLearn, row, 2);
    grid.addWidget(keysClear, row, 3);
    grid.addWidget(buttonField, row, 4);
    grid.addWidget(buttonLearn, row, 5);
    grid.addWidget(buttonClear, row, 6);

    QObject::connect(keysEdit, &QKeySequenceEdit::keySequenceChanged, keysEdit, [this] { KeysChanged(); });
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
    return Tr(kNames[static_cast<std::size_t>(command)]);
}

QString CommandRow::ButtonText(const ButtonBinding& binding)
{
    if (!binding.Bound()) {
        return Tr("None");
    }
    const QString name = QString::fromStdString(binding.device.name);
    switch (binding.hat) {
    case ButtonBinding::Up:
        return Tr("%1, hat %2 up").arg(name).arg(binding.index);
    case ButtonBinding::Right:
        return Tr("%1, hat %2 right").arg(name).arg(binding.index);
    case ButtonBinding::Down:
        return Tr("%1, hat %2 down").arg(name).arg(binding.index);
    case ButtonBinding::Left:
        return Tr("%1, hat %2 left").arg(name).arg(binding.index);
    case ButtonBinding::NoHat:
        break;
    }
    return Tr("%1, button %2").arg(name).arg(binding.index);
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

void CommandRow::KeysChanged()
{
    // A hotkey is one combination: the edit would go on to record a chord of four.
    const QKeySequence keys = keysEdit->keySequence();
    if (keys.count() > 1) {
        keysEdit->setKeySequence(QKeySequence(keys[0]));
    }
    if (!keys.isEmpty()) {
        keysEdit->clearFocus();
    }
}

} // namespace vanemark
