#pragma once
// Every serialisable class of the program: the file format names classes,
// and loading creates them through this table. A new drawing class is added
// in class_registry.cpp.

#include "model/runtime_class.h"

namespace gyr {

const CClassTable& DrawingClasses();

}  // namespace gyr
