#include "ScriptedUi.h"
