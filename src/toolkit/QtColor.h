#pragma once
// Toolkit-internal: a toolkit colour as Qt's. The toolkit's alpha byte counts
// transparency (0 opaque), Qt's counts opacity.
#include <QColor>

#include "toolkit/Color.h"

inline QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue, 255 - c.alpha); }
