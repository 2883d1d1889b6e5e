#pragma once

#include <vector>

#include "tests/render/RenderDigest.h"

// Renders through processDoubleReplacing that together reach every processing path: the
// benchmark scenarios, a second rate and block size, glides on every filter and EQ band,
// and every factory program.
std::vector<RenderDigest> RenderReferenceScenarios();

// The filters, equaliser and dump/expand alone, every one of them gliding: no stage that
// calls a transcendental function on the signal.
std::vector<RenderDigest> RenderLinearScenarios();

// The "everything on" and cutoff automation renders and every factory program, each with
// many evenly spread samples.
std::vector<RenderDigest> RenderSampledScenarios();
