#pragma once

// The identifiers of varnel.exe's resources, shared by its resource script and its code.

// The program icon (varnel.ico): the icon that Explorer shows, and that the windows take from it
// at each size the system asks for.
#define PROGRAM_ICON_RESOURCE 1
