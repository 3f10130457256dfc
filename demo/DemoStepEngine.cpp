#include "DemoStepEngine.h"

namespace {

constexpr int kStepStartTime = 10;  // counter value while a step is being entered
constexpr int kNoteTick = 4;        // tick number of a step that shows its note

DemoStepAction Pen(DemoAction kind, DemoPen pen) { return {kind, static_cast<int>(pen)}; }

}  // namespace

DemoStepEngine::DemoStepEngine(int demoNumber) : demoNumber_(demoNumber)
{
    if (demoNumber == 1) SetDemo1Message(script_);
    if (demoNumber == 2) SetDemo2Message(script_);
}

bool DemoStepEngine::Start()
{
    if (demoNumber_ != 1 && demoNumber_ != 2) return false;
    pResidentTime = kStepStartTime;
    pStepTick = 0;
    pDemoStep = 0;
    running_ = true;
    return true;
}

std::vector<DemoStepAction> DemoStepEngine::Tick()
{
    std::vector<DemoStepAction> out;
    if (!running_) return out;

    if (pResidentTime < 0) {
        // The step has run out: the next tick starts the next one.
        ++pDemoStep;
        pResidentTime = kStepStartTime;
        pStepTick = -1;
        if (pDemoStep == kDemoSteps) {
            // The script has ended: the window closes, and this tick does nothing more.
            running_ = false;
            out.push_back({DemoAction::StopTimer});
            out.push_back({DemoAction::Close});
            return out;
        }
    } else {
        if (pStepTick == 0) {
            out.push_back({DemoAction::SetMessage, pDemoStep});
            StartActions(out);
            pResidentTime = script_.pStepTime[pDemoStep];
        } else if (pStepTick == kNoteTick && pDemoStep >= 1 && pDemoStep <= 3) {
            out.push_back({DemoAction::ShowNote, pDemoStep});
        }
        Animation(out);
        out.push_back({DemoAction::ShowCounter, pResidentTime});
    }
    --pResidentTime;
    ++pStepTick;
    return out;
}

void DemoStepEngine::StartActions(std::vector<DemoStepAction>& out)
{
    const bool two = demoNumber_ == 2;
    switch (pDemoStep) {
    case 0:
        out.push_back({DemoAction::HideNote});
        out.push_back({DemoAction::ShowMenuPicture});
        break;
    case 1:
        out.push_back({DemoAction::SetDemoPhoto});
        out.push_back({DemoAction::ShowAltitudePointer});
        out.push_back({DemoAction::HideMenuPicture});
        out.push_back({DemoAction::HideNote});
        break;
    case 2:
        out.push_back({DemoAction::HideAltitudePointer});
        pDemoPointIndex = 0;
        out.push_back({DemoAction::ResetTopLine});
        out.push_back({DemoAction::SetDemoBillData});
        out.push_back({DemoAction::ShowSlopeTitle});
        out.push_back({DemoAction::HideNote});
        if (two) {
            out.push_back(Pen(DemoAction::ShowPen, DemoPen::BillTop));
            out.push_back({DemoAction::ResetFoundTopArea});
        } else {
            out.push_back(Pen(DemoAction::ShowPen, DemoPen::TopLine));
        }
        break;
    case 3:
        if (two) out.push_back({DemoAction::HideMessageLine});  // the step has only a note
        out.push_back({DemoAction::ResetWallLine});
        out.push_back({DemoAction::HideNote});
        out.push_back(Pen(DemoAction::ShowPen, DemoPen::WallLine));
        break;
    case 4:
        if (two) out.push_back({DemoAction::ShowMessageLine});
        out.push_back({DemoAction::HideNote});
        out.push_back(Pen(DemoAction::HidePen, DemoPen::WallLine));
        out.push_back({DemoAction::ClearPhotoShowSlope});
        break;
    case 5:
        out.push_back({DemoAction::ShowFlatLineMap});
        break;
    case 6:
        pDemoEndSTS = -1;
        break;
    default:
        break;
    }
}

void DemoStepEngine::Animation(std::vector<DemoStepAction>& out)
{
    if (pDemoStep == 2 && demoNumber_ == 1) {
        out.push_back({DemoAction::DrawDemoTopLine, pDemoPointIndex});
        ++pDemoPointIndex;
        if (pResidentTime == 0) out.push_back(Pen(DemoAction::HidePen, DemoPen::TopLine));
    } else if (pDemoStep == 3 && demoNumber_ == 1) {
        out.push_back({DemoAction::DrawDemoWallLine});
        if (pResidentTime == 0) out.push_back(Pen(DemoAction::HidePen, DemoPen::WallLine));
    } else if (pDemoStep == 2 && demoNumber_ == 2) {
        out.push_back({DemoAction::DrawDemoFoundTopArea, pDemoPointIndex});
        ++pDemoPointIndex;
        if (pResidentTime == 0) {
            out.push_back(Pen(DemoAction::HidePen, DemoPen::BillTop));
            out.push_back(Pen(DemoAction::HidePen, DemoPen::Busy));
        }
    }
}
