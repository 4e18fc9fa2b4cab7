/* zolan: nonlinear analysis of pile groups. The public C interface of the
 * shared library libzolan: one entry point and the run status it returns.
 *
 * A run reads the names file "Names.dat" in the current working directory
 * (the input data file and every report file by name), writes the reports
 * and returns its final status. One run at a time per process, and one per
 * folder: a run locks the lock file "zolan.lock" beside "Names.dat" for its
 * whole length, and a call made while a run is in progress in the process,
 * or while another run holds the folder's lock, returns ZOLAN_BUSY at once,
 * touching no file. Nothing ends or crashes the
 * calling process; a failure is a status. */
#ifndef ZOLAN_H
#define ZOLAN_H

#ifdef __cplusplus
extern "C" {
#endif

/* Runs the engine once when mode is ZOLAN_RUN and returns the final run
 * status below; any other mode returns ZOLAN_BADARG and does nothing. */
int IZOLAN(int mode);

#define ZOLAN_RUN 2

/* Final run status. */
#define ZOLAN_OK 0            /* analysis completed */
#define ZOLAN_BADARG 1        /* the mode was not ZOLAN_RUN */
#define ZOLAN_METHOD 2        /* unknown solution method */
#define ZOLAN_PILELEN 3       /* a pile extends below the deepest soil layer (three-dimensional model) */
#define ZOLAN_STOPPED 4       /* stopped by the user's stop request */
#define ZOLAN_METHOD2D 12     /* unknown solution method (plane model) */
#define ZOLAN_PILELEN2D 13    /* a pile extends below the deepest soil layer (plane model) */
#define ZOLAN_SINGULAR 14     /* the determinant of the stiffness matrix is zero */
#define ZOLAN_ROCKCOH 21      /* weak rock without cohesive strength */
#define ZOLAN_DEPTHGAM 22     /* a depth beyond the input curve of unit weight */
#define ZOLAN_DEPTHCOH 23     /* a depth beyond the input curve of cohesion */
#define ZOLAN_DEPTHPHI 24     /* a depth beyond the input curve of friction angle */
#define ZOLAN_DEPTHFSD 25     /* a depth beyond the input curve of side friction */
#define ZOLAN_DEPTHTIP 26     /* a depth beyond the input curve of tip resistance */
#define ZOLAN_DEPTHBPHI 27    /* a depth beyond the input curve of friction angle (tip) */
#define ZOLAN_SILTPHI 28      /* silt without friction angle */
#define ZOLAN_SILTSLOPE 29    /* silt: slope angle greater than the friction angle */
#define ZOLAN_SANDPHI 30      /* sand without friction angle */
#define ZOLAN_SANDSLOPE 31    /* sand: slope angle greater than the friction angle */
#define ZOLAN_LSE50 32        /* load-settlement curve: e50 is zero */
#define ZOLAN_LSCOH 33        /* load-settlement curve: cohesion is zero */
#define ZOLAN_TRE50 34        /* torque-rotation curve: e50 is zero */
#define ZOLAN_TRCOH 35        /* torque-rotation curve: cohesion is zero */
#define ZOLAN_AXCONV 36       /* no convergence of the axial forces along a pile */
#define ZOLAN_INPUT 37        /* the input data file is malformed or incomplete */
#define ZOLAN_FILE 38         /* the names file or a run file could not be read, opened or written */
#define ZOLAN_BUSY 39         /* another run is in progress in this process or in the run folder */
#define ZOLAN_INTERNAL 40     /* an internal fault of the engine was caught */
#define ZOLAN_SLAB 41         /* the flexible cap's slab analysis ended on a fatal diagnostic or did not converge */

#ifdef __cplusplus
}
#endif

#endif /* ZOLAN_H */
