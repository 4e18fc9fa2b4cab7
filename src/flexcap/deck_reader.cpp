#include "flexcap/slab_program.h"

#include <array>
#include <cmath>
#include <initializer_list>

#include "flexcap/shell_element.h"
#include "model/run_state.h"
#include "model/step_bounds.h"
#include "model/status_codes.h"
#include "report/run_files.h"

namespace zolan {

namespace {

// A count of the deck beyond this is not a slab mesh but a damaged header.
constexpr int MAXCOUNT = 10000000;

long deck_line() {
    fmt::LineSource* src = io::line_source(FCDKFILE);
    return src != nullptr ? src->line_number() : 0;
}

// One free-form record of the deck; a short or malformed one is fatal.
bool read_rec(std::initializer_list<fmt::Target> targets, const std::string& record, int& ISTAT) {
    const fmt::ReadStatus st = io::read_list(FCDKFILE, targets);
    if (st.ok()) return true;
    deck_fault(ISTAT, st.line, record, st.message);
    return false;
}

// An index read from the deck must lie in lo..hi before it is used.
bool in_range(int v, int lo, int hi, const std::string& record, const char* what, int& ISTAT) {
    if (v >= lo && v <= hi) return true;
    deck_fault(ISTAT, deck_line(), record,
               std::string(what) + " " + std::to_string(v) + " IS OUTSIDE " + std::to_string(lo) + " TO " + std::to_string(hi));
    return false;
}

// The stepping of the deck ends: an iteration limit of at most MAXITLIM,
// and increments that cover TINI to TEND in at most MAXLSTEP steps, a failed
// step halving the increment for as long as the half is not below DTMIN.
// Increments that are not positive are the driver's to refuse.
bool stepping_bounded(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    const std::string most = "; EXPECTED AT MOST " + std::to_string(MAXLSTEP) + " LOAD STEPS";
    std::string why;
    if (c.MAXITER > MAXITLIM) {
        why = "THE ITERATION LIMIT MAXITER IS " + std::to_string(c.MAXITER) + "; EXPECTED AT MOST " +
              std::to_string(MAXITLIM);
    } else if (c.DT > 0 && c.DTMIN > 0) {
        const double span = c.TEND - c.TINI, d = smallest_increment(c.DT, c.DTMIN);
        const auto real = [](double v) {
            const fmt::Item item(v);
            return fmt::format_to_string(fmt::Format("(1P,E13.5)"), std::span<const fmt::Item>(&item, 1));
        };
        if (load_steps(c.DT, span) > MAXLSTEP)
            why = "THE TIME INCREMENT DT IS" + real(c.DT) + " OVER TINI TO TEND OF" + real(span) + most;
        else if (load_steps(d, span) > MAXLSTEP)
            why = "THE MINIMUM INCREMENT DTMIN IS" + real(c.DTMIN) + ": FAILED STEPS MAY HALVE DT TO" + real(d) +
                  " OVER TINI TO TEND OF" + real(span) + most;
    }
    if (why.empty()) return true;
    deck_fault(ISTAT, deck_line(), "STEPPING CONTROLS", why);
    return false;
}

// Heading of a data section after two empty lines; the heading's text
// carries its own leading blank.
void section_heading(const char* heading) { io::write_fmt(FCLSFILE, fmt::Format(std::string("(/,/,\"") + heading + "\")")); }

std::string nth(const char* name, int i) { return std::string(name) + " RECORD " + std::to_string(i); }

// The stop request between the records of the deck's long sections and of
// their listing: on a stop, ISTAT := 4 (when 0) and true.
bool deck_stop(int& ISTAT) {
    if (!slab_setup_stop("SLAB DECK READ")) return false;
    if (ISTAT == ISOK) ISTAT = ISSTOP;
    return true;
}

// Sections 1 to 4: elements, nodes, restraints, materials.
bool read_mesh(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    // Elements: number, label, property, NNODE nodes (at most 9, checked by CHECK1).
    io::write_fmt(FCLSFILE, R"((/,/," ELEMENT",3X,"PROPERTY",6X,"NODE NUMBERS"))");
    for (int i = 1; i <= c.NELEM; ++i) {
        if (deck_stop(ISTAT)) return false;
        std::array<int, 12> v{};
        const std::string rec = nth("ELEMENT", i);
        const fmt::Target tg[12] = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]};
        const fmt::ReadStatus st = io::read_list(FCDKFILE, std::span<const fmt::Target>(tg, 3 + c.NNODE));
        if (!st.ok()) {
            deck_fault(ISTAT, st.line, rec, st.message);
            return false;
        }
        if (!in_range(v[0], 1, c.NELEM, rec, "ELEMENT NUMBER", ISTAT)) return false;
        const int e = v[0];
        t.IELLAB(e) = v[1];
        t.IMATE(e) = v[2];
        for (int k = 1; k <= c.NNODE; ++k) t.ICONN(k, e) = v[2 + k];
        std::vector<fmt::Item> items{v[1], v[2]};
        for (int k = 1; k <= c.NNODE; ++k) items.emplace_back(v[2 + k]);
        io::write_fmt(FCLSFILE, "(12I8)", items);
    }
    // Nodes: until the record of node NPOIN.
    t.XYNOD.fill(0);
    io::write_fmt(FCLSFILE, R"((/,/,"   NODAL POINT COORDINATES"))");
    io::write_fmt(FCLSFILE, R"(("     NODE",10X,"X",12X,"Y"))");
    for (int i = 1;; ++i) {
        int n = 0, lab = 0;
        double x = 0, y = 0;
        if (deck_stop(ISTAT)) return false;
        const std::string rec = nth("NODE", i);
        if (!read_rec({n, lab, x, y}, rec, ISTAT) || !in_range(n, 1, c.NPOIN, rec, "NODE NUMBER", ISTAT)) return false;
        t.INDLAB(n) = lab;
        t.XYNOD(1, n) = x;
        t.XYNOD(2, n) = y;
        if (n == c.NPOIN) break;
    }
    for (int n = 1; n <= c.NPOIN; ++n) {
        if (deck_stop(ISTAT)) return false;
        io::write_fmt(FCLSFILE, "(1X,I8,3F13.4)", {t.INDLAB(n), t.XYNOD(1, n), t.XYNOD(2, n)});
    }
    // Restraints: node, six codes, six values (the node is checked by CHECK2).
    io::write_fmt(FCLSFILE, R"((/,/," RESTRAINED NODES"))");
    io::write_fmt(FCLSFILE, R"(("    NODF",1X," CODF ",6X,"FIXED VALUES"))");
    for (int i = 1; i <= c.NVFIX; ++i) {
        int& n = t.IFXND(i);
        if (!read_rec({n, t.IFXCD(1, i), t.IFXCD(2, i), t.IFXCD(3, i), t.IFXCD(4, i), t.IFXCD(5, i), t.IFXCD(6, i), t.FXVAL(1, i),
                       t.FXVAL(2, i), t.FXVAL(3, i), t.FXVAL(4, i), t.FXVAL(5, i), t.FXVAL(6, i)},
                      nth("RESTRAINT", i), ISTAT))
            return false;
        std::vector<fmt::Item> items{n >= 1 && n <= c.NPOIN ? t.INDLAB(n) : n};
        for (int k = 1; k <= 6; ++k) items.emplace_back(t.IFXCD(k, i));
        for (int k = 1; k <= 6; ++k) items.emplace_back(t.FXVAL(k, i));
        io::write_fmt(FCLSFILE, "(1X,I7,2X,6I1,6E13.5)", items);
    }
    // Materials: number, E, nu, t.
    io::write_fmt(FCLSFILE, R"((/,/,"  MATERIAL PROPERTIES"))");
    io::write_fmt(FCLSFILE, R"(("  NUMBER",7X,"YOUNG MODULUS POISSON RATIO","   THICKNESS   "))");
    for (int i = 1; i <= c.NMATS; ++i) {
        int m = 0;
        double p[3] = {0, 0, 0};
        const std::string rec = nth("MATERIAL", i);
        if (!read_rec({m, p[0], p[1], p[2]}, rec, ISTAT) || !in_range(m, 1, c.NMATS, rec, "MATERIAL NUMBER", ISTAT)) return false;
        for (int k = 1; k <= 3; ++k) t.PRMAT(k, m) = p[k - 1];
        io::write_fmt(FCLSFILE, "(1X,I5,7X,5E14.6)", {m, p[0], p[1], p[2]});
        // A modulus that is not a positive number gives a plate of no or
        // negative stiffness, which the solver would take without a word.
        // So does a Poisson's ratio of 1 or beyond (1 - nu^2 not positive).
        const bool e_bad = !(p[0] > 0) || !std::isfinite(p[0]), nu_bad = !(std::fabs(p[1]) < 1.0);
        if (e_bad || nu_bad) {
            const std::string text = "THE " + std::string(e_bad ? "YOUNG MODULUS" : "POISSON RATIO") + " OF MATERIAL " +
                                     std::to_string(m) + (e_bad ? " IS NOT POSITIVE AND FINITE" : " IS NOT BETWEEN -1 AND 1");
            for (int u : {FCLSFILE, FCLGFILE}) io::write_fmt(u, R"((/,/," ",A))", {text});
            FAILTXT.push_back("    SLAB ANALYSIS: " + text);
            slab_fatal(ISTAT);
            return false;
        }
    }
    return true;
}

