#pragma once
// The texts and timing of the building-input demonstration: the seven intro lines shown before
// it starts, and for each of its seven steps the message line, the note shown beneath it, the
// duration in timer ticks and the places of the two panels on the photo picture.

#include <array>
#include <string>

inline constexpr int kDemoSteps = 7;       // steps 0..6
inline constexpr int kDemoIntroLines = 7;  // intro lines 0..6

struct DemoScript {
    std::array<std::string, kDemoSteps> pStepMessage;  // first line (message line); UTF-8
    std::array<std::string, kDemoSteps> pStepNote;     // second line (note), "" for none
    std::array<int, kDemoSteps> pStepTime{};           // ticks; the step lasts pStepTime + 2 ticks
    // Message line and note: width and left in photo-picture units (origin at the centre, so the
    // lefts are negative).
    std::array<float, kDemoSteps> pMessageWidth{};
    std::array<float, kDemoSteps> pMessageLeft{};
    std::array<float, kDemoSteps> pFocusLeft{};
    std::array<float, kDemoSteps> pFocusWidth{};
};

// The scripts of demonstration 1 (roof and wall lines drawn by hand) and 2 (roofs found by the
// automatic detection).
void SetDemo1Message(DemoScript& script);
void SetDemo2Message(DemoScript& script);

// The intro lines of demonstration `demoNumber` (1 or 2); another number gives empty lines.
const std::array<std::string, kDemoIntroLines>& DemoIntroLines(int demoNumber);
