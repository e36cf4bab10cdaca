// The host's result-drawing component "Drawing.DrawingResultNo": the least the library
// relies on. Each object records the properties it is given in order, answers the extent of
// the model it was registered with in elevation (x across, z up) and draws that model's
// members as lines through the matrix it is given. The host registers it; the library only
// creates it.
#pragma once

#include <string>
#include <vector>

#include <vyr/com.h>

class CGlobalData;

namespace vyrhost {

// One property as an object received it.
struct DrawingProperty
{
    std::string name;
    char kind = 'i'; // 'i' int, 'f' float, 'b' BOOL
    double value = 0.0;
};

// {5B1C2E7A-9D34-4F0E-A6C1-3E8D2B7F4A90}, the class the ProgID names.
extern const CLSID CLSID_DrawingResultNo;

// Registers the component for the model (replacing an earlier registration) and clears the
// record of objects.
void RegisterDrawingResult(CGlobalData* data);
void UnregisterDrawingResult();
// The properties each object created since the registration received, one list per object.
std::vector<std::vector<DrawingProperty>> DrawingResultObjects();

} // namespace vyrhost
