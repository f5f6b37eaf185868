#include "rules/settings.h"

Settings settings;
