/* The floor program of one lateral pile response (a finite-difference beam of
 * 100 increments on soft-clay springs in one bending plane, secant iteration
 * with a banded solve), built from its own source, which lies outside the
 * repository, with this project's flags; its main is renamed so that the
 * benchmark below runs its response beside the engine's. */
#define main pile_limit_main
#include ZOLAN_PILE_LIMIT_SOURCE
#undef main

/* One response to the head shear H: the head deflection in y[0], the secant
 * iterations in *iters; 0 on success. */
int pile_limit_respond(double H, double* y, int* iters) {
    for (int i = 0; i <= N; i++) y[i] = 0.0;
    return respond(H, y, iters);
}

int pile_limit_nodes(void) { return N + 1; }
