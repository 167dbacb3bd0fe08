#include "app/CVanemarkDlg.h"

#include "config/CommandBindings.h"
#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"
#include "settings/SaveFailure.h"

#include <QFileInfo>

#include <cstdio>

namespace vanemark {

using settings::Command;

void CVanemarkDlg::RunCommand(Command command)
{
    if (exitDone) {
        return;
    }
    switch (command) {
    case Command::ShowHide:
        ToggleShown();
        break;
    case Command::Lock:
        SetLocked(!locked);
        break;
    case Command::Record:
        ToggleRecordingQuietly();
        break;
    case Command::ScaleUp:
        SetScale(overlay.scale + 1);
        break;
    case Command::ScaleDown:
        SetScale(overlay.scale - 1);
        break;
    case Command::HandMarks:
        ToggleHandMarks();
        break;
    }
}

void CVanemarkDlg::ToggleShown()
{
    // Without a tray only the same key or button could bring the window
    // back, which the menu cannot know; the command itself always works.
    userHidden = !userHidden;
    setVisible(!userHidden);
}

void CVanemarkDlg::ToggleRecordingQuietly()
{
    if (recording.IsRecording()) {
        recording.Stop();
    } else {
        recording.StartNew(QFileInfo(QString::fromStdString(settingsFileName)).absolutePath());
    }
}

void CVanemarkDlg::SetScale(std::int32_t scale)
{
    settings::OverlaySettings next = overlay;
    next.scale = settings::ClampScale(scale);
    if (next.scale == overlay.scale) {
        return;
    }
    SetOverlay(next);
    SaveKey(settings::kScaleKey, overlay.scale);
}

void CVanemarkDlg::ToggleHandMarks()
{
    settings::HandBindings hands = joysticks.Bindings();
    hands.showMarks = !hands.showMarks;
    SetHands(hands);
    SaveKey(settings::kHandMarkersKey, hands.showMarks ? 1 : 0);
}

void CVanemarkDlg::SaveKey(std::string_view key, std::int32_t value)
{
    // A snapshot run leaves the user's settings alone.
    if (options.snapshotPath) {
        return;
    }
    ProfileFile file = settings::OpenSettings(settingsFileName);
    ProfileEdit edit(file);
    edit.SetInt(settings::kSection, key, value);
    if (edit.Commit() != 0) {
        ShowSaveFailure(nullptr, settingsFileName, edit.Error());
    }
}

void CVanemarkDlg::SetCommands(const settings::CommandBindings& bindings)
{
    commandInput.Apply(bindings);
}

std::array<std::string, settings::kCommandCount> CVanemarkDlg::CommandProblems() const
{
    std::array<std::string, settings::kCommandCount> problems;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        problems[i] = commandInput.Problems()[i].toStdString();
    }
    return problems;
}

std::string CVanemarkDlg::HotkeysUnavailable()
{
    return commandInput.HotkeysUnavailable().toStdString();
}

} // namespace vanemark
