// Identifiers of the program's resources, shared by volleon.rc and the code.
#pragma once

// The smiling face: the program file's icon and the main window's.
#define VOLLEON_IDI_PROGRAM 1
// The arrow with a box, shown over the home-page link.
#define VOLLEON_IDC_LINK 2
