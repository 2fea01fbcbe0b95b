// One explicit (forward Euler) time step of the axisymmetric heat equation.
#pragma once

// Advances tempGrid by dt in place; row 11 is never written.
void StepHeat();
