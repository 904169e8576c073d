#pragma once

namespace quorvex {

// The tool that the mouse drives on the image.
enum class MouseMode {
    SelectRectangle,   // the calibration rectangle or the area of an automatic run
    SearchInArea,      // points along a drag
    ManualInput,       // a point per click
    ManualInputPaused, // manual input switched off or its question cancelled
    PickCurveColour,   // a click takes the curve colour
    Idle,
    RotationLine, // a line to rotate the image along
    Pencil,
    PickPencilColour,
};

} // namespace quorvex
