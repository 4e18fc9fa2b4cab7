#include "flexcap/slab_tables.h"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/visible_text.h"

namespace zolan {

SlabControl FCCTRL;
SlabTables FCTAB;
int FCLSFILE = FCLSOWN, FCRSFILE = FCRSOWN, FCLGFILE = FCLGOWN;

void slab_route(int listing, int results, int log) {
    FCLSFILE = listing;
    FCRSFILE = results;
    FCLGFILE = log;
}

void FCFIXV(SlabControl& c) {
    c.NCASE = 1;
    c.NTYPE = 0;
    c.NDOFN = 6;
    c.NPROP = 3;
    c.NDIME = 2;
    c.NSTRE = 8;
    c.NEVAB = 6 * c.NNODE;
    c.NSTRM = 3;
    c.NSTRP = 5;
    c.NEVBM = 2 * c.NNODE;
    c.NEVBP = 3 * c.NNODE;
    c.NDOFM = 2;
    c.NDOFP = 3;
    c.NDOFR = 1;
}

// ---- scratch file of the eliminated equations ----

bool EquationScratch::open(const std::string& name, std::size_t mfron, std::string* why) {
    close();
    if (!scratch_name_free(name, why)) return false;
    f_ = std::fopen(name.c_str(), "w+b");
    if (f_ == nullptr) {
        if (why) *why = name + ": the scratch file could not be created";
        return false;
    }
    // The equations are only read back within the solve: the name goes at
    // once, the open file stays usable and vanishes when it is closed, so no
    // scratch is left in the run folder whatever way the analysis ends.
    std::remove(name.c_str());
    mfron_ = mfron;
    nrec_ = 0;
    return true;
}

void EquationScratch::close() {
    if (f_ != nullptr) std::fclose(f_);
    f_ = nullptr;
    nrec_ = 0;
}

void EquationScratch::rewind() {
    if (f_ != nullptr) std::fseek(f_, 0, SEEK_SET);
    nrec_ = 0;
}

namespace {
std::size_t record_bytes(std::size_t mfron) { return (mfron + 1) * sizeof(double) + 2 * sizeof(int); }
}  // namespace

bool EquationScratch::write(const double* row, double rhs, int pos, int var) {
    if (f_ == nullptr) return false;
    const bool ok = std::fwrite(row, sizeof(double), mfron_, f_) == mfron_ && std::fwrite(&rhs, sizeof rhs, 1, f_) == 1 &&
                    std::fwrite(&pos, sizeof pos, 1, f_) == 1 && std::fwrite(&var, sizeof var, 1, f_) == 1;
    if (ok) ++nrec_;
    return ok;
}

bool EquationScratch::read_back(double* row, double& rhs, int& pos, int& var) {
    if (f_ == nullptr || nrec_ <= 0) return false;
    const long rb = static_cast<long>(record_bytes(mfron_));
    if (std::fseek(f_, (nrec_ - 1) * rb, SEEK_SET) != 0) return false;
    const bool ok = std::fread(row, sizeof(double), mfron_, f_) == mfron_ && std::fread(&rhs, sizeof rhs, 1, f_) == 1 &&
                    std::fread(&pos, sizeof pos, 1, f_) == 1 && std::fread(&var, sizeof var, 1, f_) == 1;
    --nrec_;
    std::fseek(f_, nrec_ * rb, SEEK_SET);
    return ok;
}

bool scratch_name_free(const std::string& name, std::string* why) {
    const io::FileId id = io::file_id(name);
    for (int u = 1; u <= io::MAXUNIT; ++u) {
        if (!io::unit_open(u) || io::file_id(std::string(io::unit_name(u))) != id) continue;
        if (why) *why = name + ": the scratch file would overwrite the run's file on unit " + std::to_string(u);
        return false;
    }
    return true;
}

// ---- work tables ----

void FCALLOC(int& ISTAT) {
    SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    const auto z = [](int n) { return static_cast<std::size_t>(n > 0 ? n : 0); };
    const std::size_t nd = z(c.NDOFN), np = z(c.NPOIN), ne = z(c.NELEM), nev = z(c.NEVAB);
    try {
        t.XYNOD.allocate(z(c.NDIME), np);
        t.PRMAT.allocate(z(c.NPROP), z(c.NMATS));
        t.FXVAL.allocate(nd, z(c.NVFIX));
        t.VNLOD.allocate(nd, z(c.NNLOD));
        t.VNSTI.allocate(nd, z(c.NNSTI));
        t.VEDLD.allocate(3, z(c.NELOD));
        t.VEDST.allocate(3, z(c.NESTI));
        t.VDLOD.allocate(nd, z(c.NDLOD));
        t.VDSTI.allocate(nd, z(c.NDSTI));
        t.VCLOD.allocate(nd, z(c.NCLOD));
        t.VCSTI.allocate(nd, z(c.NCSTI));
        t.PCLOD.allocate(2, z(c.NCLOD));
        t.PCSTI.allocate(2, z(c.NCSTI));
        t.PCTST.allocate(2, z(c.NCTSTI));
        for (RTab* v : {&t.ASDIS, &t.DSDIS, &t.TSDIS, &t.REACT}) v->allocate(nd, np);
        t.ELLOD.allocate(nev, ne);
        t.STRND.allocate(z(c.NSTRE), np);
        t.WSTRN.allocate(np);
        t.ELSTF.allocate(nev, nev, ne);
        t.ELREC.allocate(NREC, ne);
        t.PLDIS.allocate(6, z(c.NCTSTI));
        t.PLFOR.allocate(6, z(c.NCTSTI));
        t.PLSTF.allocate(6, 6, z(c.NCTSTI));
        t.IFXND.allocate(z(c.NVFIX));
        t.IFXCD.allocate(nd, z(c.NVFIX));
        t.INLND.allocate(z(c.NNLOD));
        t.INSND.allocate(z(c.NNSTI));
        t.IEDLD.allocate(3, z(c.NELOD));
        t.IEDST.allocate(3, z(c.NESTI));
        t.IDLEL.allocate(z(c.NDLOD));
        t.IDSEL.allocate(z(c.NDSTI));
        t.ICLEL.allocate(z(c.NCLOD));
        t.ICSEL.allocate(z(c.NCSTI));
        t.ICTEL.allocate(z(c.NCTSTI));
        t.ICONN.allocate(z(c.NNODE), ne);
        t.IMATE.allocate(ne);
        t.IELLAB.allocate(ne);
        t.INDLAB.allocate(np);
        t.FRCHG.allocate(ne);
        t.IRCOD.allocate(nd, np);
        t.FRPOS.allocate(nev);
    } catch (const std::bad_alloc&) {
        io::write_fmt(FCLSFILE, R"((/,/," THE WORK TABLES OF THE SLAB DECK COULD NOT BE ALLOCATED"))");
        slab_fatal(ISTAT);
    } catch (const std::length_error&) {
        io::write_fmt(FCLSFILE, R"((/,/," THE WORK TABLES OF THE SLAB DECK COULD NOT BE ALLOCATED"))");
        slab_fatal(ISTAT);
    }
}

void FCFRALLOC(int& ISTAT) {
    // The eliminated equations go to a scratch file of the run's folder.
    std::string why;
    if (!FCTAB.FCSCR2.open(FCSCR2NAME, static_cast<std::size_t>(FCCTRL.MFRON), &why)) {
        FAILTXT.push_back("    " + why);
        if (ISTAT == ISOK) ISTAT = ISFILE;
        return;
    }
    SlabTables& t = FCTAB;
    const std::size_t m = static_cast<std::size_t>(FCCTRL.MFRON);
    try {
        t.FRSTF.allocate(m * (m + 1) / 2);
        for (RTab* v : {&t.FRRHS, &t.EQROW, &t.FRVAL}) v->allocate(m);
        t.FRVAR.allocate(m);
    } catch (const std::bad_alloc&) {
        io::write_fmt(FCLSFILE, R"((/,/," THE FRONT OF THE SLAB MESH COULD NOT BE ALLOCATED"))");
        slab_fatal(ISTAT);
    }
}

void FCRELEASE() {
    FCTAB.FCSCR2.close();
    FCTAB = SlabTables{};
    io::close_unit(FCDKFILE);
    // Only the slab's own files are closed; the run's report files stay open.
    for (int u : {FCLSFILE, FCRSFILE, FCLGFILE})
        if (u == FCLSOWN || u == FCRSOWN || u == FCLGOWN) io::close_unit(u);
        else io::flush_unit(u);
    slab_route(FCLSOWN, FCRSOWN, FCLGOWN);
}

void reset_flexcap_tables() {
    FCRELEASE();
    FCLSFILE = FCLSOWN;
    FCRSFILE = FCRSOWN;
    FCLGFILE = FCLGOWN;
    FCTAB = SlabTables{};
    FCCTRL = SlabControl{};
}

void slab_fatal(int& ISTAT) {
    for (int u : {FCLSFILE, FCLGFILE}) io::flush_unit(u);
    if (ISTAT == ISOK) ISTAT = ISSLAB;
}

void slab_diverged(const std::string& what, int& ISTAT) {
    const std::string text = "THE SLAB ITERATION DIVERGED: " + what + " IS NOT A FINITE NUMBER";
    for (int u : {FCLSFILE, FCLGFILE}) io::write_fmt(u, R"((/,/," ",A))", {text});
    FAILTXT.push_back("    SLAB ANALYSIS: " + text);
    slab_fatal(ISTAT);
}

void deck_fault(int& ISTAT, long line, const std::string& record, const std::string& problem) {
    static const fmt::Format head(R"((/,/,/,29X,"**** FATAL ERROR ****"))");
    static const fmt::Format body("(5X,A)");
    const std::string lines[] = {fmt::visible("SLAB DECK " + FCTAB.deck_name + ", LINE " + std::to_string(line)),
                                 fmt::visible("RECORD: " + record), fmt::visible(problem)};
    for (int unit : {FCLSFILE, FCLGFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : lines) io::write_fmt(unit, body, {l});
        io::flush_unit(unit);
    }
    for (const std::string& l : lines) FAILTXT.push_back("    " + l);
    if (ISTAT == ISOK) ISTAT = ISINPUT;
}

}  // namespace zolan
