// The frame that every p-y generator runs around its soil model: the walk
// over a layer's nodes (a cap pass for the pile head, then the pile pass),
// the depth below the ground line, the diameter, the equivalent depth in
// layered soil, the running sum of the ultimate resistance, the deflections
// to evaluate (the node's, or a whole tabulated curve), the group and depth
// multipliers, the soil movement, the sign of the reaction, and the report
// lines of a tabulated curve. A soil model states only what is its own by
// overriding the hooks of PyModel, its law; each hook's default is the frame's
// rule. The printed report of a tabulated curve is a separate PyPrinter, so a
// solver evaluates a law with no printing code in it.
//
// A model object lives on the stack of one generator call, so the state it
// carries from node to node (a previous node's resistance, an average over
// the layer) is private to the call and to the calling thread.
#pragma once

#include "model/input_tables.h"
#include "report/fortran_format.h"
#include "model/node_tables.h"
#include "model/single_precision.h"
#include "soil/py_curves.h"

namespace zolan {

// Below-ground test of a node: 1e-6 in single precision, 9.99999974752427e-07.
// The zero threshold of the deflection TOLZ (1e-14) and the depth tolerance
// TOLDEP (1e-6) are run constants of the model (model/input_tables.h).
constexpr double ZGS_MIN = f32(1.0e-6f);

// The node being treated and its surroundings, filled by the frame.
struct PyNode {
    // The call.
    int prop = 0, layer = 0, pile = 0, gpile = 0;
    int row = 0;         // node-table row: pile (analysis) or PYSCRATCH (curve mode)
    bool curve = false;  // curve mode (PyControls::pyreq = 1)
    bool analysis = false;  // PyControls::pymode = 0
    bool form = false;      // analysis mode forming the layered-soil state (PyControls::form = 1)
    // The node.
    int k = 0;           // node number
    bool cap = false;    // cap pass
    bool first = false;  // k = LAYNF(layer)
    bool last = false;   // k = LAYNL(layer)
    double x = 0, a = 0;  // depth and position along the axis, from the depth origin
    double z = 0;         // depth below the ground line
    double zeq = 0;       // depth for the resistance: z (first layer) or the equivalent depth below
    double b = 0;         // diameter, or the cap width
    double h = 0;         // node spacing of the layer's first nodes
    // Depth multipliers of Table J1 (s > 0: they apply).
    int s = 0;
    double pm = 1, ym = 1;
};

class PyModel {
public:
    // Fixed facts of the model.
    int code = 1;                   // curve-type code left in PYCODE for the curve file
    bool cap_pass = true;           // the model runs the cap pass
    bool stores_paspv = true;       // the cap pass stores PASPV (with KCAPOP = 1)
    bool uses_eqdepth = false;      // the model uses the equivalent depth
    bool lookups_first = false;     // diameter and lookups before the ground-line test

    // Soil values at the node (the strength-curve lookups). Returns false
    // as soon as a lookup has set ISTAT: the generator then returns at once.
    virtual bool lookup(const PyNode& n, int& ISTAT) = 0;
    // Equivalent depth of the layer (called by the frame at the layer's first
    // node below the first layer, while the layered-soil state is formed and
    // the depth is not yet computed).
    virtual void eqdepth(const PyNode& n);
    // Ultimate resistance and the constants of the curve at the node. Returns
    // false when a check of the model stopped the run (ISTAT set, block written).
    virtual bool prepare(const PyNode& n, int& ISTAT) = 0;
    // Resistance at a deflection Y >= TOLZ, without multipliers.
    virtual double p_at(const PyNode& n, double Y) const = 0;
    // Limit modulus Es0 at a deflection below TOLZ.
    virtual double es0(const PyNode& n) const = 0;

    // Running sum of the layer's ultimate resistance: the frame rule adds
    // h * sum_value() at every node but the first of a layer below the first,
    // and in the first layer, with the ground line at or above the pile head,
    // first counts the soil above the head as a triangle of triangle_value().
    virtual void accumulate(const PyNode& n, double& sum);
    // u of the frame rule; `add` false: the sum is not increased at this node.
    virtual double sum_value(const PyNode& n, bool& add) const = 0;
    virtual double triangle_value(const PyNode& n) const;

    // Evaluation at one deflection Y >= 0: es (the node's secant modulus),
    // p1 (the model's resistance) and P (with the group p-multiplier).
    virtual void evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const;
    // Deflection i (1 .. 17) of the model's default list; prev is the
    // list's deflection i - 1 (0 for the first), before the group and depth
    // y-multipliers, which scale the whole list when it is tabulated.
    virtual double default_y(const PyNode& n, int i, double prev) const = 0;
    // The point tabulated for deflection Y: deflection yt and reaction pt.
    virtual void tabulated(const PyNode& n, double Y, double p1, double P, double& yt, double& pt) const;

    // The state after a node, for the frame to keep between the evaluations
    // of one lateral solution (soil/py_keep.h): lists every member that
    // lookup, prepare and accumulate may write, through io (which saves or
    // puts back). False: the model is formed again at every evaluation.
    virtual bool keep(PyKeepIO& io);

protected:
    ~PyModel() = default;
};

// The printed report of a model's tabulated curves (curve mode with PLOTFLG
// = 0): the model's heading and each point. A printer reads (and may prepare)
// the law it reports on; the law knows nothing of it.
class PyPrinter {
public:
    // Layout of a tabulated point on PLOTFILE (null: the frame's (1P,2(1X,G15.8))).
    const fmt::Format* plot_point = nullptr;

    // The model's heading on ECHOFILE and the depth record on PLOTFILE, in
    // the model's order.
    virtual void write_heading(const PyNode& n) = 0;
    // One tabulated point on ECHOFILE and PLOTFILE.
    virtual void write_point(const PyNode& n, double yt, double pt);
    // After point i was written (i >= 1), with its tabulated deflection yt.
    virtual void after_point(const PyNode& n, int i, double yt);

protected:
    ~PyPrinter() = default;
};

// Runs the frame for one layer: the generator's body is "make the model and
// its printer, call py_frame". A null printer prints nothing (a model that
// never tabulates). The other arguments are those of the generators (py_curves.h).
void py_frame(PyModel& m, PyPrinter* printer, const PyControls& ctl, int layer, PyWork& w, int& ISTAT);

}  // namespace zolan
