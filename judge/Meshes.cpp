#include "Meshes.h"

#include "app/MapView.h"

judge::HeightMesh gBillHeightMesh;
judge::GridView gBillHeightMeshView;
float gBillHeightMeshCell = (864.0f / 2.0f) / 162.0f;
judge::AreaMesh gComuAreaMesh;

namespace judge {

GridView GridView::Current()
{
    GridView v;
    v.scale = gMapScaleRate;
    v.offsetX = gMapOffsetX;
    v.offsetY = gMapOffsetY;
    v.rotateDeg = gMapRotateAngle;
    v.rotateSin = gMapRotateSin;
    v.rotateCos = gMapRotateCos;
    v.centreX = pMapCenterX;
    v.centreY = pMapCenterY;
    return v;
}

void GridView::siteToGrid(double x, double y, double& gx, double& gy) const
{
    // The map transform (scale, pan, turn by minus the rotation) divided by the scale.
    const double qx = scale * (x - centreX) + offsetX;
    const double qy = scale * (y - centreY) + offsetY;
    gx = (qx * rotateCos + qy * rotateSin) / scale;
    gy = (qy * rotateCos - qx * rotateSin) / scale;
}

}  // namespace judge