// A section of records "index, six values" (nodal or element loads and
// stiffnesses), the index checked against 1..hi, echoed with its label.
bool read_indexed(int count, ITab& idx, RTab& val, int hi, ITab& label, const char* heading, const char* columns,
                  const char* what, int& ISTAT) {
    if (count <= 0) return true;
    section_heading(heading);
    io::write_fmt(FCLSFILE, fmt::Format(std::string("(\"") + columns + "\",6X,\"     VALUES\")"));
    for (int i = 1; i <= count; ++i) {
        const std::string rec = nth(heading + 1, i);
        if (!read_rec({idx(i), val(1, i), val(2, i), val(3, i), val(4, i), val(5, i), val(6, i)}, rec, ISTAT) ||
            !in_range(idx(i), 1, hi, rec, what, ISTAT))
            return false;
        io::write_fmt(FCLSFILE, "(1X,I7,2X,6E13.5)",
                      {label(idx(i)), val(1, i), val(2, i), val(3, i), val(4, i), val(5, i), val(6, i)});
    }
    return true;
}

// Points given by X, Y with six values, echoed as read and then located.
bool read_points(int count, RTab& pt, RTab& val, ITab& iel, const char* heading, int& ISTAT) {
    if (count <= 0) return true;
    section_heading(heading);
    io::write_fmt(FCLSFILE, R"(("     X        Y ",6X,"     VALUES"))");
    for (int i = 1; i <= count; ++i) {
        if (!read_rec({pt(1, i), pt(2, i), val(1, i), val(2, i), val(3, i), val(4, i), val(5, i), val(6, i)}, nth(heading + 1, i), ISTAT))
            return false;
        io::write_fmt(FCLSFILE, "(1X,2F10.4,2X,6E13.5)",
                      {pt(1, i), pt(2, i), val(1, i), val(2, i), val(3, i), val(4, i), val(5, i), val(6, i)});
    }
    FCLOCP(count, pt, iel, FCTAB.ICONN, FCTAB.XYNOD, FCCTRL, FCTAB.ELW, &ISTAT);
    return ISTAT == ISOK;
}

