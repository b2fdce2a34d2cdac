#pragma once

// Moving IDs across a map: which IDs go where, whether the map can take it,
// and the lines of each file and open document it changes.
#include "map/documentidchanges.h"
#include "map/idlinechanges.h"
#include "map/idmapping.h"
#include "map/idmovechecks.h"
