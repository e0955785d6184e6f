#pragma once

// A header of the disk layer that reaches up into the windows: the layer check must refuse it.
#include "store/format/records.h"
#include "ui/services.h"
