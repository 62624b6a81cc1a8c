// Computes and records all six runs from the current settings and gains.
#pragma once

void runAllMechanisms(int pathKind);
void runMechanism(int mechanismIndex, int pathKind);
// One law's run alone: the same samples that runMechanism records for it.
void runMechanismLaw(int mechanismIndex, int pathKind, int law);
