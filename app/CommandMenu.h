#pragma once

#include <QAction>
#include <QMenu>

#include <functional>
#include <utility>
#include <vector>

namespace vanemark {

// A pop-up menu whose commands run after it has closed, so that a dialog a
// command opens is not nested in the menu's own event loop.
class CommandMenu {
public:
    explicit CommandMenu(QWidget* parent) : menu(parent) {}

    // Items are found by object name (tests drive the menu that way).
    QAction* Add(const QString& text, const char* name, std::function<void()> command)
    {
        QAction* action = menu.addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        commands.emplace_back(action, std::move(command));
        return action;
    }

    QMenu& Menu() { return menu; }

    // Shows the menu until it closes; the chosen item's command, or an empty one.
    std::function<void()> Exec(const QPoint& globalPos)
    {
        const QAction* chosen = menu.exec(globalPos);
        for (auto& [action, command] : commands) {
            if (action == chosen) {
                return std::move(command);
            }
        }
        return {};
    }

private:
    QMenu menu;
    std::vector<std::pair<QAction*, std::function<void()>>> commands;
};

} // namespace vanemark
