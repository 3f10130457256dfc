// The building input's editing tools: the choice from the palette and from the menu (one
// selection, shown on both), the tools offered per view, their pointers, and "中止".
#include "InputLineFrm.h"

#include <QAction>
#include <QToolButton>

#include "photoinput/PhotoTools.h"
#include "platform/CursorFile.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"

void InputLineFrm::EnableToolsForView(bool plan)
{
    for (int k = 0; k < 8; ++k) {
        const bool on = plan ? IsPlanTool(k) : IsObliqueTool(k);
        InputModeRbn[k]->setEnabled(on);
        InputModeMenu[k]->setEnabled(on);
    }
}

void InputLineFrm::ReleaseToolButtons()
{
    for (int k = 0; k < 8; ++k) {
        InputModeRbn[k]->setChecked(false);
        InputModeMenu[k]->setChecked(false);
    }
}

void InputLineFrm::ShowToolInUse()
{
    for (int k = 0; k < 8; ++k) {
        InputModeRbn[k]->setChecked(k == editor_->tool());
        InputModeMenu[k]->setChecked(k == editor_->tool());
    }
}

void InputLineFrm::SetToolPointer(const ToolCursor& pointer)
{
    if (!pointer.fileName) {
        unsetCursor();
        PhotoPic->unsetCursor();
        return;
    }
    const auto cursor = platform::LoadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(pointer.fileName)));
    if (!cursor) return;
    setCursor(*cursor);
    PhotoPic->setCursor(*cursor);
}

void InputLineFrm::BackToSelectTool()
{
    SetToolPointer(kPhotoToolCursors[kSelectTool]);
    editor_->setTool(kSelectTool);
}

void InputLineFrm::DeselectRoof()
{
    editor_->setSelectedRoof(-1);
    Remove1TopAreaMenu->setEnabled(false);
}

void InputLineFrm::InputModeRbn_Click(int index, bool value)
{
    if (index < 0 || index > 7) return;
    if (value) {
        ChooseTool(index, ToolSource::Palette);
        return;
    }
    // A button going up ends its tool in the oblique view (back to select, the roof stays
    // selected); in the plan view the tool stays.
    if (!planShown_) {
        editor_->DropStrokes();
        BackToSelectTool();
    }
    ShowToolInUse();
}

void InputLineFrm::InputModeMenu_Click(int index) { ChooseTool(index, ToolSource::Menu); }

void InputLineFrm::SelectInputMode(int tool) { ChooseTool(tool, ToolSource::Palette); }

void InputLineFrm::ChooseTool(int tool, ToolSource source)
{
    if (tool < 0 || tool > 7) return;
    const bool plan = planShown_;
    if (plan ? !IsPlanTool(tool) : !IsObliqueTool(tool)) {
        ShowToolInUse();
        return;
    }
    // The stroke under way ends with the tool that drew it.
    editor_->DropStrokes();
    if (IsMeasuringTool(tool) && CheckPhotoHeight() != 1) {
        // Refused after the message: back to select, the roof stays selected.
        BackToSelectTool();
        ShowToolInUse();
        return;
    }
    editor_->setTool(tool);
    editor_->EndDrag();
    ShowToolInUse();
    SetToolPointer(plan && tool == kMoveTool && source == ToolSource::Menu ? kPlanMoveMenuCursor : kPhotoToolCursors[tool]);
    if (tool != kSelectTool) return;
    DeselectRoof();
    ChangeBillHeightMenu->setEnabled(false);
    if (plan) {
        ShowFlatLineMap(-1);
    } else {
        ShowPhotoLine(-1, -1);
    }
}

void InputLineFrm::StopDrawLineMenu_Click()
{
    editor_->DropStrokes();
    BackToSelectTool();
    DeselectRoof();
    editor_->EndDrag();
    ChangeBillHeightMenu->setEnabled(false);
    ShowToolInUse();
    if (!planShown_) ShowPhotoLine(-1, -1);
}
