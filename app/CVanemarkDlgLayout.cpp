#include "app/CVanemarkDlg.h"

#include "app/CommandMenu.h"
#include "app/EditMode.h"
#include "config/AircraftLayout.h"
#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"
#include "settings/SaveFailure.h"

#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

#include <array>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace vanemark {

namespace {

// Object names of the area commands, in LayoutEdit::Command order.
// Indexed by LayoutEdit::Command. Sized by its initialiser, so that a
// command added without its name fails to compile instead of reading past.
constexpr std::array kCommandNames{"hide", "show", "up", "down", "left", "right", "full", "dual"};
static_assert(kCommandNames.size() == LayoutEdit::kCommandCount);

} // namespace

void CVanemarkDlg::FollowAircraft()
{
    // While editing, the switch waits for the end of the edit, so no
    // arrangement is lost to a change of aircraft.
    if (!editMode) {
        ShowLayout(settings::ChooseLayoutFile(settingsFileName, aircraftOutput.Aircraft(), pilotLayout));
    }
}

void CVanemarkDlg::ShowLayout(const std::string& file)
{
    if (file == layoutInUse) {
        return;
    }
    layoutInUse = file;
    panel->LoadLayout(file);
    const LayoutWindowSize size = vanemark::ReadWindowSize(file);
    windowSize = {size.cx, size.cy};
    ResizeInPlace();
}

void CVanemarkDlg::ResizeInPlace()
{
    // A new size redraws through the resize; drawing before it as well would
    // show the new layout in the old frame for a moment.
    const QSize before = size();
    PlaceAt(pos());
    if (size() == before || !isVisible()) {
        panel->Refresh();
    }
}

void CVanemarkDlg::SetEditing(bool on)
{
    if (on == Editing()) {
        return;
    }
    if (on) {
        dragging = false;
        editMode = std::make_unique<EditMode>(layoutInUse);
        panel->SetEditOverlay(&editMode->Model());
        panel->Refresh();
        return;
    }
    if (editMode->Model().Changed()) {
        const auto answer =
            QMessageBox::question(this, tr("Edit layout"), tr("Save the changes to the layout?"),
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !SaveEdit())) {
            return;
        }
        if (answer == QMessageBox::Discard) {
            CancelEdit();
        }
    }
    panel->SetEditOverlay(nullptr);
    editMode.reset();
    const std::string wanted = settings::ChooseLayoutFile(settingsFileName, aircraftOutput.Aircraft(), pilotLayout);
    if (wanted != layoutInUse) {
        ShowLayout(wanted);
    } else {
        panel->Refresh();
    }
}

void CVanemarkDlg::ApplyEdit()
{
    const LayoutModel& model = editMode->Model();
    panel->SetLayout(model.PanelGeometry(panel->Layout()));
    for (std::size_t i = 0; i < BarCount; ++i) {
        const auto bar = static_cast<BarIndex>(i);
        panel->SetBar(bar, model.Bar(bar, panel->Bar(bar).Settings()));
    }
    const QSize wanted(model.WindowSize().cx, model.WindowSize().cy);
    if (wanted != windowSize) {
        windowSize = wanted;
        ResizeInPlace();
    } else {
        panel->Refresh();
    }
}

void CVanemarkDlg::CancelEdit()
{
    editMode->Edit().Release();
    editMode->Model().Cancel();
    // The file is what the model went back to: reading it again restores
    // exactly what the panel showed before the edit.
    layoutInUse.clear();
    ShowLayout(editMode->Model().File());
}

bool CVanemarkDlg::SaveEdit()
{
    std::string error;
    if (editMode->Model().Save(&error) != 0) {
        ShowSaveFailure(this, editMode->Model().File(), error);
        return false;
    }
    return true;
}

void CVanemarkDlg::SaveEditForAircraft(const std::string& file)
{
    std::string error;
    if (editMode->Model().SaveAs(file, &error) != 0) {
        ShowSaveFailure(this, file, error);
        return;
    }
    layoutInUse = file;
}

bool CVanemarkDlg::EditMousePress(QMouseEvent* e)
{
    if (!editMode) {
        return false;
    }
    if (e->button() == Qt::LeftButton) {
        editMode->Edit().Press(EditMode::ToBase(e->position().toPoint(), overlay.scale));
    } else if (e->button() == Qt::RightButton) {
        editMode->Edit().Release();
        ShowEditMenu(e->globalPosition().toPoint());
    }
    return true;
}

bool CVanemarkDlg::EditMouseMove(QMouseEvent* e)
{
    if (!editMode) {
        return false;
    }
    if (editMode->Edit().Dragging() && (e->buttons() & Qt::LeftButton)) {
        const int step = (e->modifiers() & Qt::ShiftModifier) ? LayoutEdit::kShiftStep : 1;
        if (editMode->Edit().Drag(EditMode::ToBase(e->position().toPoint(), overlay.scale), step)) {
            ApplyEdit();
        }
    }
    return true;
}

bool CVanemarkDlg::EditMouseRelease(QMouseEvent* e)
{
    if (!editMode) {
        return false;
    }
    if (e->button() == Qt::LeftButton) {
        editMode->Edit().Release();
    }
    return true;
}

void CVanemarkDlg::ShowEditMenu(const QPoint& globalPos)
{
    CommandMenu menu(this);
    const auto add = [&menu](const QString& text, const char* name, std::function<void()> command) {
        return menu.Add(text, name, std::move(command));
    };
    const PixelPoint at = EditMode::ToBase(mapFromGlobal(globalPos), overlay.scale);
    const std::vector<LayoutEdit::Action> actions = editMode->Edit().ActionsAt(at);
    for (const LayoutEdit::Action& action : actions) {
        using Command = LayoutEdit::Command;
        // Hide or Show, then the directions, then the types: a line between the groups.
        if (action.command == Command::Up || action.command == Command::Full) {
            menu.Menu().addSeparator();
        }
        QAction* item = add(LayoutEdit::Text(action.command), kCommandNames[static_cast<std::size_t>(action.command)],
                            [this, action] {
                                editMode->Edit().Apply(action);
                                ApplyEdit();
                            });
        if (action.command != Command::Hide && action.command != Command::Show) {
            item->setCheckable(true);
            item->setChecked(action.checked);
        }
    }
    if (!actions.empty()) {
        menu.Menu().addSeparator();
    }
    add(tr("Save layout"), "saveLayout", [this] { SaveEdit(); });
    const std::string& aircraft = aircraftOutput.Aircraft();
    const std::string own = settings::AircraftLayoutPath(settingsFileName, aircraft);
    std::error_code ec;
    if (!own.empty() && own != layoutInUse && !std::filesystem::exists(own, ec)) {
        add(tr("Save layout for %1").arg(QString::fromLatin1(aircraft.data(), static_cast<qsizetype>(aircraft.size()))),
            "saveLayoutFor", [this, own] { SaveEditForAircraft(own); })
            ->setStatusTip(QString::fromStdString(own));
    }
    add(tr("Cancel"), "cancelLayout", [this] { CancelEdit(); });
    menu.Menu().addSeparator();
    QAction* leave = add(tr("Edit layout"), "editLayout", [this] { SetEditing(false); });
    leave->setCheckable(true);
    leave->setChecked(true);

    // The edit may have ended while the menu was open.
    if (const std::function<void()> command = RunMenu(menu, globalPos); command && editMode) {
        command();
    }
}

} // namespace vanemark
