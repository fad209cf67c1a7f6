#pragma once

// Creates the program's windows in their fixed order, Form1 first and Form14 last, and fills
// the set by which they reach one another; Form14 shows itself.
void createWindows();

// Destroys the set again, last first. The program never does; tests start each case afresh.
void destroyWindows();
