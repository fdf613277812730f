// Resource ids of the items the installer carries (RCDATA); shared by the resource script.
#pragma once

#define VELD_CARRIED_VIEWER 101
#define VELD_CARRIED_BUILDER 102
#define VELD_CARRIED_HELP_PAGE 103
#define VELD_CARRIED_PAYLOAD 104
