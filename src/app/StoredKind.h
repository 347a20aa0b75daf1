#pragma once

#include <QVariant>

#include "TableCopy.h"

// How a value written to the planner database is kept: null, a whole number
// (integers and yes/no), a real number, or text (anything else, as its
// text; Short stands for text of any length).
TableCopy::Kind storedKind(const QVariant& value);
