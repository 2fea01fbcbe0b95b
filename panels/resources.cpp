// The program's resources: the three dialog templates, bitmap 104 (the
// colour-scale legend) and icon 32512, embedded in the executable at build
// time; the entry hands them to the platform.
#include "panels/dialog_templates.h"
#include "panels/embedded_resources.h"

namespace {
const BinaryResource bitmaps[] = {{104, legendBitmap104, legendBitmap104Size}};
const BinaryResource icons[] = {{32512, programIcon32512, programIcon32512Size}};
}  // namespace

const ResourceTable programResources = {dialogTemplates, 3, bitmaps, 1, icons, 1};
