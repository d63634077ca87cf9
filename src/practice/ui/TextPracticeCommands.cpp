#include "app/ui/Registration.h"

// PLACEHOLDER: filled in when this subsystem's windows land.
void RegisterTextPractice(AppContext &, Shell &) {}
