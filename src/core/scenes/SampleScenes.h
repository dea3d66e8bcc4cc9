#pragma once

#include "core/render/RenderRequest.h"

#include <array>

namespace korvanta {

// A ready-made picture of the Samples list; texts are written into the fields as stored.
struct SampleScene {
    const char* name;
    const char* colors;
    const char* cRe;
    const char* cIm;
    const char* xStart;
    const char* xEnd;
    const char* yStart;
    const char* yEnd;
    const char* width;
    const char* height;
    int formula;
    int coloring;
    int aspectRatio;
    int showValues;
    int onTop;
};

extern const std::array<SampleScene, 11> kSampleScenes;

// The fields of the next picture as the row fills them.
RenderFields FieldsOf(const SampleScene& scene);

}  // namespace korvanta
