#pragma once
// The comparison command of the main window (MainWorkingFrm::CompareGPSMenu_Click).

// Seconds the command lets events through after showing the comparison window and before it
// computes the skyline for it (1; tests set 0).
extern double gCompareOpenWait;