// Edge records: element, side 1..4, degree of freedom 1..6, three values.
bool read_edges(int count, ITab& ied, RTab& ved, const char* heading, int& ISTAT) {
    if (count <= 0) return true;
    section_heading(heading);
    io::write_fmt(FCLSFILE, R"(("   ELEM    SIDE    DOF  ",6X,"     VALUES"))");
    for (int i = 1; i <= count; ++i) {
        const std::string rec = nth(heading + 1, i);
        if (!read_rec({ied(1, i), ied(2, i), ied(3, i), ved(1, i), ved(2, i), ved(3, i)}, rec, ISTAT) ||
            !in_range(ied(1, i), 1, FCCTRL.NELEM, rec, "ELEMENT NUMBER", ISTAT) ||
            !in_range(ied(2, i), 1, 4, rec, "SIDE", ISTAT) || !in_range(ied(3, i), 1, 6, rec, "DEGREE OF FREEDOM", ISTAT))
            return false;
        io::write_fmt(FCLSFILE, "(3I8,2X,6E13.5)", {ied(1, i), ied(2, i), ied(3, i), ved(1, i), ved(2, i), ved(3, i)});
    }
    return true;
}

}  // namespace

// Deck header: title, sixteen counts, six stepping values; then the fixed
// values and the work tables.
void FCHEAD(const std::string& deck, const std::string& listing, const std::string& log, int& ISTAT) {
    SlabControl& c = FCCTRL;
    // 1. Files: the deck is read, the listing and the log written from their start.
    FCTAB.deck_name = deck;
    std::string why;
    // An empty name: the unit is a report file the run holds open.
    if (!io::open_unit(FCDKFILE, deck, {io::Access::Read}, &why) ||
        (!listing.empty() && !io::open_unit(FCLSFILE, listing, {}, &why)) ||
        (!log.empty() && !io::open_unit(FCLGFILE, log, {}, &why))) {
        FAILTXT.push_back("    " + why);
        if (ISTAT == ISOK) ISTAT = ISFILE;
        return;
    }
    // 2. Title, written unchanged as the listing's first line.
    std::array<char, 72> title{};
    const fmt::ReadStatus st = io::read_text_line(FCDKFILE, title);
    if (!st.ok()) return deck_fault(ISTAT, st.line, "TITLE", st.message);
    io::write_line(FCLSFILE, std::string(title.data(), title.size()));
    // 3. Counts and stepping values.
    c.NCASE = 1;
    int* counts[] = {&c.NPOIN, &c.NELEM, &c.NMATS, &c.NNODE, &c.NGAUS, &c.NVFIX, &c.NNLOD, &c.NNSTI,
                     &c.NDLOD, &c.NDSTI, &c.NCLOD, &c.NCSTI, &c.NELOD, &c.NESTI, &c.NCTSTI, &c.KPSPR};
    if (!read_rec({*counts[0], *counts[1], *counts[2], *counts[3], *counts[4], *counts[5], *counts[6], *counts[7], *counts[8],
                   *counts[9], *counts[10], *counts[11], *counts[12], *counts[13], *counts[14], *counts[15]},
                  "COUNTS", ISTAT))
        return;
    // The first six are tested by CHECK1; the load and point counts only here.
    for (int i = 0; i < 15; ++i)
        if (!in_range(*counts[i], i < 6 ? -MAXCOUNT : 0, MAXCOUNT, "COUNTS", "COUNT", ISTAT)) return;
    if (!read_rec({c.DT, c.TINI, c.TEND, c.DTMIN, c.MAXITER, c.TOLER}, "STEPPING CONTROLS", ISTAT) ||
        !stepping_bounded(ISTAT))
        return;
    // 4. Fixed values, work tables.
    FCFIXV(c);
    FCALLOC(ISTAT);
}

