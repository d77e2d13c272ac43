#pragma once

// Installs the program's accessibility factory: every self-painted control
// of the windows gets an interface with its role, name, states and actions.
// Call once, after the application object exists.
void InstallAccessibility();
