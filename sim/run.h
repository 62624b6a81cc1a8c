// Computes and records all six runs from the current settings and gains.
#pragma once

void runAllMechanisms(int pathKind);
void runMechanism(int mechanismIndex, int pathKind);
