#pragma once
// The automatic roof: one double-click inside a bright roof of the oblique picture finds the
// roof's outline, stores it as a new roof, looks for the wall face below it, adds one wall edge
// and measures the building's height. The building input window calls DetectRoofAndWall from the
// automatic-roof tool's double-click, with the busy pointer up, and shows the result.
//
// Order of the chain:
//   1. A click inside a roof of the photo model (FindTopArea, even-odd rule, so concave roofs too)
//      is refused with kRoofAlreadySetMessage.
//   2. The eye altitudes are checked as the tool's choice checks them (CheckPhotoHeightValues),
//      and the camera must follow from them and the picture width gPhotoPictureWidth; a refusal
//      carries the message to show.
//   3. Gate: the picture must have a bright peak (GetPhotoGrayPeak) and the click must lie on the
//      picture, its grey within 9 of that peak; otherwise nothing is stored and
//      kNoRoofFoundMessage says so.
//   4. The roof (RoofDetector.h). No roof of three corners: nothing is stored, and
//      kNoRoofFoundMessage says so.
//   5. The wall face below its lowest corner (WallSearch.h) and its longest wall edge (WallEdge.h); where that
//      face shows no wall edge, the faces of other greys below the roof's corners in turn
//      (FindWallStarts), until one shows edges, which must agree on the height. The roof's
//      vertex that edge starts from is moved onto the building's corner the face shows (where
//      the edge meets the face's top; blur may have cut the corner off the outline), so that the
//      wall edge stands on a vertex. The roof is then stored as the model's last roof and the
//      wall edge added to it. No face found: no wall edge.
//   6. The camera values are set from the altitudes (SetUpPhotoCamera) and the wall edge gives the
//      height; without a wall edge there is no height and the height box is emptied.
// Steps 1 to 3 change nothing, neither the model nor the camera values.

#include "photoinput/PhotoModel.h"
#include "roofdetect/GreyPicture.h"
#include "roofdetect/WallEdge.h"

#include <optional>
#include <string>
#include <vector>

namespace roofdetect {

inline constexpr const char* kRoofAlreadySetMessage = "この屋上は既にセットされています。";
inline constexpr const char* kNoRoofFoundMessage = "ここには屋上が見つかりません。";

enum class AutoRoofOutcome {
    Detected,       // a roof was stored (with or without a wall edge)
    InsideRoof,     // the click lies inside a stored roof; message set
    CameraRefused,  // the altitudes or the picture width give no camera; message set
    NotRoofGrey,    // the click is off the picture, the picture has no bright peak or the click's grey is
                    // 10 or more from it; message set
    NoRoof,         // no roof of three distinct corners around the click; message set
    ModelFull,      // the model has no room for the roof; message set
};

struct AutoRoofResult {
    AutoRoofOutcome outcome = AutoRoofOutcome::NotRoofGrey;
    std::string message;                // to show with an OK button; empty: show nothing
    int roof = -1;                      // the new roof, to make the active roof (Detected)
    std::vector<PhotoPoint> polygon;    // its stored outline, closing point included
    int wallGray = 0;                   // grey of the wall face that showed edges, else of the first face
                                        // found; 0 when none was found (pWallGray)
    std::optional<WallEdgeEnds> wall;   // the wall edge added to the roof, photo coordinates
    std::optional<double> height;       // metres, from the wall edge
    std::string heightText;             // for HeightTxt: "##0.0", empty without a wall edge
};

// Runs the chain for the photo point (x0, y0) of `picture` (the loaded oblique picture as grey
// levels; the click already moved to the tip of the tool's cursor) with the two eye altitudes of
// the altitude boxes. Changes the photo model only as step 4 and 5 say and the camera values only
// in step 6.
AutoRoofResult DetectRoofAndWall(const GreyPicture& picture, double x0, double y0, double planAltitude, double obliqueAltitude);

}  // namespace roofdetect
