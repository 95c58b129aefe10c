#include "editor/pages/property_page.h"

// The page base has no code of its own; this file gives its meta-object a home.
