// The slab program of the flexible cap: its control block FCCTRL, its work
// tables sized from the deck's counts (allocated at the start of a slab
// analysis and released at its end, on every path), its files and its fatal
// end. Every routine of src/flexcap reads them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/table.h"

namespace zolan {

// Units of the slab program's own files in the run-file registry.
constexpr int FCDKFILE = 61;  // slab deck (read)
// Listing, results and log: the slab program's own units (62, 63, 64), or,
// for a flexible-cap analysis of a run, the run's own open report files, to
// which the slab then appends (it neither opens nor closes them).
extern int FCLSFILE, FCRSFILE, FCLGFILE;
constexpr int FCLSOWN = 62, FCRSOWN = 63, FCLGOWN = 64;
// Sends the slab's listing, results and log to the given open units until
// the slab analysis ends (FCRELEASE).
void slab_route(int listing, int results, int log);
// Sizes of an element record: plate and membrane D B products, Gauss points.
constexpr int NRECP = 5 * 27 * 9, NRECM = 3 * 18 * 9, NRECG = 2 * 9;
constexpr int NREC = NRECP + NRECM + NRECG;
// Scratch file of the frontal solver, in the run's folder.
inline constexpr const char* FCSCR2NAME = "fort2";

// Counts and stepping controls of the slab program, in the order of the block.
struct SlabControl {
    int NPOIN = 0, NELEM = 0, NNODE = 0, NDOFN = 6, NDIME = 2, NSTRE = 8, NTYPE = 0, NGAUS = 0;
    int NPROP = 3, NMATS = 0, NVFIX = 0, NEVAB = 0, ISCASE = 1, NCASE = 1;
    int NSTRM = 3, NSTRP = 5, NEVBM = 0, NEVBP = 0, NDOFM = 2, NDOFP = 3, NDOFR = 1;
    int NNLOD = 0, NNSTI = 0, NDLOD = 0, NDSTI = 0, NCLOD = 0, NCSTI = 0, NCTSTI = 0;
    int MFRON = 60, KPSPR = 0, NELOD = 0, NESTI = 0;
    double DT = 0, TINI = 0, TEND = 0, DTMIN = 0;
    int MAXITER = 0, ISTEP = 0;
    double TTIME = 0, DTIME = 0, TOLER = 0;
    int ITER = 0;
    // Error word of the pile rows' last answer (1: a pile's lateral
    // solution did not close).
    int KPLERR = 0;
    // Load factor of the last converged step.
    double TCONV = 0;
};
extern SlabControl FCCTRL;

// The fixed values of the slab program: set right after the deck header,
// before any table is allocated.
void FCFIXV(SlabControl& c);

// A work table indexed from 1, first index fastest, sized at run time. Every
// index is checked in debug and sanitizer builds. Its entries start at zero
// without a pass over them: the storage comes zeroed from the system, so
// that the tables of a large mesh (some hundred megabytes of element
// matrices) cost nothing until an element is formed, and that loop reads
// the stop request.
template <class T>
class WorkTable {
    static_assert(std::is_trivially_copyable_v<T>, "the storage is cleared and copied as bytes");

public:
    WorkTable() = default;
    WorkTable(const WorkTable& o) { *this = o; }
    WorkTable(WorkTable&& o) noexcept { swap(o); }
    WorkTable& operator=(const WorkTable& o) {
        if (this == &o) return *this;
        allocate(o.n1_, o.n2_, o.n3_);
        if (size_ > 0) std::memcpy(v_.get(), o.v_.get(), size_ * sizeof(T));
        return *this;
    }
    WorkTable& operator=(WorkTable&& o) noexcept {
        WorkTable(std::move(o)).swap(*this);
        return *this;
    }
    // Throws std::length_error for a size beyond the address space and
    // std::bad_alloc when the storage cannot be had.
    void allocate(std::size_t n1, std::size_t n2 = 1, std::size_t n3 = 1) {
        release();
        const std::size_t most = std::numeric_limits<std::size_t>::max() / sizeof(T);
        if ((n2 != 0 && n1 > most / n2) || (n3 != 0 && n1 * n2 > most / n3)) throw std::length_error("work table");
        const std::size_t n = n1 * n2 * n3;
        if (n > 0) {
            v_.reset(static_cast<T*>(std::calloc(n, sizeof(T))));
            if (!v_) throw std::bad_alloc();
        }
        n1_ = n1;
        n2_ = n2;
        n3_ = n3;
        size_ = n;
    }
    void release() {
        v_.reset();
        n1_ = n2_ = n3_ = size_ = 0;
    }
    T& operator()(long i) {
        ZOLAN_CHECK_INDEX(i, 1, static_cast<long>(size_));
        return v_[static_cast<std::size_t>(i - 1)];
    }
    T& operator()(long i, long j) {
        ZOLAN_CHECK_INDEX(i, 1, static_cast<long>(n1_));
        ZOLAN_CHECK_INDEX(j, 1, static_cast<long>(n2_ * n3_));
        return v_[static_cast<std::size_t>(i - 1) + n1_ * static_cast<std::size_t>(j - 1)];
    }
    T& operator()(long i, long j, long k) {
        ZOLAN_CHECK_INDEX(i, 1, static_cast<long>(n1_));
        ZOLAN_CHECK_INDEX(j, 1, static_cast<long>(n2_));
        ZOLAN_CHECK_INDEX(k, 1, static_cast<long>(n3_));
        return v_[static_cast<std::size_t>(i - 1) + n1_ * (static_cast<std::size_t>(j - 1) + n2_ * static_cast<std::size_t>(k - 1))];
    }
    void fill(const T& x) { std::fill(v_.get(), v_.get() + size_, x); }
    std::size_t size() const { return size_; }
    T* data() { return v_.get(); }

private:
    struct Free {
        void operator()(T* p) const { std::free(p); }
    };
    void swap(WorkTable& o) noexcept {
        std::swap(v_, o.v_);
        std::swap(n1_, o.n1_);
        std::swap(n2_, o.n2_);
        std::swap(n3_, o.n3_);
        std::swap(size_, o.size_);
    }
    std::unique_ptr<T[], Free> v_;
    std::size_t n1_ = 0, n2_ = 0, n3_ = 0, size_ = 0;
};

using RTab = WorkTable<double>;
using ITab = WorkTable<int>;

// The element work block of the shell element: fixed sizes (9 nodes, 3 Gauss
// points per direction), filled and read one element at a time.
struct ShellWork {
    Table1<double, 3> GPPOS, GPWGT;
    Table2<double, 3, 9> ELXY;
    Table1<double, 9> SHFN;
    Table2<double, 2, 9> SHDL, SHDX, GPXY;
    Table2<double, 3, 3> DMEMB;
    Table2<double, 5, 5> DPLAT;
    Table2<double, 3, 18> BMEMB, DBMEM;
    Table2<double, 5, 27> BPLAT, DBPLT;
};

// The eliminated equations of the frontal solver: fixed-length records in a
// scratch file of the run's folder, written forward and read backward.
class EquationScratch {
public:
    bool open(const std::string& name, std::size_t mfron, std::string* why);
    void close();
    bool is_open() const { return f_ != nullptr; }
    void rewind();
    bool write(const double* row, double rhs, int pos, int var);
    // Steps back one record and reads it; false at the start of the file or on a failed read.
    bool read_back(double* row, double& rhs, int& pos, int& var);
    long records() const { return nrec_; }

private:
    std::FILE* f_ = nullptr;
    std::size_t mfron_ = 0;
    long nrec_ = 0;
};

// The work tables of one slab analysis.
struct SlabTables {
    RTab XYNOD, PRMAT, FXVAL, VNLOD, VNSTI, VEDLD, VEDST, VDLOD, VDSTI, VCLOD, VCSTI;
    RTab PCLOD, PCSTI, PCTST, ASDIS, DSDIS, TSDIS, ELLOD, REACT, STRND, WSTRN, ELSTF;
    ITab IFXND, IFXCD, INLND, INSND, IEDLD, IEDST, IDLEL, IDSEL, ICLEL, ICSEL, ICTEL;
    ITab ICONN, IMATE, IELLAB, INDLAB;
    // Element records of the last iteration for the stress recovery: per
    // element the plate D B (5 x 27 x 9), membrane D B (3 x 18 x 9) and
    // Gauss-point X, Y (2 x 9), kept in memory.
    RTab ELREC;
    // Pile points: head displacements, forces on the cap and their tangents
    // (cap axes) of the current iteration.
    RTab PLDIS, PLFOR, PLSTF;
    // Deck checks: the diagnosis table and the front-change entry of each element.
    Table1<int, 24> DIAGN;
    ITab FRCHG;
    // Frontal solver: packed front matrix, front vectors, restraint codes of
    // every variable, front positions of the element's variables.
    RTab FRSTF, FRRHS, EQROW, FRVAL;
    ITab FRVAR, IRCOD, FRPOS;
    EquationScratch FCSCR2;
    ShellWork ELW;
    std::string deck_name;  // the deck as it was opened, for the messages
};
extern SlabTables FCTAB;

// Allocates the work tables from the counts of FCCTRL (a count of 0 gives an
// empty table). A table that cannot be allocated ends the slab analysis.
void FCALLOC(int& ISTAT);
// Sizes the front tables once the mesh check has set MFRON.
void FCFRALLOC(int& ISTAT);
// Ends a slab analysis in order, on every path: the work tables released, the
// slab files and the scratch file closed.
void FCRELEASE();
void reset_flexcap_tables();

// A fatal diagnostic of the slab program: the slab analysis ends with status
// ISSLAB (the caller then calls FCRELEASE). The message is already written.
void slab_fatal(int& ISTAT);
// The slab's numbers are no longer finite (`what` names the quantity, as
// "THE OUT-OF-BALANCE LOAD"): the message on the listing and the log and in
// the final status, and the slab analysis ends with status ISSLAB.
void slab_diverged(const std::string& what, int& ISTAT);
// A deck value that cannot be used (an index out of range, a short or
// malformed record): the "FATAL ERROR" block naming the deck and its line on
// the listing and the log; the slab analysis ends with status 37.
void deck_fault(int& ISTAT, long line, const std::string& record, const std::string& problem);
// The stop request inside the slab's long loops (element matrices, assembly
// and elimination, the mesh check): the progress message of the iteration
// and the throttled read of the stop-request file; on a stop, ISTAT := 4
// (when 0) and true.
bool slab_stop(int& ISTAT);

// Scratch file names of the slab program are refused when they name a file
// that the run holds open (its reports must never be overwritten).
bool scratch_name_free(const std::string& name, std::string* why);

}  // namespace zolan
