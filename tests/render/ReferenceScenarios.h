#pragma once

#include <vector>

#include "tests/render/RenderDigest.h"

// Renders through processDoubleReplacing that together reach every processing path: the
// benchmark scenarios, a second rate and block size, glides on every filter and EQ band,
// and every factory program.
std::vector<RenderDigest> RenderReferenceScenarios();
