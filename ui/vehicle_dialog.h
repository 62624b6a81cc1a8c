// The console section for the vehicle as built ('d' in the window): the
// imperfections in force, then, on yes, four entries that change them.
#pragma once

void vehicleSection();

// The summary's line naming the values off their defaults; nothing for the
// perfect vehicle, so that its summary stays as it always was.
void printVehicleSummary();