// The data records of the deck, section by section, each echoed to the listing.
void FCREAD(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    // 1-3. Echo of the counts and of the stepping controls.
    io::write_fmt(FCLSFILE,
                  R"((/,/," NPOIN =",I4,4X," NELEM =",I4,4X," NVFIX =",I4,4X," NCASE =",I4,4X," NTYPE =",I4,4X," NNODE =",I4,4X," NDOFN =",I4,/,/," NMATS =",I4,4X," NPROP =",I4,4X," NGAUS =",I4,4X," NDIME =",I4,4X," NSTRE =",I4,4X," NEVAB =",I4))",
                  {c.NPOIN, c.NELEM, c.NVFIX, c.NCASE, c.NTYPE, c.NNODE, c.NDOFN, c.NMATS, c.NPROP, c.NGAUS, c.NDIME, c.NSTRE, c.NEVAB});
    io::write_fmt(FCLSFILE,
                  R"((/," NNLOD =",I4,4X," NNSTI =",I4,4X," NDLOD =",I4,4X," NDSTI =",I4,4X," NCLOD =",I4,4X," NCSTI =",I4," NCTSTI =",I4))",
                  {c.NNLOD, c.NNSTI, c.NDLOD, c.NDSTI, c.NCLOD, c.NCSTI, c.NCTSTI});
    io::write_fmt(FCLSFILE, R"((/,"    DT =",F10.4,4X,"  TINI =",F10.4,4X," TEND  =",F10.4,4X," DTMIN =",F10.4,4X," MAXITER =",I5))",
                  {c.DT, c.TINI, c.TEND, c.DTMIN, c.MAXITER});
    // 4. Counts.
    CHECK1(ISTAT);
    if (ISTAT != ISOK) return;
    if (c.NNODE != 4 && c.NNODE != 8 && c.NNODE != 9) {
        io::write_fmt(FCLSFILE, R"((/,/," NO SHAPE FUNCTIONS FOR",I3," NODES PER ELEMENT: 4, 8 OR 9 ARE ADMITTED"))", {c.NNODE});
        return slab_fatal(ISTAT);
    }
    // 5-8. Mesh, restraints, materials.
    if (!read_mesh(ISTAT)) return;
    // 9-12. Nodal and element loads and stiffnesses.
    if (!read_indexed(c.NNLOD, t.INLND, t.VNLOD, c.NPOIN, t.INDLAB, " NODAL LOADS", "    NODE,", "NODE NUMBER", ISTAT) ||
        !read_indexed(c.NNSTI, t.INSND, t.VNSTI, c.NPOIN, t.INDLAB, " NODAL STIFFNESSES", "    NODE,", "NODE NUMBER", ISTAT) ||
        !read_indexed(c.NDLOD, t.IDLEL, t.VDLOD, c.NELEM, t.IELLAB, " DISTRIBUTED LOADS", "  ELEMENT", "ELEMENT NUMBER", ISTAT) ||
        !read_indexed(c.NDSTI, t.IDSEL, t.VDSTI, c.NELEM, t.IELLAB, " DISTRIBUTED STIFFNESSES", "  ELEMENT", "ELEMENT NUMBER",
                      ISTAT))
        return;
    // 13-14. Concentrated loads and stiffnesses, located.
    if (!read_points(c.NCLOD, t.PCLOD, t.VCLOD, t.ICLEL, " CONCENTRATED LOADS", ISTAT) ||
        !read_points(c.NCSTI, t.PCSTI, t.VCSTI, t.ICSEL, " CONCENTRATED STIFFNESSES", ISTAT))
        return;
    // 15-16. Edge loads and stiffnesses.
    if (!read_edges(c.NELOD, t.IEDLD, t.VEDLD, " EDGE LOADS", ISTAT) || !read_edges(c.NESTI, t.IEDST, t.VEDST, " EDGE STIFFNESS", ISTAT))
        return;
    // 17. Pile points, located.
    if (c.NCTSTI > 0) {
        io::write_fmt(FCLSFILE, R"((/,/," CONCENTRATED TOTAL STIFFNESSES"))");
        io::write_fmt(FCLSFILE, R"(("       X          Y "))");
        for (int i = 1; i <= c.NCTSTI; ++i) {
            if (!read_rec({t.PCTST(1, i), t.PCTST(2, i)}, nth("CONCENTRATED TOTAL STIFFNESS", i), ISTAT)) return;
            io::write_fmt(FCLSFILE, "(1X,2F10.4)", {t.PCTST(1, i), t.PCTST(2, i)});
        }
        FCLOCP(c.NCTSTI, t.PCTST, t.ICTEL, t.ICONN, t.XYNOD, c, t.ELW, &ISTAT);
        if (ISTAT != ISOK) return;
    }
    // 18. Gauss rule, mesh check, front tables.
    FCGAUS(c.NGAUS, t.ELW);
    CHECK2(t.XYNOD, t.IFXND, t.IFXCD, t.ICONN, t.IMATE, ISTAT);
    if (ISTAT == ISOK) FCFRALLOC(ISTAT);
}

}  // namespace zolan
