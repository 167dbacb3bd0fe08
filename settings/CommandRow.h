#pragma once

#include "config/CommandBindings.h"

#include <QCoreApplication>
#include <QString>

class QGridLayout;
class QKeySequenceEdit;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vanemark {

// The widgets of one command on the Commands page, one grid row: its name,
// the key combination with "Learn" and "Clear", and the joystick button with
// "Learn" and "Clear". Widgets are named after the command's key
// ("show hide hotkey", "show hide button learn", ...).
class CommandRow {
    Q_DECLARE_TR_FUNCTIONS(CommandRow)

public:
    CommandRow(QWidget& page, QGridLayout& grid, int row, settings::Command shown);
    CommandRow(const CommandRow&) = delete;
    CommandRow& operator=(const CommandRow&) = delete;

    settings::Command Command() const { return command; }
    QString Name() const;
    QPushButton& ButtonLearn() const { return *buttonLearn; }

    // As the settings file spells it ("Ctrl+Alt+H"); empty for none.
    std::string Hotkey() const;
    void SetHotkey(const std::string& keys);
    const settings::ButtonBinding& Button() const { return button; }
    void SetButton(const settings::ButtonBinding& binding);

    // "NAME, button N", "NAME, hat N up", or "None".
    static QString ButtonText(const settings::ButtonBinding& binding);

private:
    settings::Command command;
    settings::ButtonBinding button;
    QKeySequenceEdit* keysEdit = nullptr;
    QLineEdit* buttonField = nullptr;
    QPushButton* buttonLearn = nullptr;
};

} // namespace vanemark
