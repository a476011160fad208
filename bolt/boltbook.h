#pragma once
// The calculation book of the bolt connection: the inputs as read and the
// steps of computeBoltConnection, with the numbers the window shows.

#include "boltconnection.h"
#include "calcbook.h"

namespace morvane {

CalcBook describeBoltConnection(const BoltConnectionInput &input, const BoltConnectionResult &result);

}  // namespace morvane
