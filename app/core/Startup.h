#pragma once
// The program's start: message boxes for code without windows, then the start-up window, whose
// load runs the whole start-up road.

void StartZorvik();
