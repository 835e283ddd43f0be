// The three generated meshes, record by record.
#pragma once

#include "range_plan.h"

namespace clockmodel {

inline constexpr int kClockRecords = 120219;
inline constexpr int kBodyRecords = 28947;
inline constexpr int kSecondHandRecords = 996;

AssembledMesh clockMesh();
AssembledMesh bodyMesh();
AssembledMesh secondHandMesh();

}  // namespace clockmodel
