// The program's resources: the three dialog templates, bitmap 104 (the
// colour-scale legend) and icon 32512, embedded in the executable at build
// time; the entry hands them to the platform.
#include "panels/dialog_templates.h"
#include "panels/embedded_resources.h"
#include "panels/resource_ids.h"

namespace {
const BinaryResource bitmaps[] = {{IDB_LEGEND, legendBitmap104, legendBitmap104Size}};
const BinaryResource icons[] = {{IDI_PROGRAM, programIcon32512, programIcon32512Size}};
}  // namespace

const ResourceTable programResources = {dialogTemplates, 3, bitmaps, 1, icons, 1};
