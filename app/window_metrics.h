// The window metrics of the window being drawn: written when the size is
// chosen, at every size event, and by the render targets before each
// window's frame.
#pragma once

#include "scene/window_metrics.h"

void setWindowMetrics(int width, int height);
