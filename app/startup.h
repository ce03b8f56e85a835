#pragma once

// The steps the program takes before its splash appears; the benchmark of
// start-up takes the same ones.

// Makes the data file ready to use, telling the user when it cannot be.
bool prepareDataFile();

// Lets the main menu open each working window by its name.
void registerWorkingWindows();
