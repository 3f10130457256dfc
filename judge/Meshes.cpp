#include "Meshes.h"

judge::HeightMesh gBillHeightMesh;
MapViewState gBillHeightMeshView;
float gBillHeightMeshCell = GridCellSize(2.0f);
judge::AreaMesh gComuAreaMesh;
