#pragma once
// The stored design-time properties of the main window's 44 controls.
#include <string>
#include <string_view>

// The property record of the main window's control of that name; the empty
// record when the window has no control of that name.
const std::string& Window1ControlRecord(std::string_view controlName);
